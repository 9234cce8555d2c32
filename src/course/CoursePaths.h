#pragma once

#include <QString>

namespace vocarin {

// Turns a course file name built the Windows way (".\day1\day1E.txt") into a
// path for this file system: backslashes become slashes, and when the exact
// path does not exist each missing component is matched without regard to
// case, since course folders copied from Windows often have "option.txt" or
// "DAY1E.TXT". An exact match wins. When nothing matches, the mapped exact
// path comes back, so an open fault names the file that was asked for.
QString resolveCoursePath(const QString& windowsPath);

} // namespace vocarin
