#pragma once

#include "tools/CourseReport.h"

#include <QByteArray>
#include <QString>

namespace vocarin::tools {

// The checker's reports for a teacher to read, in Japanese, and as JSON for scripts.
QString formatReports(const QList<CourseReport>& reports);
QByteArray formatReportsJson(const QList<CourseReport>& reports);

} // namespace vocarin::tools
