#pragma once

namespace vocarin {

// Whether a window manager places and sizes the windows. One source file a
// system (WindowManagerLinux.cpp, WindowManagerWindows.cpp), chosen by the build.
bool windowManagerRunning();

} // namespace vocarin
