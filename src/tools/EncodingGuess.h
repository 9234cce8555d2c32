#pragma once

#include "course/CourseText.h"

#include <QByteArray>
#include <QString>

namespace vocarin::tools {

// What a file without marking bytes probably is when the program's reading of
// it (Shift_JIS, or UTF-8 that hides UTF-16) is not what its author saved.
struct EncodingGuess
{
    // "euc-jp", "utf-16le", "utf-16be" or "utf-8"; empty when none fits better
    QString id;
    bool certain = false; // false: a short text that ICU cannot tell from Shift_JIS
    QString sample;       // a line as it reads in that encoding
    qsizetype line = 0;   // for "utf-8": the first line with bytes that are no UTF-8

    bool found() const { return !id.isEmpty(); }
};

// ICU's charset detection, with a plausibility rule where short texts leave
// it unsure. EUC-JP: the bytes are valid EUC-JP that reads as Japanese where
// Shift_JIS gives half-width katakana; certain when ICU agrees or the reading
// holds kana, as kanji alone may be half-width katakana read wrongly. UTF-16
// without BOM: ICU ranks it first and it reads without control characters.
// UTF-8 with a stray byte: the valid multi-byte characters outnumber the
// invalid bytes at least two to one (ICU's own rule wants ten to one, which a
// short file with one stray byte never reaches). read: the program's reading.
EncodingGuess guessMisreadEncoding(const QByteArray& bytes, const CourseTextFile& read);

// What a teacher reads about a guess, ending with what to do.
QString misreadEncodingText(const EncodingGuess& guess);

} // namespace vocarin::tools
