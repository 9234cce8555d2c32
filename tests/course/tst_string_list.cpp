#include "Faults.h"
#include "TemporaryFolder.h"

#include "core/Fault.h"
#include "course/StringList.h"

#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;
using vocarin::testkit::faultOf;

class TestStringList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsOrderAndRepeats();
    void indexOutsideFaults_data();
    void indexOutsideFaults();
    void loadReplacesContent();
    void failedLoadKeepsContent_data();
    void failedLoadKeepsContent();
};

void TestStringList::keepsOrderAndRepeats()
{
    StringList list;
    for (const auto& line : {u"b"_s, u"a"_s, u"b"_s})
        list.add(line);
    list.put(1, u"c"_s);
    QCOMPARE(list.lines(), (QStringList{u"b"_s, u"c"_s, u"b"_s}));
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.get(2), u"b"_s);
}

void TestStringList::indexOutsideFaults_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("index");
    QTest::newRow("empty list, 0") << 0 << 0;
    QTest::newRow("minus one") << 3 << -1;
    QTest::newRow("one past the end") << 3 << 3;
    QTest::newRow("far past the end") << 1 << 100;
}

void TestStringList::indexOutsideFaults()
{
    QFETCH(int, size);
    QFETCH(int, index);
    StringList list;
    for (int i = 0; i < size; ++i)
        list.add(QString::number(i));
    const QString message = u"リストのインデックスが範囲を超えています (%1)"_s.arg(index);

    QCOMPARE(faultOf<ListIndexFault>([&] { list.get(index); }), message);
    QCOMPARE(faultOf<ListIndexFault>([&] { list.put(index, u"x"_s); }), message);
    QCOMPARE(list.count(), size);
}

void TestStringList::loadReplacesContent()
{
    const testkit::TemporaryFolder folder;
    folder.create(u"words.txt"_s, "one\ntwo\none\n");
    StringList list;
    list.add(u"old"_s);
    list.loadFromFile(folder.filePath(u"words.txt"_s));
    QCOMPARE(list.lines(), (QStringList{u"one"_s, u"two"_s, u"one"_s}));

    folder.create(u"empty.txt"_s, "");
    list.loadFromFile(folder.filePath(u"empty.txt"_s));
    QCOMPARE(list.count(), 0);
}

void TestStringList::failedLoadKeepsContent_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("missing file") << u"missing.txt"_s;
    QTest::newRow("folder") << u"sub"_s;
    QTest::newRow("invalid UTF-8 after the mark") << u"bad.txt"_s;
}

void TestStringList::failedLoadKeepsContent()
{
    QFETCH(QString, file);
    const testkit::TemporaryFolder folder;
    folder.create(u"sub/"_s);
    folder.create(u"bad.txt"_s, "\xEF\xBB\xBFnew\n\xFF");
    StringList list;
    list.add(u"old"_s);
    QVERIFY_THROWS_EXCEPTION(Fault, list.loadFromFile(folder.filePath(file)));
    QCOMPARE(list.lines(), QStringList{u"old"_s});
}

QTEST_GUILESS_MAIN(TestStringList)
#include "tst_string_list.moc"
