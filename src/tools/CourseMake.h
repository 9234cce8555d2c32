#pragma once

#include "tools/WordTable.h"

#include <QString>

namespace vocarin::tools {

struct CourseSettings
{
    QString title;
    qint32 choices = 4;
    QString prefix; // the lists are prefix + "E.txt" and prefix + "J.txt"
};

// Writes Option.txt and the two lists into folder (made when missing), in
// UTF-8 with a BOM and CRLF line ends, as Windows tools expect. Writes nothing
// when a file of those names, in any case, is there already. A pair's
// recording (a path from the working folder) is copied into the folder's
// "sounds" under the word's recording name, and the option file then carries
// the format marker. Returns an empty text on success, else what is wrong, in
// Japanese.
QString makeCourse(const QString& folder, const CourseSettings& settings,
                   const QList<WordPair>& pairs);

} // namespace vocarin::tools
