#include "TemporaryFolder.h"

#include "course/CoursePaths.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Tree = QMap<QString, QByteArray>;

class TestCoursePaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolves_data();
    void resolves();
};

void TestCoursePaths::resolves_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("path");

    QTest::newRow("exact name") << Tree{{u"Option.txt"_s, {}}} << u".\\Option.txt"_s
                                << u"./Option.txt"_s;
    QTest::newRow("file name in other case")
        << Tree{{u"OPTION.TXT"_s, {}}} << u".\\Option.txt"_s << u"./OPTION.TXT"_s;
    QTest::newRow("every component in other case")
        << Tree{{u"DAY1/lists/Day1E.TXT"_s, {}}} << u".\\day1\\Lists\\day1E.txt"_s
        << u"./DAY1/lists/Day1E.TXT"_s;
    QTest::newRow("exact name wins")
        << Tree{{u"option.txt"_s, {}}, {u"Option.txt"_s, {}}, {u"OPTION.TXT"_s, {}}}
        << u".\\Option.txt"_s << u"./Option.txt"_s;
    QTest::newRow("exact folder wins")
        << Tree{{u"day1/"_s, {}}, {u"Day1/e.txt"_s, {}}, {u"day1/E.txt"_s, {}}}
        << u".\\day1\\e.txt"_s << u"./day1/E.txt"_s;
    QTest::newRow("parent step kept") << Tree{{u"sub/"_s, {}}, {u"Option.txt"_s, {}}}
                                      << u".\\SUB\\..\\option.txt"_s << u"./sub/../Option.txt"_s;
    QTest::newRow("missing file gives the exact path")
        << Tree{{u"DAY1/"_s, {}}} << u".\\day1\\day1E.txt"_s << u"./day1/day1E.txt"_s;
    QTest::newRow("doubled separator")
        << Tree{{u"E.txt"_s, {}}} << u".\\\\e.TXT"_s << u".//E.txt"_s;
}

void TestCoursePaths::resolves()
{
    QFETCH(Tree, tree);
    QFETCH(QString, windowsPath);
    QFETCH(QString, path);
#ifdef Q_OS_WIN
    // Finding a name in another letter case is the file system's own work there.
    QSKIP("Windows' file systems ignore letter case");
#endif

    const vocarin::testkit::TemporaryFolder folder;
    folder.create(tree);
    QCOMPARE(vocarin::resolveCoursePath(folder.dir(), windowsPath), folder.path() + u'/' + path);
}

QTEST_GUILESS_MAIN(TestCoursePaths)
#include "tst_course_paths.moc"
