// The key tables of the README and the learner's guide say what the main
// window's own keys do: each row must be one of the window's actions with
// exactly its keys, and every action must have its row.

#include "windows/DrillActions.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using vocarin::DrillKey;
using vocarin::drillKeys;

namespace {

QStringList sorted(const QList<QKeySequence>& keys)
{
    QStringList names;
    for (const QKeySequence& key : keys)
        names.append(key.toString(QKeySequence::PortableText));
    names.sort();
    return names;
}

// The keys a table cell names: "`R`, `F5`", "R または F5", "`1`–`6` (also
// keypad)", "数字キー 1～6（テンキーも可）", "Shift + R".
QList<QKeySequence> keysOf(QString cell)
{
    cell.remove(u'`');
    QList<QKeySequence> keys;
    if (cell.contains(QRegularExpression(u"1\\s*[–～]\\s*6"_s))) {
        const bool keypad = cell.contains(u"keypad"_s) || cell.contains(u"テンキー"_s);
        for (int digit = 1; digit <= 6; ++digit) {
            const auto key = Qt::Key(Qt::Key_0 + digit);
            keys.append(QKeySequence(key));
            if (keypad)
                keys.append(QKeySequence(Qt::KeypadModifier | key));
        }
        return keys;
    }
    for (QString name : cell.split(QRegularExpression(u",|または"_s))) {
        name.remove(u' ');
        if (name == u"→")
            keys.append(QKeySequence(Qt::Key_Right));
        else if (name == u"Enter") // the main keyboard's and the keypad's
            keys.append({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                         QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)});
        else
            keys.append(QKeySequence::fromString(name, QKeySequence::PortableText));
    }
    return keys;
}

// The first cells of the rows of the table whose heading row is `heading`.
QStringList keyCells(const QString& file, const QString& heading)
{
    QFile text(QStringLiteral(VOCARIN_SOURCE_DIR "/") + file);
    if (!text.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(text.readAll()).split(u'\n');
    QStringList cells;
    qsizetype at = lines.indexOf(heading);
    if (at < 0)
        return {};
    for (at += 2; at < lines.size() && lines.at(at).startsWith(u'|'); ++at)
        cells.append(lines.at(at).section(u'|', 1, 1).trimmed());
    return cells;
}

} // namespace

class KeyTablesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tablesMatchTheActions_data();
    void tablesMatchTheActions();
};

void KeyTablesTest::tablesMatchTheActions_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("heading");
    QTest::newRow("README") << u"README.md"_s << u"| Key / キー | Action | 働き |"_s;
    QTest::newRow("guide") << u"docs/ja/guide.md"_s << u"| キー | 働き |"_s;
}

void KeyTablesTest::tablesMatchTheActions()
{
    QFETCH(QString, file);
    QFETCH(QString, heading);
    const QStringList cells = keyCells(file, heading);
    QVERIFY2(!cells.isEmpty(), qPrintable(u"no key table in "_s + file));

    QList<DrillKey> unmatched = drillKeys();
    for (const QString& cell : cells) {
        const QStringList keys = sorted(keysOf(cell));
        const auto row = std::find_if(unmatched.begin(), unmatched.end(),
                                      [&](const DrillKey& k) { return sorted(k.keys) == keys; });
        QVERIFY2(row != unmatched.end(),
                 qPrintable(file + u": no action has the keys of "_s + cell));
        unmatched.erase(row);
    }
    for (const DrillKey& missing : unmatched)
        QFAIL(qPrintable(file + u": no row for "_s + missing.action));
}

QTEST_MAIN(KeyTablesTest)
#include "tst_key_tables.moc"
