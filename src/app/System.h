#pragma once

namespace vocarin {

// What differs between the systems at start-up: one source file a system
// (SystemLinux.cpp, SystemWindows.cpp), chosen by the build. The windows' own
// difference, the window manager, is in windows/WindowManager.h.

// Readies, on a thread of its own at start-up, what Qt's fonts and opening the
// sound device would otherwise wait for.
void prepareSystemServices();

} // namespace vocarin
