#pragma once

#include "app/Platform.h"

namespace vocarin {

// The sound device, the installed speech engines, the clock-seeded generator.
Platform systemPlatform();

} // namespace vocarin
