#pragma once

#include <QString>

namespace vocarin {

// Reads the choice count line of an option file: blanks, an optional sign,
// then decimal digits or hexadecimal after "$", "x", "X", "0x" or "0X", and
// nothing after the digits. Throws NumberFormatFault quoting the whole line.
qint32 parseChoiceCount(const QString& line);

} // namespace vocarin
