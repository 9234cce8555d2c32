#pragma once

#include "course/StringList.h"

#include <QString>

namespace vocarin {

// The pieces of a course load, each a value, and readCourse, which reads them
// all in the load's order. subDirectory is a course folder path such as ".\" or ".\day1\"; backslashes
// are mapped and names matched without case when the exact name is missing.

// The lines of subDirectory + "Option.txt".
StringList readOptionFile(const QString& subDirectory);

// Line 3 exactly "wav" or "mp3": the choice count then stands on line 4.
bool isFormatMarker(const QString& line);

// The choice count of the option lines, from line 3 or, after a format
// marker, line 4. Throws ListIndexFault or NumberFormatFault.
qint32 choiceCount(const StringList& optionList);

// Line 1, the course title.
const QString& courseTitle(const StringList& optionList);

// Line 2, joined in front of "E.txt" and "J.txt".
const QString& listPrefix(const StringList& optionList);

struct CourseLists
{
    StringList words;    // the word list: English, word n on line n
    StringList meanings; // the meaning list, parallel to words
};

// Reads the word list and then the meaning list. Returns both or throws, so a
// run is never left with new words beside old meanings.
CourseLists readCourseLists(const QString& subDirectory, const QString& prefix);

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
Course readCourse(const QString& subDirectory);

// A course needs this many words; fewer end the program after a message.
inline constexpr qint32 minimumWordCount = 3;

inline QString tooFewWordsMessage()
{
    return QStringLiteral("少なくとも3つ以上のデータを用意してください。終了します。");
}

} // namespace vocarin
