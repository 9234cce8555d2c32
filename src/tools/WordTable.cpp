#include "tools/WordTable.h"

#include "core/Fault.h"
#include "course/CourseRecordings.h"
#include "course/CourseText.h"
#include "tools/EncodingGuess.h"
#include "tools/TextKinds.h"

#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <csv.h>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

struct Rows
{
    QList<QStringList> rows;
    QList<qsizetype> rowLines; // the line each row starts on
    QStringList current;
    qsizetype line = 0;
    qsizetype currentStart = 0;
};

void onField(void* bytes, size_t size, void* data)
{
    auto* rows = static_cast<Rows*>(data);
    if (rows->current.isEmpty())
        rows->currentStart = rows->line;
    rows->current.append(QString::fromUtf8(static_cast<const char*>(bytes), qsizetype(size)));
}

void onRowEnd(int, void* data)
{
    auto* rows = static_cast<Rows*>(data);
    rows->rows.append(std::move(rows->current));
    rows->rowLines.append(rows->currentStart);
    rows->current.clear();
}

// Tabs separate TSV cells, so only the blank counts as space around a cell.
int isBlank(unsigned char c)
{
    return c == ' ';
}

enum class Header { None, EnglishFirst, JapaneseFirst };

// A cell that names a column rather than holding a word: "English",
// "英語（English）", "English words", "Vocabulary", "英", "Eng", and for the
// meanings "日本語の意味", "Translation", "和", "Jpn".
bool namesColumn(const QString& cell, const QStringList& names, const QStringList& shortNames)
{
    const QString name = cell.trimmed().toLower();
    if (shortNames.contains(name))
        return true;
    return std::any_of(names.cbegin(), names.cend(),
                       [&name](const QString& n) { return name.contains(n); });
}

bool namesEnglishColumn(const QString& cell)
{
    static const QStringList names{u"english"_s, u"word"_s,   u"vocabulary"_s, u"vocab"_s,
                                   u"英語"_s,    u"英単語"_s, u"単語"_s};
    static const QStringList shortNames{u"en"_s, u"eng"_s, u"英"_s};
    return namesColumn(cell, names, shortNames);
}

bool namesJapaneseColumn(const QString& cell)
{
    static const QStringList names{u"japanese"_s, u"meaning"_s, u"translation"_s,
                                   u"日本語"_s,   u"意味"_s,    u"訳"_s};
    static const QStringList shortNames{u"ja"_s, u"jp"_s, u"jpn"_s, u"和"_s};
    return namesColumn(cell, names, shortNames);
}

// A third column's heading may be anything: "録音", "品詞", "Notes"...
Header headerOf(const QStringList& row)
{
    if (row.size() < 2 || row.size() > 3)
        return Header::None;
    if (namesEnglishColumn(row.at(0)) && namesJapaneseColumn(row.at(1)))
        return Header::EnglishFirst;
    if (namesJapaneseColumn(row.at(0)) && namesEnglishColumn(row.at(1)))
        return Header::JapaneseFirst;
    return Header::None;
}

QString lineError(qsizetype line, const QString& what)
{
    return u"%1行目: "_s.arg(line) + what;
}

bool namesSoundFile(const QString& cell)
{
    return recordingExtensions.contains(QFileInfo(cell).suffix().toLower());
}

// A third column is the recordings' only when a cell of it names a sound file;
// otherwise (parts of speech, notes) it is left out, and heading names it.
void keepRecordingsOnly(WordTable& table, const QString& heading)
{
    QList<WordPair>& pairs = table.pairs;
    const auto hasSound = [](const WordPair& pair) { return !pair.sound.isEmpty(); };
    if (std::none_of(pairs.cbegin(), pairs.cend(), hasSound) ||
        std::any_of(pairs.cbegin(), pairs.cend(),
                    [](const WordPair& pair) { return namesSoundFile(pair.sound); }))
        return;
    for (WordPair& pair : pairs)
        pair.sound.clear();
    table.ignoredColumn = heading.isEmpty() ? u"3列目"_s : u"3列目「%1」"_s.arg(heading);
}

bool isSwapped(const WordPair& pair)
{
    return holdsJapanese(pair.english) && !holdsJapanese(pair.japanese);
}

// English in the first column and Japanese in the second, as the program
// speaks the first and shows the second. A sheet whose every row is the other
// way round is read the other way round; any other mix is refused, showing
// the first pair as it was read.
QString checkColumns(WordTable& table, const QList<qsizetype>& lines)
{
    QList<WordPair>& pairs = table.pairs;
    if (pairs.isEmpty())
        return {};
    if (std::all_of(pairs.cbegin(), pairs.cend(), isSwapped)) {
        for (WordPair& pair : pairs)
            std::swap(pair.english, pair.japanese);
        table.swapped = true;
        return {};
    }
    const QString firstPair =
        u"（最初の組は 英語「%1」、日本語「%2」と読みました。1列目に英語、2列目に日本語の意味を"
        u"書いてください）"_s.arg(pairs.first().english, pairs.first().japanese);
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        if (holdsJapanese(pairs.at(i).english))
            return lineError(lines.at(i), u"英語の列（1列目）に日本語があります: 「%1」。"_s.arg(
                                              pairs.at(i).english) +
                                              firstPair);
        if (isEnglishOnly(pairs.at(i).japanese))
            return lineError(lines.at(i),
                             u"日本語の意味の列（2列目）が英語だけです: 「%1」。"
                             u"見出しの行なら、消すか「英語,日本語」にしてください。"_s.arg(
                                 pairs.at(i).japanese) +
                                 firstPair);
    }
    return {};
}

} // namespace

WordTable readWordTable(const QByteArray& bytes)
{
    WordTable table;
    QStringList lines;
    try {
        CourseTextFile file = decodeCourseFile(bytes);
        // A misread table would make a course of garbled words.
        if (const EncodingGuess guess = guessMisreadEncoding(bytes, file); guess.found()) {
            table.error = misreadEncodingText(guess);
            return table;
        }
        lines = std::move(file.lines);
    } catch (const Fault& fault) {
        table.error = u"文字コードを読み取れません: "_s + fault.message();
        return table;
    }

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        qFatal("csv_init failed");
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> freeParser(&parser, csv_free);
    csv_set_space_func(&parser, isBlank);
    if (!lines.isEmpty() && lines.first().contains(u'\t'))
        csv_set_delim(&parser, '\t');

    Rows rows;
    for (const QString& line : lines) {
        ++rows.line;
        const QByteArray utf8 = (line + u'\n').toUtf8();
        if (csv_parse(&parser, utf8.constData(), size_t(utf8.size()), onField, onRowEnd, &rows) !=
            size_t(utf8.size())) {
            table.error = lineError(rows.line, u"引用符（\"）の使い方が正しくありません。"_s);
            return table;
        }
    }
    if (csv_fini(&parser, onField, onRowEnd, &rows) != 0) {
        table.error = lineError(rows.currentStart, u"引用符（\"）が閉じられていません。"_s);
        return table;
    }

    QList<qsizetype> pairLines;
    QString thirdHeading;
    for (qsizetype i = 0; i < rows.rows.size(); ++i) {
        QStringList row = rows.rows.at(i);
        const qsizetype line = rows.rowLines.at(i);
        for (QString& cell : row)
            cell = cell.trimmed();
        // Spreadsheets export trailing empty columns ("apple,りんご,,").
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
        if (row.isEmpty())
            continue;
        if (i == 0 && headerOf(row) != Header::None) {
            table.headerSkipped = true;
            thirdHeading = row.value(2);
            continue;
        }
        if (row.size() > 3) {
            table.error = lineError(line, u"4列目にも値があります。英語、日本語、録音ファイル"
                                          u"の3列までにしてください。"_s);
            return table;
        }
        if (row.size() < 2 || row.at(1).isEmpty()) {
            table.error = lineError(line, u"日本語の意味がありません。"_s);
            return table;
        }
        if (row.at(0).isEmpty()) {
            table.error = lineError(line, u"英語の単語がありません。"_s);
            return table;
        }
        if (std::any_of(row.cbegin(), row.cend(),
                        [](const QString& cell) { return cell.contains(u'\n'); })) {
            table.error = lineError(line, u"セルの中に改行があります。"_s);
            return table;
        }
        table.pairs.append({row.at(0), row.at(1), row.value(2)});
        pairLines.append(line);
    }
    table.error = checkColumns(table, pairLines);
    keepRecordingsOnly(table, thirdHeading);
    return table;
}

} // namespace vocarin::tools
