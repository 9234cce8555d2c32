#include "TemporaryFolder.h"

#include "core/Fault.h"
#include "course/CourseLoad.h"

#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;

// The values a course load is made of, read without any exercise.
class TestCourseLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void options_data();
    void options();
    void lists_data();
    void lists();
};

void TestCourseLoad::options_data()
{
    QTest::addColumn<QByteArray>("optionFile");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("fault"); // of the choice count; empty when it reads
    QTest::addColumn<qint32>("choices");

    QTest::newRow("plain") << QByteArray("Colours\r\nday1\r\n4\r\n") << u"Colours"_s << u"day1"_s
                           << QString() << 4;
    QTest::newRow("wav marker") << QByteArray("Colours\nday1\nwav\n3") << u"Colours"_s << u"day1"_s
                                << QString() << 3;
    QTest::newRow("mp3 marker") << QByteArray("Colours\nday1\nmp3\n-2\nx") << u"Colours"_s
                                << u"day1"_s << QString() << -2;
    QTest::newRow("empty title and prefix")
        << QByteArray("\n\n 5") << QString() << QString() << QString() << 5;
    QTest::newRow("marker in capitals") << QByteArray("T\np\nWAV\n3") << u"T"_s << u"p"_s
                                        << NumberFormatFault(u"WAV"_s).message() << 0;
    QTest::newRow("marker with a blank") << QByteArray("T\np\nmp3 \n3") << u"T"_s << u"p"_s
                                         << NumberFormatFault(u"mp3 "_s).message() << 0;
    QTest::newRow("two lines") << QByteArray("T\np\n") << u"T"_s << u"p"_s
                               << ListIndexFault(2).message() << 0;
    QTest::newRow("marker without a fourth line")
        << QByteArray("T\np\nwav") << u"T"_s << u"p"_s << ListIndexFault(3).message() << 0;
}

void TestCourseLoad::options()
{
    QFETCH(QByteArray, optionFile);
    QFETCH(QString, title);
    QFETCH(QString, prefix);
    QFETCH(QString, fault);
    QFETCH(qint32, choices);

    const testkit::TemporaryFolder folder;
    folder.create(u"c/option.txt"_s, optionFile);
    const StringList options = readOptionFile({folder.dir(), u".\\c\\"_s});
    QCOMPARE(courseTitle(options), title);
    QCOMPARE(listPrefix(options), prefix);
    try {
        QCOMPARE(choiceCount(options), choices);
        QVERIFY2(fault.isEmpty(), "the choice count read");
    } catch (const Fault& raised) {
        QCOMPARE(raised.message(), fault);
    }
}

void TestCourseLoad::lists_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("meaningsExist");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("prefix below the folder")
        << u"lists\\d"_s << true << QStringList{u"a"_s, u"b"_s, u""_s};
    QTest::newRow("no meaning list") << u"lists\\d"_s << false << QStringList();
}

void TestCourseLoad::lists()
{
    QFETCH(QString, prefix);
    QFETCH(bool, meaningsExist);
    QFETCH(QStringList, words);

    const testkit::TemporaryFolder folder;
    folder.create(u"c/lists/dE.txt"_s, "a\nb\n\n");
    if (meaningsExist)
        folder.create(u"c/lists/dJ.txt"_s, "\xEF\xBB\xBF\xE8\xB5\xA4");
    try {
        const CourseLists lists = readCourseLists({folder.dir(), u".\\c\\"_s}, prefix);
        QVERIFY(meaningsExist);
        QCOMPARE(lists.words.lines(), words);
        QCOMPARE(lists.meanings.lines(), QStringList{u"赤"_s});
    } catch (const FileOpenFault& raised) {
        QVERIFY(!meaningsExist);
        QVERIFY2(raised.message().contains(u"lists/dJ.txt"_s), qPrintable(raised.message()));
    }
}

QTEST_GUILESS_MAIN(TestCourseLoad)
#include "tst_course_load.moc"
