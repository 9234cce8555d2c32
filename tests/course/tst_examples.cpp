#include "course/CourseDiscovery.h"
#include "course/CourseLoad.h"
#include "course/CourseRecordings.h"

#include <QDir>
#include <QSet>
#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;

// The bundled courses are what a new learner starts with: each must be found
// and must load with distinct words and a meaning for every word.
class TestExamples : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QDir::setCurrent(QStringLiteral(VOCARIN_EXAMPLES_DIR)); }
    void cleanup() { QDir::setCurrent(m_previous); }
    void discoversAll();
    void loads_data();
    void loads();

private:
    QString m_previous = QDir::currentPath();
};

void TestExamples::discoversAll()
{
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(optionList);
    QCOMPARE(catalogue.titles,
             (QStringList{u"身の回りのもの"_s, u"動物"_s, u"録音つきの例（録音は合成音声）"_s,
                          u"よく使う動詞"_s}));
    QCOMPARE(catalogue.folders,
             (QStringList{u".\\"_s, u".\\animals\\"_s, u".\\recordings\\"_s, u".\\verbs\\"_s}));
}

void TestExamples::loads_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("title");
    QTest::addColumn<qint32>("selectNum");
    QTest::addColumn<QString>("firstWord");
    QTest::addColumn<QString>("firstMeaning");

    QTest::newRow("UTF-8 with BOM")
        << u".\\"_s << u"身の回りのもの"_s << 4 << u"apple"_s << u"りんご"_s;
    QTest::newRow("UTF-16LE with format marker")
        << u".\\animals\\"_s << u"動物"_s << 3 << u"bear"_s << u"クマ"_s;
    QTest::newRow("with recordings") << u".\\recordings\\"_s << u"録音つきの例（録音は合成音声）"_s
                                     << 4 << u"bread"_s << u"パン"_s;
    QTest::newRow("CP932 with CRLF")
        << u".\\verbs\\"_s << u"よく使う動詞"_s << 6 << u"begin"_s << u"始める"_s;
}

void TestExamples::loads()
{
    QFETCH(QString, folder);
    QFETCH(QString, title);
    QFETCH(qint32, selectNum);
    QFETCH(QString, firstWord);
    QFETCH(QString, firstMeaning);

    const StringList options = readOptionFile(folder);
    QCOMPARE(courseTitle(options), title);
    QCOMPARE(choiceCount(options), selectNum);
    const CourseLists lists = readCourseLists(folder, listPrefix(options));
    QCOMPARE(lists.words.get(0), firstWord);
    QCOMPARE(lists.meanings.get(0), firstMeaning);
    QCOMPARE(lists.meanings.count(), lists.words.count());
    QVERIFY(lists.words.count() >= qMax(selectNum, minimumWordCount));

    const QStringList& words = lists.words.lines();
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
    for (const QString& meaning : lists.meanings.lines())
        QVERIFY2(!meaning.isEmpty() && !meaning.contains(QChar(u'\uFFFD')), qPrintable(meaning));

    // A course with recordings has one for every word.
    const CourseRecordings recordings = findRecordings(folder, options);
    for (const QString& word : words)
        QVERIFY2(recordings.isEmpty() || !recordings.pathOf(word).isEmpty(), qPrintable(word));
}

QTEST_GUILESS_MAIN(TestExamples)
#include "tst_examples.moc"
