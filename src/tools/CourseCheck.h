#pragma once

#include "course/CoursePaths.h"
#include "tools/CourseReport.h"

namespace vocarin::tools {

// Checks the course in course, reading it as the program reads it. The report
// names the folder shownFolder.
CourseReport checkCourse(const CourseFolder& course, const QString& shownFolder);

} // namespace vocarin::tools
