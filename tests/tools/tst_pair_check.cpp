#include "CourseFiles.h"
#include "TemporaryFolder.h"

#include "tools/CourseCheck.h"
#include "tools/PairCheck.h"

#include <QTest>

using namespace vocarin::tools;
using namespace Qt::StringLiterals;
using vocarin::CourseFolder;
using vocarin::testkit::TemporaryFolder;

// Two words whose meanings a learner cannot tell apart, or that a Japanese ear
// hears as one, must not stand on the answer buttons of one question.
class TestPairCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void meanings_data();
    void meanings();
    void sounds_data();
    void sounds();
    void checkerWarnsWithWhatToDo();
};

void TestPairCheck::meanings_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("confusable");

    QTest::newRow("a condition in brackets")
        << u"～だろう"_s << u"（もし～なら）～だろう"_s << true;
    QTest::newRow("a particle after ～") << u"見える"_s << u"～に見える"_s << true;
    QTest::newRow("kanji numerals and digits") << u"二倍"_s << u"2倍"_s << true;
    QTest::newRow("full-width digits") << u"２倍"_s << u"二倍"_s << true;
    QTest::newRow("tens in kanji") << u"五十"_s << u"50"_s << true;
    QTest::newRow("する ending") << u"愛"_s << u"愛する"_s << true;
    QTest::newRow("な ending") << u"きれい"_s << u"きれいな"_s << true;
    QTest::newRow("katakana and hiragana") << u"ゴミ"_s << u"ごみ"_s << true;
    QTest::newRow("one sense of two") << u"見る、会う"_s << u"会う"_s << true;
    QTest::newRow("near-synonyms of the table") << u"船"_s << u"ボート"_s << true;
    QTest::newRow("near-synonyms after normalising") << u"～を見る"_s << u"見える"_s << true;
    QTest::newRow("a particle left alone") << u"～よりも"_s << u"～も、あまりに"_s << false;
    QTest::newRow("different numbers") << u"15"_s << u"五十"_s << false;
    QTest::newRow("a kanji numeral inside a word") << u"一緒に"_s << u"1"_s << false;
    QTest::newRow("a minimal pair's meanings") << u"光"_s << u"右"_s << false;
    QTest::newRow("a shared kanji only") << u"大きい"_s << u"大人"_s << false;
}

void TestPairCheck::meanings()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, confusable);

    const QList<ConfusablePair> pairs = findConfusablePairs({u"one"_s, u"two"_s}, {first, second});
    QCOMPARE(pairs.size(), confusable ? 1 : 0);
    if (confusable) {
        QCOMPARE(pairs.first().first, 0);
        QCOMPARE(pairs.first().second, 1);
        QCOMPARE(pairs.first().kind, PairKind::Meaning);
    }
}

void TestPairCheck::sounds_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("confusable");

    QTest::newRow("l and r") << u"light"_s << u"right"_s << true;
    QTest::newRow("a homophone") << u"write"_s << u"right"_s << true;
    QTest::newRow("-teen and -ty") << u"fifteen"_s << u"fifty"_s << true;
    QTest::newRow("s and sh") << u"she"_s << u"see"_s << true;
    QTest::newRow("b and v") << u"boat"_s << u"vote"_s << true;
    QTest::newRow("er and ar") << u"hurt"_s << u"heart"_s << true;
    QTest::newRow("the vowels of ball and bowl") << u"walk"_s << u"woke"_s << true;
    QTest::newRow("any letter case") << u"Light"_s << u"RIGHT"_s << true;
    QTest::newRow("words apart") << u"light"_s << u"left"_s << false;
    QTest::newRow("words the table does not know") << u"zorp"_s << u"zlorp"_s << false;
}

void TestPairCheck::sounds()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, confusable);

    const QList<ConfusablePair> pairs = findConfusablePairs({first, second}, {u"甲"_s, u"乙"_s});
    QCOMPARE(pairs.size(), confusable ? 1 : 0);
    if (confusable)
        QCOMPARE(pairs.first().kind, PairKind::Sound);
}

// The checker names the later word's line, says what to do, and leaves sound-alike
// words alone in a course made to tell them apart.
void TestPairCheck::checkerWarnsWithWhatToDo()
{
    TemporaryFolder root;
    const QStringList words{u"big"_s, u"light"_s, u"huge"_s, u"right"_s, u"dog"_s};
    const QStringList meanings{u"大きい"_s, u"光"_s, u"巨大な"_s, u"右"_s, u"犬"_s};
    for (const QString& title : {u"ふつうのコース"_s, u"聞き分け l と r"_s})
        vocarin::testkit::writeCourse(root.path() + u'/' + title, title, u"w"_s, 4, words,
                                      meanings);

    const CourseReport plain = checkCourse(CourseFolder{root.dir(), u".\\ふつうのコース\\"_s}, {});
    QCOMPARE(plain.problems.size(), 2);
    // In the order of the files: the word list first.
    QCOMPARE(plain.problems.at(0).kind, u"confusable-sound"_s);
    QCOMPARE(plain.problems.at(0).file, u"wE.txt"_s);
    QCOMPARE(plain.problems.at(0).line, 4);
    QCOMPARE(plain.problems.at(1).kind, u"confusable-meaning"_s);
    QCOMPARE(plain.problems.at(1).file, u"wJ.txt"_s);
    QCOMPARE(plain.problems.at(1).line, 3);
    for (const CourseProblem& problem : plain.problems) {
        QVERIFY2(problem.message.contains(u"別のコースに移してください。"_s),
                 qPrintable(problem.message));
        QCOMPARE(problem.severity, Severity::Warning);
    }

    const CourseReport contrast =
        checkCourse(CourseFolder{root.dir(), u".\\聞き分け l と r\\"_s}, {});
    QCOMPARE(contrast.problems.size(), 1);
    QCOMPARE(contrast.problems.first().kind, u"confusable-meaning"_s);
}

QTEST_GUILESS_MAIN(TestPairCheck)
#include "tst_pair_check.moc"
