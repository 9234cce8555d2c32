#include "TemporaryFolder.h"

#include "course/CourseDiscovery.h"
#include "course/StringList.h"

#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;

using Tree = QMap<QString, QByteArray>;

class TestCourseDiscovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void discovers_data();
    void discovers();
};

void TestCourseDiscovery::discovers_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QStringList>("titles"); // "<here>" is the root folder's name
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("lastOptions");

    const QByteArray utf8Mark("\xEF\xBB\xBF");

    QTest::newRow("working folder first, then subfolders")
        << Tree{{u"Option.txt"_s, "Here\nx\n3"},
                {u"B/Option.txt"_s, "Bee\nx\n3"},
                {u"A/Option.txt"_s, "Ay\nx\n3"}}
        << QStringList{u"Here"_s, u"Ay"_s, u"Bee"_s}
        << QStringList{u".\\"_s, u".\\A\\"_s, u".\\B\\"_s} << QStringList{u"Bee"_s, u"x"_s, u"3"_s};
    QTest::newRow("numbers compared as numbers")
        << Tree{{u"day10/Option.txt"_s, "ten"},
                {u"day2/Option.txt"_s, "two"},
                {u"day1/Option.txt"_s, "one"}}
        << QStringList{u"one"_s, u"two"_s, u"ten"_s}
        << QStringList{u".\\day1\\"_s, u".\\day2\\"_s, u".\\day10\\"_s} << QStringList{u"ten"_s};
    QTest::newRow("single course in the working folder")
        << Tree{{u"Option.txt"_s, utf8Mark + "色\nday1\n4"}, {u"empty/"_s, {}}}
        << QStringList{u"色"_s} << QStringList{u".\\"_s} << QStringList{u"色"_s, u"day1"_s, u"4"_s};
    QTest::newRow("only direct subfolders that hold an option file")
        << Tree{{u"C/words.txt"_s, "x"},
                {u"A/X/Option.txt"_s, "deep"},
                {u"D/Option.txt/"_s, {}},
                {u"E/Option.txt"_s, "Ee"}}
        << QStringList{u"Ee"_s} << QStringList{u".\\E\\"_s} << QStringList{u"Ee"_s};
    QTest::newRow("hidden subfolder")
        << Tree{{u".secret/Option.txt"_s, "Hidden"}} << QStringList{u"Hidden"_s}
        << QStringList{u".\\.secret\\"_s} << QStringList{u"Hidden"_s};
    QTest::newRow("option file name in other case")
        << Tree{{u"A/OPTION.TXT"_s, "Ay"}, {u"option.txt"_s, "Here"}}
        << QStringList{u"Here"_s, u"Ay"_s} << QStringList{u".\\"_s, u".\\A\\"_s}
        << QStringList{u"Ay"_s};
    QTest::newRow("same titles and an empty title")
        << Tree{{u"A/Option.txt"_s, "Same\n"},
                {u"B/Option.txt"_s, "Same"},
                {u"C/Option.txt"_s, "\nc\n3"}}
        << QStringList{u"Same"_s, u"Same"_s, u""_s}
        << QStringList{u".\\A\\"_s, u".\\B\\"_s, u".\\C\\"_s} << QStringList{u""_s, u"c"_s, u"3"_s};
    QTest::newRow("a course that would fail to load is listed")
        << Tree{{u"A/Option.txt"_s, "Broken\nday1\nWAV"}} << QStringList{u"Broken"_s}
        << QStringList{u".\\A\\"_s} << QStringList{u"Broken"_s, u"day1"_s, u"WAV"_s};
    QTest::newRow("unreadable option files go under the folder name")
        << Tree{{u"Option.txt"_s, ""},
                {u"A/Option.txt"_s, "Ay"},
                {u"B/Option.txt"_s, utf8Mark + "\xFF"},
                {u"C/Option.txt"_s, utf8Mark}}
        << QStringList{u"<here>"_s, u"Ay"_s, u"B"_s, u"C"_s}
        << QStringList{u".\\"_s, u".\\A\\"_s, u".\\B\\"_s, u".\\C\\"_s} << QStringList();
    QTest::newRow("no course") << Tree{{u"A/"_s, {}}} << QStringList() << QStringList()
                               << QStringList{u"before"_s};
}

void TestCourseDiscovery::discovers()
{
    QFETCH(Tree, tree);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, lastOptions);

    const testkit::TemporaryFolder folder;
    folder.create(tree);
    titles.replaceInStrings(u"<here>"_s, folder.dir().dirName());

    StringList optionList;
    optionList.add(u"before"_s);
    const CourseCatalogue catalogue = discoverCourses(folder.dir(), optionList);
    QCOMPARE(catalogue.titles, titles);
    QCOMPARE(catalogue.folders, folders);
    QCOMPARE(optionList.lines(), lastOptions);
}

QTEST_GUILESS_MAIN(TestCourseDiscovery)
#include "tst_course_discovery.moc"
