#include "course/CourseDiscovery.h"
#include "course/CourseLoad.h"
#include "course/CourseRecordings.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;

namespace {

// The graded courses: "words-0001-0100" and on.
bool isGraded(const QString& folder)
{
    return folder.startsWith(u".\\words-"_s);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of one of the generator's tables, comments left out.
QStringList tableLines(const QString& name)
{
    QStringList lines;
    const QString table =
        QString::fromUtf8(readBytes(QStringLiteral(VOCARIN_COURSE_TABLES "/") + name));
    for (const QString& line : table.split(u'\n')) {
        if (!line.startsWith(u'#') && !line.trimmed().isEmpty())
            lines.append(line);
    }
    return lines;
}

// The words the generator leaves out.
QSet<QString> excludedWords()
{
    QSet<QString> words;
    for (const QString& line : tableLines(u"excluded.tsv"_s))
        words.insert(line.section(u'\t', 0, 0));
    return words;
}

// Each word that a voice speaks like another, with its group.
QHash<QString, QStringList> homophoneGroups()
{
    QHash<QString, QStringList> groups;
    for (const QString& line : tableLines(u"homophones.txt"_s)) {
        const QStringList group = line.split(u' ', Qt::SkipEmptyParts);
        for (const QString& word : group)
            groups.insert(word, group);
    }
    return groups;
}

// "～へ、～に" holds the senses "へ" and "に".
QStringList senses(const QString& meaning)
{
    QStringList parts = meaning.split(u'、');
    for (QString& part : parts)
        part.remove(u'～');
    return parts;
}

} // namespace

// The bundled courses are what a new learner starts with: the four examples
// and the graded courses of the most frequent spoken words. Each must be found
// in order, load, and offer answer buttons that cannot be confused.
class TestBundledCourses : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void discoversExamplesThenGradedInOrder();
    void loads_data();
    void loads();
    void gradedCoursesAreOrdinaryFiles();
    void gradedWordsAreDrillable();

private:
    const QDir m_courses{QStringLiteral(VOCARIN_COURSES_DIR)};
};

void TestBundledCourses::discoversExamplesThenGradedInOrder()
{
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(m_courses, optionList);
    QCOMPARE(catalogue.titles.mid(0, 5),
             (QStringList{u"身の回りのもの"_s, u"動物"_s, u"録音つきの例（録音は合成音声）"_s,
                          u"よく使う動詞"_s, u"よく聞く英単語 1～100"_s}));
    QCOMPARE(catalogue.folders.mid(0, 5),
             (QStringList{u".\\"_s, u".\\animals\\"_s, u".\\recordings\\"_s, u".\\verbs\\"_s,
                          u".\\words-0001-0100\\"_s}));
    const qsizetype examples = 4;
    QCOMPARE(catalogue.titles.size(), examples + 30);
    for (qsizetype i = examples; i < catalogue.titles.size(); ++i) {
        const qsizetype first = (i - examples) * 100 + 1;
        QCOMPARE(catalogue.titles.at(i), u"よく聞く英単語 %1～%2"_s.arg(first).arg(first + 99));
    }
}

void TestBundledCourses::loads_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<qint32>("selectNum");
    QTest::addColumn<QString>("firstWord");
    QTest::addColumn<QString>("firstMeaning");

    QTest::newRow("UTF-8 with BOM") << u".\\"_s << 4 << u"apple"_s << u"りんご"_s;
    QTest::newRow("UTF-16LE with format marker")
        << u".\\animals\\"_s << 3 << u"bear"_s << u"クマ"_s;
    QTest::newRow("with recordings")
        << u".\\recordings\\"_s << 4 << u"bread"_s << u"パン"_s;
    QTest::newRow("CP932 with CRLF") << u".\\verbs\\"_s << 6 << u"begin"_s << u"始める"_s;
    QTest::newRow("graded, first") << u".\\words-0001-0100\\"_s << 4 << u"you"_s << u"あなた"_s;
}

void TestBundledCourses::loads()
{
    QFETCH(QString, folder);
    QFETCH(qint32, selectNum);
    QFETCH(QString, firstWord);
    QFETCH(QString, firstMeaning);

    const CourseFolder course{m_courses, folder};
    const StringList options = readOptionFile(course);
    QCOMPARE(choiceCount(options), selectNum);
    const CourseLists lists = readCourseLists(course, listPrefix(options));
    QCOMPARE(lists.words.get(0), firstWord);
    QCOMPARE(lists.meanings.get(0), firstMeaning);
    QCOMPARE(lists.meanings.count(), lists.words.count());
    QVERIFY(lists.words.count() >= qMax(selectNum, minimumWordCount));

    const QStringList& words = lists.words.lines();
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
    for (const QString& meaning : lists.meanings.lines())
        QVERIFY2(!meaning.isEmpty() && !meaning.contains(QChar(u'\uFFFD')), qPrintable(meaning));

    // A course with recordings has one for every word.
    const CourseRecordings recordings = findRecordings(course, options);
    for (const QString& word : words)
        QVERIFY2(recordings.isEmpty() || !recordings.pathOf(word).isEmpty(), qPrintable(word));
}

// Saved as Windows tools save them, so that a teacher can open and copy them.
void TestBundledCourses::gradedCoursesAreOrdinaryFiles()
{
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(m_courses, optionList);
    for (const QString& folder : catalogue.folders) {
        if (!isGraded(folder))
            continue;
        const QString path = QString(folder).replace(u'\\', u'/');
        for (const QString& name : {u"Option.txt"_s, u"wordsE.txt"_s, u"wordsJ.txt"_s}) {
            const QByteArray bytes = readBytes(m_courses.filePath(path + name));
            QVERIFY2(bytes.startsWith("\xEF\xBB\xBF"), qPrintable(path + name));
            QVERIFY2(bytes.endsWith("\r\n") && bytes.count('\n') == bytes.count("\r\n"),
                     qPrintable(path + name));
        }
    }
}

// What a learner drills: 100 words a course, each once in all courses, plain
// English words of the kinds worth drilling, and short Japanese meanings. On
// the buttons of one course no sense stands twice and no two words sound
// alike, so one answer is right.
void TestBundledCourses::gradedWordsAreDrillable()
{
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(m_courses, optionList);
    const QSet<QString> excluded = excludedWords();
    QVERIFY(excluded.contains(u"uh"_s));
    const QStringList capitalised = tableLines(u"capitalised.tsv"_s);
    QVERIFY(capitalised.contains(u"Monday"_s));
    const QHash<QString, QStringList> homophones = homophoneGroups();
    QVERIFY(homophones.value(u"two"_s).contains(u"too"_s));
    const QRegularExpression plainWord(u"^[A-Za-z]+$"_s);
    const QRegularExpression japanese(u"[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]"_s);
    const QRegularExpression reading(u"[\\x{4E00}-\\x{9FFF}][（(][\\x{3040}-\\x{309F}]+[）)]"_s);

    QHash<QString, QString> courseOfWord;
    qsizetype graded = 0;
    for (const QString& folder : catalogue.folders) {
        if (!isGraded(folder))
            continue;
        ++graded;
        const CourseFolder course{m_courses, folder};
        const StringList options = readOptionFile(course);
        QCOMPARE(choiceCount(options), 4);
        const CourseLists lists = readCourseLists(course, listPrefix(options));
        QCOMPARE(lists.words.count(), 100);
        QCOMPARE(lists.meanings.count(), 100);

        QHash<QString, QString> wordOfSense;
        const QStringList& courseWords = lists.words.lines();
        for (qsizetype i = 0; i < lists.words.count(); ++i) {
            const QString word = lists.words.get(i);
            const QString meaning = lists.meanings.get(i);
            const QString where = folder + u' ' + word + u'=' + meaning;
            QVERIFY2(plainWord.match(word).hasMatch(), qPrintable(where));
            QVERIFY2(word.size() > 1 || word == u"I"_s, qPrintable(where));
            QVERIFY2(!excluded.contains(word.toLower()), qPrintable(where));
            // A capital only where the table spells a word with one: a name never.
            QVERIFY2(word == u"I"_s || word.at(0).isLower() || capitalised.contains(word),
                     qPrintable(where));
            QVERIFY2(!courseOfWord.contains(word.toLower()),
                     qPrintable(where + u", also in "_s + courseOfWord.value(word.toLower())));
            courseOfWord.insert(word.toLower(), folder);

            QVERIFY2(meaning.size() <= 12, qPrintable(where));
            QVERIFY2(japanese.match(meaning).hasMatch(), qPrintable(where));
            QVERIFY2(!reading.match(meaning).hasMatch(), qPrintable(where));
            QVERIFY2(meaning.trimmed() == meaning, qPrintable(where));
            for (const QString& sense : senses(meaning)) {
                QVERIFY2(!wordOfSense.contains(sense),
                         qPrintable(where + u", as "_s + wordOfSense.value(sense)));
                wordOfSense.insert(sense, word);
            }
            for (const QString& alike : homophones.value(word)) {
                QVERIFY2(alike == word || !courseWords.contains(alike),
                         qPrintable(where + u", sounds like "_s + alike));
            }
        }
    }
    QCOMPARE(graded, 30);
}

QTEST_GUILESS_MAIN(TestBundledCourses)
#include "tst_bundled_courses.moc"
