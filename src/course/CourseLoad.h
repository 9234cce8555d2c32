#pragma once

#include "course/CoursePaths.h"
#include "course/StringList.h"

#include <QString>

namespace vocarin {

// The pieces of a course load, each a value, and readCourse, which reads them
// all in the load's order. File names are appended to the course folder path
// and resolved as CourseFolder::filePath says.

inline const QString optionFileName = QStringLiteral("Option.txt");
// The word list and the meaning list: the list prefix (line 2 of the option
// file) joined in front of "E.txt" and "J.txt".
inline QString wordListName(const QString& prefix)
{
    return prefix + u"E.txt";
}
inline QString meaningListName(const QString& prefix)
{
    return prefix + u"J.txt";
}

// The lines of the course's "Option.txt".
StringList readOptionFile(const CourseFolder& course);

// Line 3 exactly "wav" or "mp3": the choice count then stands on line 4.
bool isFormatMarker(const QString& line);

// The 1-based line of the choice count: 3, or 4 after a format marker.
// Throws ListIndexFault when the option file has no line 3.
qsizetype choiceCountLine(const StringList& optionList);

// The choice count of the option lines, from choiceCountLine. Throws
// ListIndexFault or NumberFormatFault.
qint32 choiceCount(const StringList& optionList);

// Line 1, the course title.
const QString& courseTitle(const StringList& optionList);

// Line 2, the list prefix.
const QString& listPrefix(const StringList& optionList);

struct CourseLists
{
    StringList words;    // the word list: English, word n on line n
    StringList meanings; // the meaning list, parallel to words
};

// Reads the word list and then the meaning list. Returns both or throws, so a
// run is never left with new words beside old meanings.
CourseLists readCourseLists(const CourseFolder& course, const QString& prefix);

// A whole course folder, read aside: the program applies it only once every
// step has succeeded, so a course that fails to load changes nothing.
struct Course
{
    StringList options; // the option file's lines
    qint32 choiceCount = 0;
    QString title;
    CourseLists lists;
};

// The option file, its choice count, title and prefix, then the word and
// meaning lists, in that order; throws the first step's fault.
Course readCourse(const CourseFolder& course);

// A course needs this many words; fewer end the program after a message.
inline constexpr qint32 minimumWordCount = 3;

inline QString tooFewWordsMessage()
{
    return QStringLiteral("少なくとも%1つ以上のデータを用意してください。終了します。")
        .arg(minimumWordCount);
}

} // namespace vocarin
