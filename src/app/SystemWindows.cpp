#include "app/System.h"

namespace vocarin {

// Windows reads its fonts and opens its sound devices on demand.
void prepareSystemServices() {}

} // namespace vocarin
