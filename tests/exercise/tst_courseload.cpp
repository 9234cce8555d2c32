#include "ExerciseDoubles.h"

#include "core/Fault.h"

#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;

using Tree = QMap<QString, QByteArray>;

namespace {

// What the state holds before the load: an earlier course.
const QStringList oldOptions{u"old option"_s};
const QStringList oldWords{u"old word"_s};
const QStringList oldMeanings{u"old meaning"_s};
constexpr qint32 oldSelectNum = 99;
constexpr qint32 oldAllQuestNum = 77;

void fill(StringList& list, const QStringList& lines)
{
    for (const QString& line : lines)
        list.add(line);
}

const QByteArray words = "red\nblue\ngreen\n";
const QByteArray meanings = "\xEF\xBB\xBF赤\n青\n緑\n";
const QStringList wordLines{u"red"_s, u"blue"_s, u"green"_s};
const QStringList meaningLines{u"赤"_s, u"青"_s, u"緑"_s};

const Tree day1{{u"day1E.txt"_s, words}, {u"day1J.txt"_s, meanings}};

Tree with(Tree tree, const QString& name, const QByteArray& bytes)
{
    tree.insert(name, bytes);
    return tree;
}

QString notFound(const QString& file)
{
    return u"ファイル <dir>/"_s + file + u" は開けません。 指定されたファイルが見つかりません。 "_s;
}

QString listIndex(int index)
{
    return ListIndexFault(index).message();
}

QString notANumber(const QString& line)
{
    return NumberFormatFault(line).message();
}

// A rig whose state holds an earlier course, so that any change shows.
struct EarlierCourse : testkit::Rig
{
    EarlierCourse()
    {
        fill(state().OptionList, oldOptions);
        fill(state().QuestionList, oldWords);
        fill(state().AnswerList, oldMeanings);
        state().SelectNum = oldSelectNum;
        state().AllQuestNum = oldAllQuestNum;
        board.caption = u"old caption"_s;
    }
};

} // namespace

class TestCourseLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loads_data();
    void loads();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
};

void TestCourseLoad::loads_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QString>("subDirectory");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<qint32>("selectNum");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<qint32>("allQuestNum");
    QTest::addColumn<bool>("tooFewWords");

    const QStringList colours{u"Colours"_s, u"day1"_s, u"4"_s};
    QTest::newRow("course in the working folder")
        << with(day1, u"Option.txt"_s, "Colours\r\nday1\r\n4\r\n") << u".\\"_s << colours << 4
        << u"Colours"_s << wordLines << meaningLines << 3 << false;
    QTest::newRow("format marker wav")
        << with(day1, u"Option.txt"_s, "Colours\nday1\nwav\n3\n") << u".\\"_s
        << QStringList{u"Colours"_s, u"day1"_s, u"wav"_s, u"3"_s} << 3 << u"Colours"_s << wordLines
        << meaningLines << 3 << false;
    QTest::newRow("format marker mp3, later lines ignored")
        << with(day1, u"Option.txt"_s, "Colours\nday1\nmp3\n-2\nx\n") << u".\\"_s
        << QStringList{u"Colours"_s, u"day1"_s, u"mp3"_s, u"-2"_s, u"x"_s} << -2 << u"Colours"_s
        << wordLines << meaningLines << 3 << false;
    QTest::newRow("course in a subfolder") << Tree{{u"day1/Option.txt"_s, "Colours\nday1\n4"},
                                                   {u"day1/day1E.txt"_s, words},
                                                   {u"day1/day1J.txt"_s, meanings}}
                                           << u".\\day1\\"_s << colours << 4 << u"Colours"_s
                                           << wordLines << meaningLines << 3 << false;
    QTest::newRow("names in other case") << Tree{{u"Day1/option.TXT"_s, "Colours\nday1\n4"},
                                                 {u"Day1/DAY1E.TXT"_s, words},
                                                 {u"Day1/Day1j.txt"_s, meanings}}
                                         << u".\\day1\\"_s << colours << 4 << u"Colours"_s
                                         << wordLines << meaningLines << 3 << false;
#ifndef Q_OS_WIN // two names differing in letter case alone cannot be there
    QTest::newRow("exact name wins")
        << with(with(day1, u"option.txt"_s, "Wrong\nday1\n5"), u"Option.txt"_s, "Colours\nday1\n4")
        << u".\\"_s << colours << 4 << u"Colours"_s << wordLines << meaningLines << 3 << false;
#endif
    QTest::newRow("empty prefix") << Tree{{u"Option.txt"_s, "Colours\n\n4"},
                                          {u"E.txt"_s, words},
                                          {u"J.txt"_s, meanings}}
                                  << u".\\"_s << QStringList{u"Colours"_s, u""_s, u"4"_s} << 4
                                  << u"Colours"_s << wordLines << meaningLines << 3 << false;
    QTest::newRow("prefix with a sub-path")
        << Tree{{u"c/Option.txt"_s, "Colours\nlists\\day1\n4"},
                {u"c/lists/day1E.txt"_s, words},
                {u"c/lists/day1J.txt"_s, meanings}}
        << u".\\c\\"_s << QStringList{u"Colours"_s, u"lists\\day1"_s, u"4"_s} << 4 << u"Colours"_s
        << wordLines << meaningLines << 3 << false;
    QTest::newRow("meaning list shorter than the word list")
        << with(with(day1, u"day1J.txt"_s, "赤"), u"Option.txt"_s, "Colours\nday1\n4") << u".\\"_s
        << colours << 4 << u"Colours"_s << wordLines << QStringList{u"赤"_s} << 3 << false;

    QTest::newRow("two words") << Tree{{u"Option.txt"_s, "Colours\nday1\n4"},
                                       {u"day1E.txt"_s, "red\nblue\n"},
                                       {u"day1J.txt"_s, meanings}}
                               << u".\\"_s << colours << 4 << u"Colours"_s
                               << QStringList{u"red"_s, u"blue"_s} << meaningLines << 2 << true;
    QTest::newRow("empty word list")
        << Tree{{u"Option.txt"_s, "Colours\nday1\n4"}, {u"day1E.txt"_s, ""}, {u"day1J.txt"_s, ""}}
        << u".\\"_s << colours << 4 << u"Colours"_s << QStringList() << QStringList() << 0 << true;
}

void TestCourseLoad::loads()
{
    QFETCH(Tree, tree);
    QFETCH(QString, subDirectory);
    QFETCH(QStringList, options);
    QFETCH(qint32, selectNum);
    QFETCH(QString, caption);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, answers);
    QFETCH(qint32, allQuestNum);
    QFETCH(bool, tooFewWords);

    EarlierCourse rig;
    rig.courses.create(tree);
    const ExerciseState& state = rig.state();

    const LoadOutcome outcome = rig.exercise.loadCourse(subDirectory);
    QCOMPARE(outcome == LoadOutcome::TooFewWords, tooFewWords);
    QCOMPARE(state.OptionList.lines(), options);
    QCOMPARE(state.SelectNum, selectNum);
    QCOMPARE(rig.board.caption, caption);
    QCOMPARE(state.QuestionList.lines(), questions);
    QCOMPARE(state.AnswerList.lines(), answers);
    QCOMPARE(state.AllQuestNum, allQuestNum);
}

// Each step's own fault, and nothing of the course applied: the learner goes
// on with the earlier course under its own title and choice count.
void TestCourseLoad::failedLoadChangesNothing_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QString>("subDirectory");
    QTest::addColumn<QString>("fault"); // the message, "<dir>" for the courses' folder

    QTest::newRow("option file missing") << day1 << u".\\"_s << notFound(u"Option.txt"_s);
    QTest::newRow("option file missing in a subfolder")
        << Tree{{u"day1/"_s, {}}} << u".\\day1\\"_s << notFound(u"day1/Option.txt"_s);
    QTest::newRow("option file of two lines")
        << with(day1, u"Option.txt"_s, "Colours\nday1\n") << u".\\"_s << listIndex(2);
    QTest::newRow("marker without a fourth line")
        << with(day1, u"Option.txt"_s, "Colours\nday1\nwav") << u".\\"_s << listIndex(3);
    QTest::newRow("marker in capitals")
        << with(day1, u"Option.txt"_s, "Colours\nday1\nWAV\n3") << u".\\"_s << notANumber(u"WAV"_s);
    QTest::newRow("marker with a blank") << with(day1, u"Option.txt"_s, "Colours\nday1\nwav \n3")
                                         << u".\\"_s << notANumber(u"wav "_s);
    QTest::newRow("bad count after a marker")
        << with(day1, u"Option.txt"_s, "Colours\nday1\nmp3\n6.0") << u".\\"_s
        << notANumber(u"6.0"_s);
    QTest::newRow("word list missing (wrong prefix)")
        << with(day1, u"Option.txt"_s, "Colours\nday2\n4") << u".\\"_s << notFound(u"day2E.txt"_s);
    QTest::newRow("meaning list missing")
        << Tree{{u"Option.txt"_s, "Colours\nday1\n4"}, {u"day1E.txt"_s, words}} << u".\\"_s
        << notFound(u"day1J.txt"_s);
    QTest::newRow("meaning list with invalid UTF-8")
        << with(with(day1, u"day1J.txt"_s, "\xEF\xBB\xBF赤\n\xC3("), u"Option.txt"_s,
                "Colours\nday1\n4")
        << u".\\"_s << TextDecodingFault().message();
}

void TestCourseLoad::failedLoadChangesNothing()
{
    QFETCH(Tree, tree);
    QFETCH(QString, subDirectory);
    QFETCH(QString, fault);

    EarlierCourse rig;
    rig.courses.create(tree);
    const ExerciseState& state = rig.state();

    try {
        rig.exercise.loadCourse(subDirectory);
        QFAIL("the load did not fail");
    } catch (const Fault& raised) {
        QCOMPARE(raised.message(), QString(fault).replace(u"<dir>"_s, rig.courses.path()));
    }
    QCOMPARE(rig.log.entries(), QStringList{});
    QCOMPARE(rig.board.caption, u"old caption"_s);
    QCOMPARE(state.OptionList.lines(), oldOptions);
    QCOMPARE(state.SelectNum, oldSelectNum);
    QCOMPARE(state.QuestionList.lines(), oldWords);
    QCOMPARE(state.AnswerList.lines(), oldMeanings);
    QCOMPARE(state.AllQuestNum, oldAllQuestNum);
}

QTEST_GUILESS_MAIN(TestCourseLoad)
#include "tst_courseload.moc"
