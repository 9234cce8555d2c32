#pragma once

#include "course/CourseWindow.h"

#include <QString>

namespace vocarin {

struct ExerciseState;

enum class LoadOutcome { Loaded, TooFewWords };

inline const QString tooFewWordsMessage()
{
    return QStringLiteral("少なくとも3つ以上のデータを用意してください。終了します。");
}

// The first half of InitialGame: reads the course folder into the state and
// sets the caption. Not all-or-nothing: a fault leaves what earlier steps
// changed in place (option lines, choice count, caption), but the word and
// meaning lists change only together. subDirectory is a course folder path
// such as ".\" or ".\day1\"; backslashes are mapped and names matched
// without case when the exact name is missing.
LoadOutcome loadCourse(const QString& subDirectory, ExerciseState& state, CourseWindow& window);

} // namespace vocarin
