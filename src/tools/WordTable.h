#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vocarin::tools {

struct WordPair
{
    QString english;
    QString japanese;
    QString sound{}; // a recording's path as the table gives it; empty for none
    friend bool operator==(const WordPair&, const WordPair&) = default;
};

struct WordTable
{
    QList<WordPair> pairs;
    bool headerSkipped = false;
    bool swapped = false; // every row had Japanese first: the columns were exchanged
    // A third column that names no sound file, left out: "3列目「品詞」", or
    // "3列目" without a heading; empty when there was none or it is the recordings'.
    QString ignoredColumn;
    QString error; // empty when the table was read; otherwise what is wrong, in Japanese
};

// Reads a spreadsheet's export of two columns, English then Japanese, and an
// optional third, the path of the word's recording when any of its cells
// names a sound file (and otherwise left out): CSV,
// or TSV when the first line holds a tab, quoted as spreadsheets quote
// (RFC 4180). Decoded like a course file: UTF-8 with or without a BOM,
// UTF-16 with a BOM, otherwise CP932; a file that is probably in another
// encoding (see guessMisreadEncoding) is an error. A first row of column names such as
// "English,Japanese", "英語,日本語" or "Eng,Jpn" is skipped. Cells are
// trimmed; empty rows are skipped; a missing or extra cell is an error naming
// its line. A sheet with Japanese first in every row is read with the columns
// exchanged; Japanese in the English column or English alone in the meaning
// column anywhere else is an error.
WordTable readWordTable(const QByteArray& bytes);

} // namespace vocarin::tools
