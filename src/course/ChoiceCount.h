#pragma once

#include <QString>

namespace vocarin {

// Reads the choice count line of an option file: blanks, an optional sign,
// then decimal digits or hexadecimal after "$", "x", "X", "0x" or "0X", and
// nothing after the digits. Throws NumberFormatFault quoting the whole line.
qint32 parseChoiceCount(const QString& line);

// An option file may give any number; the main window has an answer button
// and a choice count button for each of 1 to mostChoices.
inline constexpr qint32 fewestChoices = 1;
inline constexpr qint32 mostChoices = 6;

constexpr bool hasAnswerButtons(qint32 choiceCount)
{
    return choiceCount >= fewestChoices && choiceCount <= mostChoices;
}

// "1～6", as messages name the range.
inline QString choiceRangeText()
{
    return QStringLiteral("%1～%2").arg(fewestChoices).arg(mostChoices);
}

} // namespace vocarin
