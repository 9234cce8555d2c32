#pragma once

#include "tools/CourseReport.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vocarin::tools {

// Two words of one course that a learner cannot tell apart on the answer
// buttons: their meanings say the same (after the writing differences that
// carry no meaning are set aside, or by the table of near-synonyms), or a
// Japanese ear hears the words as one (the table of sound-alike words).
enum class PairKind {
    Meaning,
    Sound,
};

struct ConfusablePair
{
    qsizetype first; // 0-based lines, first < second
    qsizetype second;
    PairKind kind;
};

// The confusable pairs among words[i] with meanings[i], over the lines that
// have both. A word repeated with the same text is not a pair of its own.
QList<ConfusablePair> findConfusablePairs(const QStringList& words, const QStringList& meanings);

// The meaning's senses ("、" between them) as they are compared: without
// "～" and a particle after it, brackets, する/な/だ endings, with digits for
// kanji numerals, hiragana for katakana.
QStringList comparedSenses(const QString& meaning);

// A course made to practise telling such words apart ("聞き分け" in its
// title) holds sound-alike pairs on purpose.
bool isListeningContrastCourse(const QString& title);

// The warnings of the course checker for the pairs above; a meaning written
// exactly alike is the checker's "duplicate-meaning" already.
QList<CourseProblem> checkConfusablePairs(const QString& title, const QString& wordFile,
                                          const QStringList& words, const QString& meaningFile,
                                          const QStringList& meanings);

} // namespace vocarin::tools
