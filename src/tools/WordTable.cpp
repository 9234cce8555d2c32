#include "tools/WordTable.h"

#include "course/CourseText.h"
#include "course/Fault.h"

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

bool isHeader(const QStringList& row)
{
    static const QSet<QString> englishNames{u"english"_s, u"word"_s,   u"words"_s, u"en"_s,
                                            u"英語"_s,    u"英単語"_s, u"単語"_s};
    static const QSet<QString> japaneseNames{u"japanese"_s, u"meaning"_s, u"meanings"_s, u"ja"_s,
                                             u"日本語"_s,   u"意味"_s,    u"訳"_s,       u"和訳"_s};
    return row.size() >= 2 && englishNames.contains(row.at(0).trimmed().toLower()) &&
           japaneseNames.contains(row.at(1).trimmed().toLower());
}

QString lineError(qsizetype line, const QString& what)
{
    return u"%1行目: "_s.arg(line) + what;
}

} // namespace

WordTable readWordTable(const QByteArray& bytes)
{
    WordTable table;
    QStringList lines;
    try {
        lines = decodeCourseText(bytes);
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
        if (i == 0 && isHeader(row)) {
            table.headerSkipped = true;
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
    }
    return table;
}

} // namespace vocarin::tools
