#include "ExerciseDoubles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using vocarin::testkit::numbered;
using vocarin::testkit::Rig;

namespace {

// Draws that compose question 1 of a numbered course in list order: the next
// positions as distractors, then the arrangement.
QList<qint32> firstQuestionDraws(qint32 selectNum)
{
    QList<qint32> draws;
    for (qint32 p = 1; p < selectNum; ++p)
        draws.append(p);
    draws.append(QList<qint32>(selectNum, 0));
    return draws;
}

// Begins a run in list order and answers question 1 right, so that a restart
// shows in the counters.
void beginAnsweredRun(Rig& rig, int words, qint32 selectNum)
{
    rig.setNumberedCourse(words, selectNum);
    rig.random.queue(firstQuestionDraws(selectNum));
    rig.exercise.beginRun();
    rig.random.queue({0});
    const int right = int(rig.board.visibleAnswers().indexOf(u"m1"_s)) + 1;
    rig.exercise.btnWord1Click(right);
    QCOMPARE(rig.state().CorrectNum, 1);
    rig.log.clear();
    rig.random.asked.clear();
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choiceCountClick_data();
    void choiceCountClick();
    void loweredCountAppliesNext();
    void randomOrderChange_data();
    void randomOrderChange();
    void englishDisplay_data();
    void englishDisplay();
    void beforeAnyCourse_data();
    void beforeAnyCourse();
};

void TestOptions::choiceCountClick_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<qint32>("selectNum");
    QTest::addColumn<int>("click");
    QTest::addColumn<bool>("restarts");
    QTest::addColumn<qint32>("selectAfter");

    for (int click = 1; click <= 6; ++click)
        QTest::addRow("6 words, click %d restarts", click) << 6 << 3 << click << true << click;
    QTest::newRow("click on the count in effect restarts") << 5 << 3 << 3 << true << 3;
    QTest::newRow("4 words, click 6: lowered to 4") << 4 << 3 << 6 << false << 4;
    QTest::newRow("3 words, click 5: lowered to 3") << 3 << 2 << 5 << false << 3;
    QTest::newRow("5 words, click 6: lowered to 5") << 5 << 1 << 6 << false << 5;
}

void TestOptions::choiceCountClick()
{
    QFETCH(int, words);
    QFETCH(qint32, selectNum);
    QFETCH(int, click);
    QFETCH(bool, restarts);
    QFETCH(qint32, selectAfter);

    Rig rig;
    beginAnsweredRun(rig, words, selectNum);
    if (restarts)
        rig.random.queue(firstQuestionDraws(click));
    rig.exercise.rbItemClick(click);

    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.state().SelectNum, selectAfter);
    QCOMPARE(rig.board.checkedChoice, selectAfter);
    if (restarts) {
        QCOMPARE(rig.state().CorrectNum, 0);
        QCOMPARE(rig.board.lbCorrectNum, u"正解数： 0"_s);
        QCOMPARE(rig.board.visibleAnswers().size(), click);
        QCOMPARE(rig.speaker.spoken.last(), u"w1"_s);
        QVERIFY(!rig.board.circle);
        QVERIFY(!rig.board.next);
    } else {
        // The question on screen goes on: same buttons, same counts, no draw.
        QCOMPARE(rig.log.entries(), QStringList{u"check:"_s + QString::number(selectAfter)});
        QCOMPARE(rig.state().CorrectNum, 1);
        QCOMPARE(rig.board.visibleAnswers().size(), selectNum);
        QVERIFY(rig.board.next);
    }
}

void TestOptions::loweredCountAppliesNext()
{
    Rig rig;
    beginAnsweredRun(rig, 4, 3);
    rig.exercise.rbItemClick(6);
    rig.random.queue({0, 2, 3, 0, 0, 0, 0});
    rig.exercise.btnNextClick();

    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.state().CurrentNum, 2);
    QCOMPARE(rig.board.visibleAnswers().size(), 4);
    QCOMPARE(rig.board.checkedChoice, 4);
}

void TestOptions::randomOrderChange_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<qint32>("selectNum");
    QTest::addColumn<bool>("restarts");
    QTest::addColumn<qint32>("selectAfter");
    QTest::addColumn<int>("checked");

    // A count above the word count, as a hand-edited option file may give.
    QTest::newRow("8 on 5 words: lowered to 5, no restart") << 5 << 8 << false << 5 << 5;
    QTest::newRow("8 on 7 words: nothing happens") << 7 << 8 << false << 8 << 0;
    QTest::newRow("-1 on 3 words: restart without buttons") << 3 << -1 << true << -1 << 0;
    QTest::newRow("3 on 6 words: restart") << 6 << 3 << true << 3 << 3;
}

void TestOptions::randomOrderChange()
{
    QFETCH(int, words);
    QFETCH(qint32, selectNum);
    QFETCH(bool, restarts);
    QFETCH(qint32, selectAfter);
    QFETCH(int, checked);

    Rig rig;
    rig.setNumberedCourse(words, selectNum);
    const bool shown = selectNum >= 1 && selectNum <= 6;
    if (shown)
        rig.random.queue(firstQuestionDraws(selectNum));
    rig.exercise.beginRun();
    QCOMPARE(rig.board.visibleAnswers().isEmpty(), !shown);
    rig.log.clear();

    // rbRndOn checked: a restart would shuffle; the generator always gives 0.
    rig.board.randomOrderOn = true;
    if (restarts) {
        rig.random.queue(QList<qint32>(words, 0));
        if (shown)
            rig.random.queue({0, 1, 2, 0, 0, 0}); // position 1 is the asked one
    }
    rig.exercise.rbRndOffChange();

    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.state().SelectNum, selectAfter);
    QCOMPARE(rig.board.checkedChoice, checked);
    QCOMPARE(rig.order().first(), restarts ? QString::number(words) : u"1"_s);
    QCOMPARE(rig.log.only({u"speak:"_s}).size(), restarts ? 1 : 0);
}

void TestOptions::englishDisplay_data()
{
    QTest::addColumn<bool>("onAtStart");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("switchTo"); // -1: no switch, 0: off, 1: on
    QTest::addColumn<QString>("english");

    QTest::newRow("on: composition shows the word") << true << QString() << -1 << u"w1"_s;
    QTest::newRow("off: composition leaves the text") << false << u"old"_s << -1 << u"old"_s;
    QTest::newRow("switched off: emptied at once") << true << QString() << 0 << QString();
    QTest::newRow("switched on: the current word at once") << false << QString() << 1 << u"w1"_s;
}

void TestOptions::englishDisplay()
{
    QFETCH(bool, onAtStart);
    QFETCH(QString, before);
    QFETCH(int, switchTo);
    QFETCH(QString, english);

    // Shuffled 3, 1, 2: question 2 is word 1, so position and word differ.
    Rig rig;
    rig.setNumberedCourse(3, 1);
    rig.board.randomOrderOn = true;
    rig.board.englishOn = onAtStart;
    rig.board.lbEnglish = before;
    rig.random.queue({0, 0, 0, 0, 0, 0});
    rig.exercise.beginRun();
    rig.exercise.btnWord1Click(1);
    rig.exercise.btnNextClick();
    QCOMPARE(rig.random.left(), 0);

    if (switchTo >= 0) {
        rig.board.englishOn = switchTo == 1;
        // The losing and the gaining button both fire a change.
        rig.exercise.rbEnglishOnChange();
        rig.exercise.rbEnglishOnChange();
    }
    QCOMPARE(rig.board.lbEnglish, english);
}

void TestOptions::beforeAnyCourse_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("Next") << u"next"_s << QStringList{};
    QTest::newRow("Restart") << u"reset"_s << QStringList{};
    QTest::newRow("random order change") << u"random"_s << QStringList{};
    QTest::newRow("choice count 4") << u"count"_s << QStringList{u"check:4"_s};
    QTest::newRow("English display on") << u"englishOn"_s << QStringList{u"lbEnglish:"_s};
    QTest::newRow("English display off") << u"englishOff"_s << QStringList{u"lbEnglish:"_s};
    QTest::newRow("Listen again") << u"listen"_s << QStringList{u"speak:"_s};
}

void TestOptions::beforeAnyCourse()
{
    QFETCH(QString, action);
    QFETCH(QStringList, events);

    Rig rig;
    rig.board.randomOrderOn = true;
    if (action == u"next")
        rig.exercise.btnNextClick();
    else if (action == u"reset")
        rig.exercise.btnResetClick();
    else if (action == u"random")
        rig.exercise.rbRndOffChange();
    else if (action == u"count")
        rig.exercise.rbItemClick(4);
    else if (action == u"listen")
        rig.exercise.bbtnListenAgainClick();
    else {
        rig.board.englishOn = action == u"englishOn";
        rig.exercise.rbEnglishOnChange();
    }

    QCOMPARE(rig.log.entries(), events);
    QCOMPARE(rig.state().SelectNum, action == u"count" ? 4 : 0);
    QCOMPARE(rig.state().CurrentNum, 0);
    QCOMPARE(rig.state().QNumList.count(), 0);
}

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
