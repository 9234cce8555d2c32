#include "ExerciseDoubles.h"
#include "Faults.h"

#include "core/Fault.h"

#include <QTest>

using namespace Qt::StringLiterals;
using vocarin::ExerciseState;
using vocarin::testkit::faultOf;
using vocarin::testkit::numbered;
using vocarin::testkit::Rig;

namespace {

// A run in list order whose first question has no buttons, so the table's
// question is the only composition that draws.
void beginQuietRun(Rig& rig, const QStringList& english, const QStringList& meanings)
{
    rig.setCourse(english, meanings, 0);
    rig.exercise.beginRun();
    rig.log.clear();
    rig.random.asked.clear();
}

} // namespace

class TestComposition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedDraw();
    void drawRules_data();
    void drawRules();
    void missingMeaning_data();
    void missingMeaning();
};

void TestComposition::workedDraw()
{
    Rig rig;
    beginQuietRun(rig, numbered(u"w"_s, 4), numbered(u"m"_s, 4));
    rig.state().SelectNum = 3;
    rig.state().CurrentNum = 2;
    rig.random.queue({1, 0, 0, 2, 0, 0, 0});
    rig.exercise.StartGame();

    const ExerciseState& s = rig.state();
    QCOMPARE(s.CQList.lines(), (QStringList{u"w2"_s, u"w1"_s, u"w3"_s}));
    QCOMPARE(s.CJList.lines(), (QStringList{u"m2"_s, u"m1"_s, u"m3"_s}));
    QCOMPARE(s.QuestionPart, (std::array<qint32, 6>{3, 1, 2, 4, 5, 6}));
    QCOMPARE(s.AnsCheckString, u"m2"_s);
    QCOMPARE(s.TempWord, u"w2"_s);
    QCOMPARE(s.NewChk, 0);
    QCOMPARE(rig.random.left(), 0);
    // Every step in its place: hide all, show the word, distractor draws,
    // check the count, arrangement draws, fill the buttons, clear, speak.
    const QStringList expected{
        u"next:off"_s, u"hide1"_s,    u"hide2"_s,        u"hide3"_s,    u"hide4"_s,
        u"hide5"_s,    u"hide6"_s,    u"lbEnglish:w2"_s, u"random:4"_s, u"random:4"_s,
        u"random:4"_s, u"random:4"_s, u"check:3"_s,      u"random:3"_s, u"random:3"_s,
        u"random:3"_s, u"text1:m3"_s, u"show1"_s,        u"enable1"_s,  u"text2:m2"_s,
        u"show2"_s,    u"enable2"_s,  u"text3:m1"_s,     u"show3"_s,    u"enable3"_s,
        u"lbJap:"_s,   u"speak:w2"_s, u"listen:on"_s,
    };
    QCOMPARE(rig.log.entries(), expected);
}

void TestComposition::drawRules_data()
{
    QTest::addColumn<QStringList>("english");
    QTest::addColumn<QStringList>("meanings");
    QTest::addColumn<qint32>("selectNum");
    QTest::addColumn<qint32>("position");
    QTest::addColumn<QList<qint32>>("script");
    QTest::addColumn<QStringList>("placed");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<int>("checked");
    // The run's question order, word numbers by position; empty: list order.
    QTest::addColumn<QList<qint32>>("order");

    const QStringList w4 = numbered(u"w"_s, 4);
    const QStringList m4 = numbered(u"m"_s, 4);
    const QStringList m5 = numbered(u"m"_s, 5);
    QTest::newRow("one choice") << w4 << m4 << 1 << 2 << QList<qint32>{0} << QStringList{u"w2"_s}
                                << QStringList{u"m2"_s} << 1 << QList<qint32>{};
    QTest::newRow("two choices: same English text at another position is taken")
        << QStringList{u"a"_s, u"a"_s, u"b"_s} << numbered(u"m"_s, 3) << 2 << 1
        << QList<qint32>{0, 1, 1, 0} << QStringList{u"a"_s, u"a"_s} << QStringList{u"m1"_s, u"m2"_s}
        << 2 << QList<qint32>{};
    QTest::newRow("three choices: repeats of placed words rejected")
        << QStringList{u"a"_s, u"b"_s, u"a"_s, u"b"_s, u"c"_s} << m5 << 3 << 1
        << QList<qint32>{2, 0, 1, 3, 4, 0, 1, 2} << QStringList{u"a"_s, u"b"_s, u"c"_s}
        << QStringList{u"m1"_s, u"m2"_s, u"m5"_s} << 3 << QList<qint32>{};
    QTest::newRow("meanings never compared: two buttons alike")
        << QStringList{u"a"_s, u"b"_s, u"c"_s} << QStringList{u"same"_s, u"same"_s, u"other"_s} << 3
        << 1 << QList<qint32>{1, 2, 0, 0, 0} << QStringList{u"a"_s, u"b"_s, u"c"_s}
        << QStringList{u"other"_s, u"same"_s, u"same"_s} << 3 << QList<qint32>{};
    QTest::newRow("English texts compared exactly")
        << QStringList{u"a"_s, u"A"_s, u"a "_s} << numbered(u"m"_s, 3) << 3 << 1
        << QList<qint32>{1, 2, 0, 1, 2} << QStringList{u"a"_s, u"A"_s, u"a "_s}
        << QStringList{u"m1"_s, u"m2"_s, u"m3"_s} << 3 << QList<qint32>{};
    QTest::newRow("exactly as many different words as choices")
        << numbered(u"w"_s, 6) << numbered(u"m"_s, 6) << 6 << 4
        << QList<qint32>{0, 1, 2, 4, 5, 0, 0, 0, 0, 0, 0}
        << QStringList{u"w4"_s, u"w1"_s, u"w2"_s, u"w3"_s, u"w5"_s, u"w6"_s}
        << QStringList{u"m6"_s, u"m4"_s, u"m1"_s, u"m2"_s, u"m3"_s, u"m5"_s} << 6
        << QList<qint32>{};
    // Distractors are drawn by position in the run's order, and the asked
    // word's position is the one left out, not its number in the list.
    QTest::newRow("two choices in a shuffled order")
        << w4 << m4 << 2 << 1 << QList<qint32>{0, 1, 1, 0} << QStringList{u"w3"_s, u"w1"_s}
        << QStringList{u"m3"_s, u"m1"_s} << 2 << QList<qint32>{3, 1, 4, 2};
    QTest::newRow("three choices in a shuffled order")
        << w4 << m4 << 3 << 2 << QList<qint32>{0, 1, 3, 0, 1, 2}
        << QStringList{u"w1"_s, u"w3"_s, u"w2"_s} << QStringList{u"m1"_s, u"m3"_s, u"m2"_s} << 3
        << QList<qint32>{3, 1, 4, 2};
    for (qint32 outside : {0, 7, -1}) {
        QTest::addRow("choice count %d: no buttons, nothing checked", outside)
            << w4 << m4 << outside << 2 << QList<qint32>{} << QStringList{} << QStringList{} << 0
            << QList<qint32>{};
    }
    // Fewer different English texts than the choice count: all of them, found
    // by the usual draws, and no draw after the last one is found.
    QTest::newRow("too few different words: every other text placed")
        << QStringList{u"a"_s, u"b"_s, u"a"_s, u"b"_s, u"c"_s} << m5 << 6 << 1
        << QList<qint32>{1, 2, 3, 4, 0, 0, 0} << QStringList{u"a"_s, u"b"_s, u"c"_s}
        << QStringList{u"m5"_s, u"m1"_s, u"m2"_s} << 6 << QList<qint32>{};
    QTest::newRow("too few: repeats of the asked word do not count")
        << QStringList{u"a"_s, u"b"_s, u"a"_s, u"a"_s} << m4 << 3 << 1 << QList<qint32>{2, 1, 1, 0}
        << QStringList{u"a"_s, u"b"_s} << QStringList{u"m1"_s, u"m2"_s} << 3 << QList<qint32>{};
    QTest::newRow("too few: one English text, the asked word alone")
        << QStringList{u"a"_s, u"a"_s, u"a"_s} << numbered(u"m"_s, 3) << 4 << 2 << QList<qint32>{0}
        << QStringList{u"a"_s} << QStringList{u"m2"_s} << 4 << QList<qint32>{};
}

void TestComposition::drawRules()
{
    QFETCH(QStringList, english);
    QFETCH(QStringList, meanings);
    QFETCH(qint32, selectNum);
    QFETCH(qint32, position);
    QFETCH(QList<qint32>, script);
    QFETCH(QStringList, placed);
    QFETCH(QStringList, buttons);
    QFETCH(int, checked);
    QFETCH(QList<qint32>, order);

    Rig rig;
    beginQuietRun(rig, english, meanings);
    if (!order.isEmpty()) {
        rig.state().QNumList.clear();
        for (qint32 word : order)
            rig.state().QNumList.add(QString::number(word));
    }
    rig.state().SelectNum = selectNum;
    rig.state().CurrentNum = position;
    rig.random.queue(script);
    // As after the previous question's presses: composing must enable them again.
    for (int k = 1; k <= 6; ++k)
        rig.board.setAnswerEnabled(k, false);
    rig.exercise.StartGame();

    const ExerciseState& s = rig.state();
    QCOMPARE(rig.random.left(), 0);
    QCOMPARE(s.CQList.lines(), placed);
    QCOMPARE(s.CJList.count(), placed.size());
    QCOMPARE(rig.board.visibleAnswers(), buttons);
    for (int k = 1; k <= int(buttons.size()); ++k)
        QVERIFY(rig.board.at(k).enabled);
    QCOMPARE(rig.board.checkedChoice, checked);
    QCOMPARE(s.SelectNum, selectNum);
    // Draws: distractors over the whole course, then one per button.
    const qsizetype n = placed.size();
    QCOMPARE(rig.random.asked.mid(rig.random.asked.size() - n), QList<qint32>(n, qint32(n)));
    QCOMPARE(rig.random.asked.first(rig.random.asked.size() - n),
             QList<qint32>(script.size() - n, s.AllQuestNum));
    // Whatever the choices, the word is spoken and can be heard again.
    const qint32 asked = order.isEmpty() ? position : order.at(position - 1);
    QCOMPARE(rig.log.only({u"speak:"_s}), QStringList{u"speak:"_s + english.at(asked - 1)});
    QVERIFY(rig.board.listenAgain);
    QVERIFY(!rig.board.next);
}

void TestComposition::missingMeaning_data()
{
    QTest::addColumn<qint32>("selectNum");
    QTest::addColumn<qint32>("position");
    QTest::addColumn<QList<qint32>>("script");

    QTest::newRow("the asked word has no meaning") << 1 << 4 << QList<qint32>{};
    QTest::newRow("a drawn distractor has no meaning") << 2 << 1 << QList<qint32>{3};
}

void TestComposition::missingMeaning()
{
    QFETCH(qint32, selectNum);
    QFETCH(qint32, position);
    QFETCH(QList<qint32>, script);

    Rig rig;
    beginQuietRun(rig, numbered(u"w"_s, 4), numbered(u"m"_s, 3));
    rig.state().SelectNum = selectNum;
    rig.state().CurrentNum = position;
    for (int k = 1; k <= 6; ++k)
        rig.board.setAnswerVisible(k, true);
    rig.board.next = true;
    rig.random.queue(script);

    QCOMPARE(faultOf<vocarin::ListIndexFault>([&] { rig.exercise.StartGame(); }),
             u"リストのインデックスが範囲を超えています (3)"_s);
    QCOMPARE(rig.random.left(), 0);
    // Composition stopped: no buttons, no way on, nothing spoken.
    QCOMPARE(rig.board.visibleAnswers(), QStringList{});
    QVERIFY(!rig.board.next);
    QCOMPARE(rig.log.only({u"speak:"_s}), QStringList{});
}

QTEST_GUILESS_MAIN(TestComposition)
#include "tst_composition.moc"
