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
    QString error; // empty when the table was read; otherwise what is wrong, in Japanese
};

// Reads a spreadsheet's export of two columns, English then Japanese, and an
// optional third, the path of the word's recording: CSV,
// or TSV when the first line holds a tab, quoted as spreadsheets quote
// (RFC 4180). Decoded like a course file: UTF-8 with or without a BOM,
// UTF-16 with a BOM, otherwise CP932. A first row of column names such as
// "English,Japanese" or "英語,日本語" is skipped. Cells are trimmed; empty
// rows are skipped; a missing or extra cell is an error naming its line.
WordTable readWordTable(const QByteArray& bytes);

} // namespace vocarin::tools
