#include "windows/System.h"

namespace vocarin {

// Windows reads its fonts and opens its sound devices on demand.
void prepareSystemServices() {}

// Windows' own window manager is always there.
bool windowManagerRunning()
{
    return true;
}

} // namespace vocarin
