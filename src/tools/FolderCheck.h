#pragma once

#include "tools/CourseReport.h"

#include <QStringList>

namespace vocarin::tools {

// The courses of each folder, found as the program finds them when started
// there: the folder itself and its direct subfolders. No folder given: the
// working folder.
QList<CourseReport> checkFolders(const QStringList& folders);

} // namespace vocarin::tools
