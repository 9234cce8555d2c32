#include "TemporaryFolder.h"

#include "course/CourseRecordings.h"

#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;

using Tree = QMap<QString, QByteArray>;

namespace {

StringList optionLines(const QString& third)
{
    StringList lines;
    for (const QString& line : {u"Colours"_s, u"day1"_s, third, u"3"_s})
        lines.add(line);
    return lines;
}

} // namespace

class TestCourseRecordings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsTheWordsFile_data();
    void findsTheWordsFile();
    void namesAsWindowsCan_data();
    void namesAsWindowsCan();
};

void TestCourseRecordings::findsTheWordsFile_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QString>("subDirectory");
    QTest::addColumn<QString>("marker"); // line 3 of the option file
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("path"); // empty: no recording

    QTest::newRow("in the course folder")
        << Tree{{u"cat.mp3"_s, {}}} << u".\\"_s << u"mp3"_s << u"cat"_s << u"./cat.mp3"_s;
    QTest::newRow("in sounds, any extension under wav")
        << Tree{{u"day1/sounds/cat.flac"_s, {}}} << u".\\day1\\"_s << u"wav"_s << u"cat"_s
        << u"./day1/sounds/cat.flac"_s;
    QTest::newRow("name and extension in other case")
        << Tree{{u"CAT.OGG"_s, {}}} << u".\\"_s << u"mp3"_s << u"Cat"_s << u"./CAT.OGG"_s;
    QTest::newRow("sounds folder in other case") << Tree{{u"Sounds/cat.opus"_s, {}}} << u".\\"_s
                                                 << u"mp3"_s << u"cat"_s << u"./Sounds/cat.opus"_s;
    QTest::newRow("course folder in other case") << Tree{{u"Day1/cat.wav"_s, {}}} << u".\\day1\\"_s
                                                 << u"wav"_s << u"cat"_s << u"./Day1/cat.wav"_s;
    QTest::newRow("no marker: none")
        << Tree{{u"cat.mp3"_s, {}}} << u".\\"_s << u"3"_s << u"cat"_s << QString();
    QTest::newRow("marker in other case: none")
        << Tree{{u"cat.mp3"_s, {}}} << u".\\"_s << u"MP3"_s << u"cat"_s << QString();
    QTest::newRow("other words' files") << Tree{{u"dog.mp3"_s, {}}, {u"cats.mp3"_s, {}}} << u".\\"_s
                                        << u"mp3"_s << u"cat"_s << QString();
    QTest::newRow("not a sound extension")
        << Tree{{u"cat.txt"_s, {}}, {u"cat.m4a"_s, {}}, {u"cat.mp3.bak"_s, {}}} << u".\\"_s
        << u"mp3"_s << u"cat"_s << QString();
    QTest::newRow("a folder named like a recording")
        << Tree{{u"cat.mp3/"_s, {}}} << u".\\"_s << u"mp3"_s << u"cat"_s << QString();
    QTest::newRow("deeper folders are not looked in")
        << Tree{{u"sounds/more/cat.mp3"_s, {}}, {u"other/cat.mp3"_s, {}}} << u".\\"_s << u"mp3"_s
        << u"cat"_s << QString();
    QTest::newRow("course folder before sounds")
        << Tree{{u"sounds/cat.wav"_s, {}}, {u"cat.flac"_s, {}}} << u".\\"_s << u"wav"_s << u"cat"_s
        << u"./cat.flac"_s;
    QTest::newRow("extensions in their order")
        << Tree{{u"cat.flac"_s, {}}, {u"cat.ogg"_s, {}}, {u"cat.mp3"_s, {}}} << u".\\"_s << u"wav"_s
        << u"cat"_s << u"./cat.mp3"_s;
    QTest::newRow("the word's own case first")
        << Tree{{u"Polish.wav"_s, {}}, {u"sounds/polish.mp3"_s, {}}} << u".\\"_s << u"mp3"_s
        << u"polish"_s << u"./sounds/polish.mp3"_s;
    QTest::newRow("dots and spaces kept")
        << Tree{{u"sounds/e.g. ok .mp3"_s, {}}} << u".\\"_s << u"mp3"_s << u"e.g. ok "_s
        << u"./sounds/e.g. ok .mp3"_s;
    QTest::newRow("Japanese name") << Tree{{u"sounds/ねこ.mp3"_s, {}}} << u".\\"_s << u"mp3"_s
                                   << u"ねこ"_s << u"./sounds/ねこ.mp3"_s;
    QTest::newRow("empty word: none") << Tree{{u".mp3"_s, {}}, {u"_.mp3"_s, {}}} << u".\\"_s
                                      << u"mp3"_s << QString() << QString();
    QTest::newRow("no folder at all")
        << Tree() << u".\\gone\\"_s << u"mp3"_s << u"cat"_s << QString();
}

void TestCourseRecordings::findsTheWordsFile()
{
    QFETCH(Tree, tree);
    QFETCH(QString, subDirectory);
    QFETCH(QString, marker);
    QFETCH(QString, word);
    QFETCH(QString, path);

    const testkit::TemporaryFolder folder;
    folder.create(tree);
    const QString found =
        findRecordings({folder.dir(), subDirectory}, optionLines(marker)).pathOf(word);
    const QString expected = path.isEmpty() ? path : folder.path() + u'/' + path;
#ifdef Q_OS_WIN
    // The file system finds a name in another letter case itself there: the
    // path may keep the case the course asked for.
    QCOMPARE(found.toLower(), expected.toLower());
#else
    QCOMPARE(found, expected);
#endif
}

void TestCourseRecordings::namesAsWindowsCan_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain") << u"ice cream"_s << u"ice cream"_s;
    QTest::newRow("every character Windows refuses")
        << u"a\\b/c:d*e?f\"g<h>i|j"_s << u"a_b_c_d_e_f_g_h_i_j"_s;
    QTest::newRow("a tab") << u"a\tb"_s << u"a_b"_s;
    QTest::newRow("punctuation Windows allows") << u"don't, (x)!"_s << u"don't, (x)!"_s;
}

void TestCourseRecordings::namesAsWindowsCan()
{
    QFETCH(QString, word);
    QFETCH(QString, name);
    QCOMPARE(recordingName(word), name);

    // And the file of that name is the word's.
    const testkit::TemporaryFolder folder;
    folder.create(u"sounds/"_s + name + u".wav"_s);
    QCOMPARE(findRecordings({folder.dir(), u".\\"_s}, optionLines(u"wav"_s)).pathOf(word),
             folder.path() + u"/./sounds/"_s + name + u".wav"_s);
}

QTEST_GUILESS_MAIN(TestCourseRecordings)
#include "tst_course_recordings.moc"
