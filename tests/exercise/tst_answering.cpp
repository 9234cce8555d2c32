#include "ExerciseDoubles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using vocarin::testkit::numbered;
using vocarin::testkit::Rig;

namespace {

const QStringList kFeedback{u"cue:"_s, u"speak:"_s, u"message:"_s};

// A three-word course in list order with three choices. Each question's
// script puts the correct meaning on btnWord2 and another on btnWord1.
const QList<qint32> kQuestion1{1, 2, 0, 0, 0};
const QList<qint32> kQuestion2{0, 2, 0, 0, 0};
const QList<qint32> kQuestion3{0, 1, 0, 0, 0};

void beginThreeWordRun(Rig& rig, const QStringList& meanings)
{
    rig.setCourse(numbered(u"w"_s, 3), meanings, 3);
    rig.random.queue(kQuestion1);
    rig.exercise.beginRun();
    rig.log.clear();
}

} // namespace

class TestAnswering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressSteps_data();
    void pressSteps();
    void presses_data();
    void presses();
    void praiseTexts_data();
    void praiseTexts();
    void nextQuestion();
    void wholeRun_data();
    void wholeRun();
    void closingAgain();
    void listenAgain();
};

void TestAnswering::pressSteps_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("right") << 2 << QStringList{u"cue:Pu"_s,       u"lbJap:m1"_s,
                                               u"disable2"_s,     u"circle:on"_s,
                                               u"random:8"_s,     u"cue:PingPong"_s,
                                               u"speak:Right!"_s, u"lbCorrectNum:正解数： 1"_s,
                                               u"next:on"_s};
    QTest::newRow("wrong") << 1 << QStringList{u"cue:Pu"_s,    u"lbJap:m3"_s,
                                               u"disable1"_s,  u"cue:Bubuu"_s,
                                               u"speak:No!"_s, u"lbWrongNum:誤答数： 1"_s};
}

void TestAnswering::pressSteps()
{
    QFETCH(int, button);
    QFETCH(QStringList, steps);

    Rig rig;
    beginThreeWordRun(rig, numbered(u"m"_s, 3));
    rig.random.queue({3});
    rig.exercise.btnWord1Click(button);
    QCOMPARE(rig.log.entries(), steps);
    QCOMPARE(rig.state().NewChk, 1);
}

void TestAnswering::presses_data()
{
    QTest::addColumn<QStringList>("meanings");
    QTest::addColumn<QList<int>>("presses");
    QTest::addColumn<QList<qint32>>("praise");
    QTest::addColumn<QStringList>("feedback");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<bool>("nextEnabled");
    QTest::addColumn<QString>("shown");

    const QStringList m3 = numbered(u"m"_s, 3);
    const QString pu = u"cue:Pu"_s;
    const QString chime = u"cue:PingPong"_s;
    const QString buzz = u"cue:Bubuu"_s;
    const QString no = u"speak:No!"_s;
    QTest::newRow("right first press")
        << m3 << QList<int>{2} << QList<qint32>{3} << QStringList{pu, chime, u"speak:Right!"_s} << 1
        << 0 << true << u"m1"_s;
    QTest::newRow("wrong, then right: only the wrong counts")
        << m3 << QList<int>{1, 2} << QList<qint32>{0}
        << QStringList{pu, buzz, no, pu, chime, u"speak:Excellent!"_s} << 0 << 1 << true << u"m1"_s;
    QTest::newRow("two wrong presses count once")
        << m3 << QList<int>{1, 3} << QList<qint32>{} << QStringList{pu, buzz, no, pu, buzz, no} << 0
        << 1 << false << u"m2"_s;
    QTest::newRow("wrong after right: no count, Next stays")
        << m3 << QList<int>{2, 1} << QList<qint32>{7}
        << QStringList{pu, chime, u"speak:Bingo!"_s, pu, buzz, no} << 1 << 0 << true << u"m3"_s;
    // Question 1 shows "other", "same" (the asked word), "same" (a distractor).
    QTest::newRow("a distractor with the correct meaning's text is right too")
        << QStringList{u"same"_s, u"same"_s, u"other"_s} << QList<int>{3, 2} << QList<qint32>{1, 2}
        << QStringList{pu, chime, u"speak:Correct!"_s, pu, chime, u"speak:Great!"_s} << 1 << 0
        << true << u"same"_s;
}

void TestAnswering::presses()
{
    QFETCH(QStringList, meanings);
    QFETCH(QList<int>, presses);
    QFETCH(QList<qint32>, praise);
    QFETCH(QStringList, feedback);
    QFETCH(int, correct);
    QFETCH(int, wrong);
    QFETCH(bool, nextEnabled);
    QFETCH(QString, shown);

    Rig rig;
    beginThreeWordRun(rig, meanings);
    rig.random.queue(praise);
    for (int button : presses)
        rig.exercise.btnWord1Click(button);

    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.log.only(kFeedback), feedback);
    QCOMPARE(rig.state().CorrectNum, correct);
    QCOMPARE(rig.state().WrongNum, wrong);
    QCOMPARE(rig.board.lbCorrectNum, u"正解数： "_s + QString::number(correct));
    QCOMPARE(rig.board.lbWrongNum, u"誤答数： "_s + QString::number(wrong));
    QCOMPARE(rig.board.next, nextEnabled);
    // A right answer shows the circle; a later wrong press does not hide it.
    QCOMPARE(rig.board.circle, nextEnabled);
    QCOMPARE(rig.board.lbJap, shown);
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(rig.board.at(k).enabled, !presses.contains(k));
    QCOMPARE(rig.state().NewChk, 1);
}

void TestAnswering::praiseTexts_data()
{
    QTest::addColumn<qint32>("draw");
    QTest::addColumn<QString>("text");

    const QStringList texts{u"Excellent!"_s, u"Correct!"_s, u"Great!"_s,   u"Right!"_s,
                            u"Well Done!"_s, u"OK!"_s,      u"Amazing!"_s, u"Bingo!"_s};
    for (qint32 draw = 0; draw < 8; ++draw)
        QTest::addRow("%d", draw) << draw << texts.at(draw);
}

void TestAnswering::praiseTexts()
{
    QFETCH(qint32, draw);
    QFETCH(QString, text);

    Rig rig;
    beginThreeWordRun(rig, numbered(u"m"_s, 3));
    rig.random.queue({draw});
    rig.exercise.btnWord1Click(2);
    QCOMPARE(rig.speaker.spoken.last(), text);
}

void TestAnswering::nextQuestion()
{
    Rig rig;
    beginThreeWordRun(rig, numbered(u"m"_s, 3));
    rig.random.queue({0});
    rig.exercise.btnWord1Click(2);
    rig.random.queue(kQuestion2);
    rig.exercise.btnNextClick();

    QCOMPARE(rig.state().CurrentNum, 2);
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 2/3"_s);
    QVERIFY(!rig.board.circle);
    QVERIFY(!rig.board.next);
    QCOMPARE(rig.state().NewChk, 0);
    QCOMPARE(rig.state().TempWord, u"w2"_s);
    QCOMPARE(rig.board.visibleAnswers(), (QStringList{u"m3"_s, u"m2"_s, u"m1"_s}));
    QCOMPARE(rig.board.lbJap, QString());
    // The count of the first question stays.
    QCOMPARE(rig.board.lbCorrectNum, u"正解数： 1"_s);
}

void TestAnswering::wholeRun_data()
{
    QTest::addColumn<bool>("wrongOnSecond");
    QTest::addColumn<QStringList>("feedback");

    const QString pu = u"cue:Pu"_s;
    const QString chime = u"cue:PingPong"_s;
    QTest::newRow("all right at the first press")
        << false
        << QStringList{u"speak:w1"_s,
                       pu,
                       chime,
                       u"speak:Excellent!"_s,
                       u"speak:w2"_s,
                       pu,
                       chime,
                       u"speak:Correct!"_s,
                       u"speak:w3"_s,
                       pu,
                       chime,
                       u"speak:Great!"_s,
                       u"speak:Congratulation!! You are PERFECT!!"_s,
                       u"message:おめでとうございます!! パーフェクトです!!"_s};
    QTest::newRow("one wrong first press")
        << true
        << QStringList{u"speak:w1"_s,
                       pu,
                       chime,
                       u"speak:Excellent!"_s,
                       u"speak:w2"_s,
                       pu,
                       u"cue:Bubuu"_s,
                       u"speak:No!"_s,
                       pu,
                       chime,
                       u"speak:Correct!"_s,
                       u"speak:w3"_s,
                       pu,
                       chime,
                       u"speak:Great!"_s,
                       u"speak:Good work! You have finished word exercise."_s,
                       u"message:おつかれさまです。単語の練習を終了しました。"_s};
}

void TestAnswering::wholeRun()
{
    QFETCH(bool, wrongOnSecond);
    QFETCH(QStringList, feedback);

    Rig rig;
    rig.setNumberedCourse(3, 3);
    rig.random.queue(kQuestion1);
    rig.random.queue({0});
    rig.random.queue(kQuestion2);
    rig.random.queue({1});
    rig.random.queue(kQuestion3);
    rig.random.queue({2});

    rig.exercise.beginRun();
    rig.exercise.btnWord1Click(2);
    rig.exercise.btnNextClick();
    if (wrongOnSecond)
        rig.exercise.btnWord1Click(1);
    rig.exercise.btnWord1Click(2);
    rig.exercise.btnNextClick();
    rig.exercise.btnWord1Click(2);
    rig.exercise.btnNextClick();

    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.log.only(kFeedback), feedback);
    // The last question stays on screen with its counts; the run is over.
    QVERIFY(!rig.board.next);
    QVERIFY(!rig.board.circle);
    QCOMPARE(rig.state().CurrentNum, 3);
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 3/3"_s);
    QCOMPARE(rig.state().CorrectNum + rig.state().WrongNum, 3);
}

void TestAnswering::closingAgain()
{
    // The last question shows "same" on btnWord1 and btnWord2: both are right.
    Rig rig;
    rig.setCourse(numbered(u"w"_s, 3), {u"m1"_s, u"same"_s, u"same"_s}, 3);
    for (const QList<qint32>& question : {kQuestion1, kQuestion2, kQuestion3}) {
        rig.random.queue(question);
        rig.random.queue({0});
    }
    rig.exercise.beginRun();
    for (int i = 0; i < 3; ++i) {
        rig.exercise.btnWord1Click(2);
        rig.exercise.btnNextClick();
    }
    QVERIFY(!rig.board.next);
    QCOMPARE(rig.board.messages.size(), 1);

    rig.random.queue({0});
    rig.exercise.btnWord1Click(1);
    QVERIFY(rig.board.next);
    rig.exercise.btnNextClick();
    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(rig.board.messages, QStringList(2, u"おめでとうございます!! パーフェクトです!!"_s));
    QVERIFY(!rig.board.next);
}

void TestAnswering::listenAgain()
{
    Rig rig;
    beginThreeWordRun(rig, numbered(u"m"_s, 3));
    for (int i = 0; i < 3; ++i)
        rig.exercise.bbtnListenAgainClick();
    QCOMPARE(rig.log.entries(), (QStringList(3, u"speak:w1"_s)));
}

QTEST_GUILESS_MAIN(TestAnswering)
#include "tst_answering.moc"
