#include "ExerciseDoubles.h"

#include <QTest>

using namespace Qt::StringLiterals;
using vocarin::testkit::Rig;

class TestQuestionOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void beginRun_data();
    void beginRun();
    void restart_data();
    void restart();
    void statusTextForm();
};

void TestQuestionOrder::beginRun_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<bool>("randomOn");
    QTest::addColumn<QList<qint32>>("shuffle");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("list order") << 5 << false << QList<qint32>{}
                                << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
    QTest::newRow("shuffle, generator always 0")
        << 3 << true << QList<qint32>{0, 0, 0} << QStringList{u"3"_s, u"1"_s, u"2"_s};
    QTest::newRow("shuffle, draws below and above i")
        << 4 << true << QList<qint32>{3, 0, 3, 1} << QStringList{u"2"_s, u"3"_s, u"1"_s, u"4"_s};
    QTest::newRow("shuffle, every draw equal to i")
        << 3 << true << QList<qint32>{0, 1, 2} << QStringList{u"1"_s, u"2"_s, u"3"_s};
}

void TestQuestionOrder::beginRun()
{
    QFETCH(int, words);
    QFETCH(bool, randomOn);
    QFETCH(QList<qint32>, shuffle);
    QFETCH(QStringList, order);

    Rig rig;
    rig.setNumberedCourse(words, 1);
    rig.board.randomOrderOn = randomOn;
    rig.board.circle = true;
    rig.random.queue(shuffle);
    rig.random.queue({0}); // arranging the single button
    rig.exercise.beginRun();

    QCOMPARE(rig.order(), order);
    // A fixed number of draws over the whole range, then the composition's.
    QList<qint32> asked(shuffle.size(), words);
    asked.append(1);
    QCOMPARE(rig.random.asked, asked);
    QCOMPARE(rig.state().CurrentNum, 1);
    QCOMPARE(rig.state().TempWord, u"w"_s + order.first());
    QCOMPARE(rig.log.only({u"lbQuestNum"_s, u"lbCorrectNum"_s, u"lbWrongNum"_s}),
             (QStringList{u"lbQuestNum:問題番号： 1/"_s + QString::number(words),
                          u"lbCorrectNum:正解数： 0"_s, u"lbWrongNum:誤答数： 0"_s}));
    QVERIFY(!rig.board.circle);
}

void TestQuestionOrder::restart_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("randomOnAfter");
    QTest::addColumn<QList<qint32>>("script");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QList<qint32>>("asked");

    const QStringList first{u"2"_s, u"3"_s, u"1"_s, u"4"_s};
    const QStringList allZero{u"4"_s, u"1"_s, u"2"_s, u"3"_s};
    QTest::newRow("Restart keeps the order")
        << u"reset"_s << true << QList<qint32>{0} << first << QList<qint32>{1};
    QTest::newRow("random order on again builds a new shuffle")
        << u"random"_s << true << QList<qint32>{0, 0, 0, 0, 0} << allZero
        << QList<qint32>{4, 4, 4, 4, 1};
    QTest::newRow("random order off restores list order")
        << u"random"_s << false << QList<qint32>{0} << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}
        << QList<qint32>{1};
    QTest::newRow("choice count click builds a new shuffle")
        << u"count"_s << true << QList<qint32>{0, 0, 0, 0, 0} << allZero
        << QList<qint32>{4, 4, 4, 4, 1};
}

void TestQuestionOrder::restart()
{
    QFETCH(QString, action);
    QFETCH(bool, randomOnAfter);
    QFETCH(QList<qint32>, script);
    QFETCH(QStringList, order);
    QFETCH(QList<qint32>, asked);

    Rig rig;
    rig.setNumberedCourse(4, 1);
    rig.board.randomOrderOn = true;
    rig.random.queue({3, 0, 3, 1, 0});
    rig.exercise.beginRun();
    // Question 1 answered right, question 2 answered wrong.
    rig.random.queue({0, 0});
    rig.exercise.btnWord1Click(1);
    rig.exercise.btnNextClick();
    rig.board.setAnswerText(1, u"not the meaning"_s);
    rig.exercise.btnWord1Click(1);
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 2/4"_s);
    QCOMPARE(rig.board.lbCorrectNum, u"正解数： 1"_s);
    QCOMPARE(rig.board.lbWrongNum, u"誤答数： 1"_s);

    rig.random.asked.clear();
    rig.board.randomOrderOn = randomOnAfter;
    rig.random.queue(script);
    if (action == u"reset")
        rig.exercise.btnResetClick();
    else if (action == u"random")
        rig.exercise.rbRndOffChange();
    else
        rig.exercise.rbItemClick(1);

    QCOMPARE(rig.order(), order);
    QCOMPARE(rig.random.asked, asked);
    QCOMPARE(rig.state().CurrentNum, 1);
    QCOMPARE(rig.state().CorrectNum, 0);
    QCOMPARE(rig.state().WrongNum, 0);
    QCOMPARE(rig.state().NewChk, 0);
    QCOMPARE(rig.board.lbQuestNum, u"問題番号： 1/4"_s);
    QCOMPARE(rig.board.lbCorrectNum, u"正解数： 0"_s);
    QCOMPARE(rig.board.lbWrongNum, u"誤答数： 0"_s);
    QCOMPARE(rig.state().TempWord, u"w"_s + order.first());
    QVERIFY(!rig.board.circle);
    QVERIFY(!rig.board.next);
}

void TestQuestionOrder::statusTextForm()
{
    Rig rig;
    rig.setNumberedCourse(12, 1);
    rig.random.queue({0});
    rig.exercise.beginRun();

    // Full-width colon, then one ordinary space; no padding or grouping.
    const QString text = rig.board.lbQuestNum;
    QCOMPARE(text.size(), 10);
    QCOMPARE(text.at(4), QChar(0xFF1A));
    QCOMPARE(text.at(5), QChar(u' '));
    QCOMPARE(text.mid(6), u"1/12"_s);
    QCOMPARE(rig.board.lbCorrectNum.at(3), QChar(0xFF1A));
    QCOMPARE(rig.board.lbWrongNum.at(3), QChar(0xFF1A));
}

QTEST_GUILESS_MAIN(TestQuestionOrder)
#include "tst_questionorder.moc"
