#include "windows/WindowManager.h"

namespace vocarin {

// Windows' own window manager is always there.
bool windowManagerRunning()
{
    return true;
}

} // namespace vocarin
