#pragma once

namespace vocarin {

// What differs between the systems the windows run on: one source file a system
// (SystemLinux.cpp, SystemWindows.cpp), chosen by the build.

// Readies, on a thread of its own at start-up, what Qt's fonts and opening the
// sound device would otherwise wait for.
void prepareSystemServices();

// Whether a window manager places and sizes the windows.
bool windowManagerRunning();

} // namespace vocarin
