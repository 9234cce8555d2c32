#include "ExerciseDoubles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using vocarin::testkit::Rig;

namespace {

constexpr int kWords = 4;

// Two choices in a four-word course: the distractor is the next word in the
// course, btnWord1 shows it and btnWord2 the right meaning.
void queueQuestion(Rig& rig, qint32 currentNum)
{
    rig.random.queue({currentNum % kWords, 0, 0});
}

void answer(Rig& rig, bool right)
{
    if (!right)
        rig.exercise.btnWord1Click(1);
    rig.random.queue({0}); // the praise
    rig.exercise.btnWord1Click(2);
}

// A whole run in course order; the words numbered in `wrong` get a wrong first press.
void playWholeRun(Rig& rig, const QList<qint32>& wrong)
{
    rig.setNumberedCourse(kWords, 2);
    queueQuestion(rig, 1);
    rig.exercise.beginRun();
    for (qint32 word = 1; word <= kWords; ++word) {
        answer(rig, !wrong.contains(word));
        if (word < kWords)
            queueQuestion(rig, word + 1);
        rig.exercise.btnNextClick();
    }
    rig.log.clear();
}

} // namespace

class TestMistakes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundOfMistakes();
    void shuffledWhenRandomOrderIsOn();
    void resetReplaysTheRound();
    void retriesTheRoundsOwnMistakes();
    void optionChangeReturnsToWholeCourse();
    void noMistakes_data();
    void noMistakes();
};

void TestMistakes::roundOfMistakes()
{
    Rig rig;
    playWholeRun(rig, {2, 4});

    queueQuestion(rig, 2);
    rig.exercise.startMistakesRound();
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/2"_s);
    QCOMPARE(rig.board.lbCorrectNum, u"正解数： 0"_s);
    QCOMPARE(rig.board.lbWrongNum, u"誤答数： 0"_s);
    QVERIFY(!rig.board.circle);
    QCOMPARE(rig.speaker.spoken.last(), u"w2"_s);
    // Distractors are still drawn from the whole course.
    QCOMPARE(rig.random.asked.mid(rig.random.asked.size() - 3), (QList<qint32>{kWords, 2, 2}));
    QCOMPARE(rig.board.visibleAnswers(), (QStringList{u"m3"_s, u"m2"_s}));

    answer(rig, true);
    queueQuestion(rig, 4);
    rig.exercise.btnNextClick();
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 2/2"_s);
    QCOMPARE(rig.speaker.spoken.last(), u"w4"_s);

    answer(rig, true);
    rig.exercise.btnNextClick();
    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.board.messages.last(), u"おめでとうございます!! パーフェクトです!!"_s);
}

void TestMistakes::shuffledWhenRandomOrderIsOn()
{
    Rig rig;
    playWholeRun(rig, {1, 2, 3});
    rig.board.randomOrderOn = true;

    // Swaps over the three mistakes: 0<->2, 1<->1, 2<->2 asks w3 first.
    rig.random.queue({2, 1, 2});
    queueQuestion(rig, 3);
    rig.exercise.startMistakesRound();
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/3"_s);
    QCOMPARE(rig.speaker.spoken.last(), u"w3"_s);
    QCOMPARE(rig.random.left(), 0);
}

void TestMistakes::resetReplaysTheRound()
{
    Rig rig;
    playWholeRun(rig, {2, 3});
    queueQuestion(rig, 2);
    rig.exercise.startMistakesRound();
    answer(rig, false);
    queueQuestion(rig, 3);
    rig.exercise.btnNextClick();

    queueQuestion(rig, 2);
    rig.exercise.btnResetClick();
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/2"_s);
    QCOMPARE(rig.board.lbWrongNum, u"誤答数： 0"_s);
    QCOMPARE(rig.speaker.spoken.last(), u"w2"_s);
    QCOMPARE(rig.random.left(), 0);
}

void TestMistakes::retriesTheRoundsOwnMistakes()
{
    Rig rig;
    playWholeRun(rig, {1, 3});
    queueQuestion(rig, 1);
    rig.exercise.startMistakesRound();
    answer(rig, true);
    queueQuestion(rig, 3);
    rig.exercise.btnNextClick();
    answer(rig, false);

    queueQuestion(rig, 3);
    rig.exercise.startMistakesRound();
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/1"_s);
    QCOMPARE(rig.speaker.spoken.last(), u"w3"_s);
    answer(rig, true);
    rig.exercise.btnNextClick();
    QCOMPARE(rig.board.messages.last(), u"おめでとうございます!! パーフェクトです!!"_s);
}

void TestMistakes::optionChangeReturnsToWholeCourse()
{
    Rig rig;
    playWholeRun(rig, {2});
    queueQuestion(rig, 2);
    rig.exercise.startMistakesRound();

    queueQuestion(rig, 1);
    rig.exercise.rbItemClick(2);
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/4"_s);
    QCOMPARE(rig.speaker.spoken.last(), u"w1"_s);
    // The mistakes of the left round are gone with it.
    rig.exercise.startMistakesRound();
    QCOMPARE(rig.board.messages.last(), u"間違えた単語はありません。"_s);
}

void TestMistakes::noMistakes_data()
{
    QTest::addColumn<bool>("courseLoaded");
    QTest::newRow("perfect run") << true;
    QTest::newRow("no course") << false;
}

void TestMistakes::noMistakes()
{
    QFETCH(bool, courseLoaded);

    Rig rig;
    if (courseLoaded)
        playWholeRun(rig, {});
    rig.exercise.startMistakesRound();
    QCOMPARE(rig.log.entries(), QStringList{u"message:間違えた単語はありません。"_s});
}

QTEST_GUILESS_MAIN(TestMistakes)
#include "tst_mistakes.moc"
