#pragma once

#include <QList>
#include <QString>

#include <algorithm>

namespace vocarin::tools {

// What the course checker finds, as values the report formats write out.

enum class Severity {
    Fault,   // the course cannot be used as it is: the program stops it with a
             // fault box or ends, lists it as a blank row, or shows its text garbled
    Warning, // the course runs, but not as its author likely meant
};

struct CourseProblem
{
    Severity severity;
    QString kind;    // a fixed identifier, for scripts: "blank-line", "missing-meaning", ...
    QString file;    // relative to the course folder; empty for the course as a whole
    qsizetype line;  // 1-based; 0 when the problem has no line
    QString message; // what is wrong, ending with what to do
};

struct CourseFileInfo
{
    QString name;
    QString encoding;  // an encodingId: "utf-8-bom", "utf-16le", "utf-16be", "utf-8", "cp932"
    QString looksLike; // what it was probably saved in when misread: an EncodingGuess id, or empty
};

struct CourseReport
{
    QString folder; // as the user names it
    QString title;
    QList<CourseFileInfo> files;
    qsizetype words = -1; // -1 when the word list could not be read
    qint32 choices = 0;
    bool choicesRead = false;
    qsizetype recorded = -1; // words with a recording; -1 for a course without the marker
    QList<CourseProblem> problems;

    bool hasFault() const
    {
        return std::any_of(problems.cbegin(), problems.cend(),
                           [](const CourseProblem& p) { return p.severity == Severity::Fault; });
    }
};

} // namespace vocarin::tools
