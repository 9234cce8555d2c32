#pragma once

#include <QDir>
#include <QString>

namespace vocarin {

// Turns a course file name built the Windows way, relative to root
// (".\day1\day1E.txt"), into a path of this file system below root:
// backslashes become slashes, and when the exact path does not exist each
// missing component is matched without regard to case, since course folders
// copied from Windows often have "option.txt" or "DAY1E.TXT". An exact match
// wins. When nothing matches, the mapped exact path comes back, so an open
// fault names the file that was asked for. The one place where the course
// list's paths meet the file system.
QString resolveCoursePath(const QDir& root, const QString& windowsPath);

// A course folder: the folder the courses were found in, and the course folder
// path below it as the course list keeps it (".\" or ".\name\").
struct CourseFolder
{
    QDir root;
    QString path;

    // A file of the course: name appended to the course folder path, as the
    // course's files are named ("Option.txt", "day1E.txt", or "" for the folder
    // itself), resolved as above.
    QString filePath(const QString& name) const { return resolveCoursePath(root, path + name); }
};

} // namespace vocarin
