#include "CourseFiles.h"
#include "ExerciseDoubles.h"

#include "core/Fault.h"
#include "course/CourseLoad.h"

#include <QTest>

using namespace Qt::StringLiterals;
using vocarin::testkit::numbered;
using vocarin::testkit::Rig;

namespace {

// A course folder, its meanings numbered.
void writeCourse(const QString& folder, const QString& title, qint32 selectNum,
                 const QStringList& words)
{
    vocarin::testkit::writeCourse(folder, title, u"day1"_s, selectNum, words,
                                  numbered(u"意味"_s, int(words.size())));
}

} // namespace

class TestInitialGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void load_data();
    void load();
    void courseChange();
    void loadFault_data();
    void loadFault();
};

void TestInitialGame::load_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<bool>("runs");

    QTest::newRow("three words begin a run") << 3 << true;
    QTest::newRow("two words: message, then the window closes") << 2 << false;
    QTest::newRow("no words") << 0 << false;
}

void TestInitialGame::load()
{
    QFETCH(int, words);
    QFETCH(bool, runs);

    Rig rig;
    writeCourse(rig.courses.filePath(u"a"_s), u"Colours"_s, 2, numbered(u"w"_s, words));
    rig.random.queue({1, 0, 0});
    rig.exercise.InitialGame(u".\\a\\"_s);

    QCOMPARE(rig.board.caption, u"Colours"_s);
    QCOMPARE(rig.state().AllQuestNum, words);
    if (runs) {
        QCOMPARE(rig.random.left(), 0);
        QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/3"_s);
        QCOMPARE(rig.order(), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(rig.state().CurrentNum, 1);
        QCOMPARE(rig.speaker.spoken, QStringList{u"w1"_s});
        QCOMPARE(rig.state().AnsCheckString, u"意味1"_s);
        QCOMPARE(rig.board.checkedChoice, 2);
        QVERIFY(!rig.board.closed);
    } else {
        // Nothing of a run: no status texts, no order, no word spoken.
        QCOMPARE(rig.log.entries(),
                 (QStringList{u"caption:Colours"_s, u"message:"_s + vocarin::tooFewWordsMessage(),
                              u"close"_s}));
        QCOMPARE(rig.order(), QStringList{});
        QCOMPARE(rig.random.asked, QList<qint32>{});
        // And the handlers that follow before the window has gone do nothing.
        rig.log.clear();
        rig.exercise.btnNextClick();
        rig.exercise.btnResetClick();
        rig.exercise.rbRndOffChange();
        QCOMPARE(rig.log.entries(), QStringList{});
    }
}

void TestInitialGame::courseChange()
{
    Rig rig;
    writeCourse(rig.courses.filePath(u"a"_s), u"First"_s, 1, numbered(u"w"_s, 3));
    writeCourse(rig.courses.filePath(u"b"_s), u"Second"_s, 2, numbered(u"v"_s, 4));
    rig.random.queue({0, 0, 0});
    rig.exercise.InitialGame(u".\\a\\"_s);
    rig.exercise.btnWord1Click(1);
    rig.exercise.btnNextClick();
    QCOMPARE(rig.state().CurrentNum, 2);
    QCOMPARE(rig.state().CorrectNum, 1);

    rig.random.queue({1, 0, 0});
    rig.exercise.InitialGame(u".\\b\\"_s);

    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.board.caption, u"Second"_s);
    QCOMPARE(rig.state().CurrentNum, 1);
    QCOMPARE(rig.state().CorrectNum, 0);
    QCOMPARE(rig.state().SelectNum, 2);
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/4"_s);
    QCOMPARE(rig.board.lbCorrectNum, u"正解数： 0"_s);
    QCOMPARE(rig.order().size(), 4);
    QCOMPARE(rig.speaker.spoken.last(), u"v1"_s);
}

void TestInitialGame::loadFault_data()
{
    QTest::addColumn<QByteArray>("optionFile"); // of course b
    QTest::addColumn<bool>("meaningsExist");

    QTest::newRow("wrong prefix") << QByteArray("Second\nday2\n4") << true;
    QTest::newRow("choice count not a number") << QByteArray("Second\nday1\nfour") << true;
    QTest::newRow("meaning list missing") << QByteArray("Second\nday1\n4") << false;
}

// Course a runs, "問題を変える" chooses b, whose load fails, and the dialog is
// closed: the learner goes on with a, under a's title, with a's buttons.
void TestInitialGame::loadFault()
{
    QFETCH(QByteArray, optionFile);
    QFETCH(bool, meaningsExist);

    Rig rig;
    writeCourse(rig.courses.filePath(u"a"_s), u"First"_s, 2, numbered(u"w"_s, 5));
    writeCourse(rig.courses.filePath(u"b"_s), u"Second"_s, 4, numbered(u"v"_s, 5));
    vocarin::testkit::writeFile(rig.courses.filePath(u"b/Option.txt"_s), optionFile);
    if (!meaningsExist)
        QVERIFY(QFile::remove(rig.courses.filePath(u"b/day1J.txt"_s)));
    rig.random.queue({1, 0, 1, 0}); // the right meaning on button 1; the praise
    rig.exercise.InitialGame(u".\\a\\"_s);
    rig.exercise.btnWord1Click(1);
    QCOMPARE(rig.state().CorrectNum, 1);
    const QStringList options = rig.state().OptionList.lines();
    rig.log.clear();

    QVERIFY_THROWS_EXCEPTION(vocarin::Fault, rig.exercise.InitialGame(u".\\b\\"_s));
    QCOMPARE(rig.log.entries(), QStringList{});
    QCOMPARE(rig.board.caption, u"First"_s);
    QCOMPARE(rig.state().OptionList.lines(), options);
    QCOMPARE(rig.state().SelectNum, 2);
    QCOMPARE(rig.state().QuestionList.lines(), numbered(u"w"_s, 5));
    QCOMPARE(rig.state().AnswerList.lines(), numbered(u"意味"_s, 5));
    QCOMPARE(rig.state().AllQuestNum, 5);
    QCOMPARE(rig.state().CorrectNum, 1);

    rig.random.queue({0, 0, 0});
    rig.exercise.btnNextClick();
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 2/5"_s);
    QCOMPARE(rig.speaker.spoken.last(), u"w2"_s);
    QCOMPARE(rig.board.visibleAnswers().size(), 2);
    QCOMPARE(rig.random.left(), 0);
}

QTEST_GUILESS_MAIN(TestInitialGame)
#include "tst_initialgame.moc"
