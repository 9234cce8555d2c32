#pragma once

#include "course/CoursePaths.h"
#include "course/StringList.h"
#include "tools/CourseReport.h"

#include <QStringList>

namespace vocarin::tools {

struct RecordingFindings
{
    qsizetype recorded = -1; // words with a recording; -1 for a course without the marker
    QList<CourseProblem> problems;
};

// A course's recordings as a teacher mends them. With the format marker: the
// words without a recording (on their lines of wordFile) when some have one,
// the sound files no word uses, and every file that cannot be played. Without it: a note when
// files named like its words are there, unused.
RecordingFindings checkRecordings(const CourseFolder& course, const StringList& options,
                                  const QString& wordFile, const QStringList& words);

} // namespace vocarin::tools
