#include "course/CourseDiscovery.h"
#include "course/CourseLoad.h"
#include "course/CourseRecordings.h"
#include "tools/PairCheck.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

using namespace vocarin;
using namespace vocarin::tools;
using namespace Qt::StringLiterals;

namespace {

// The generated courses: "words-a1-01" and on, and the "聞き分け" courses.
bool isGenerated(const QString& folder)
{
    return folder.startsWith(u".\\words-"_s);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The rows of one of the generator's tables, comments left out.
QList<QStringList> tableRows(const QString& name)
{
    QList<QStringList> rows;
    const QString table =
        QString::fromUtf8(readBytes(QStringLiteral(VOCARIN_COURSE_TABLES "/") + name));
    for (const QString& line : table.split(u'\n')) {
        const QString text = line.section(u'#', 0, 0).trimmed();
        if (!text.isEmpty())
            rows.append(text.split(u'\t'));
    }
    return rows;
}

QSet<QString> firstColumn(const QString& name)
{
    QSet<QString> words;
    for (const QStringList& row : tableRows(name))
        words.insert(row.first());
    return words;
}

// How flite's lexicon, which the default Linux voice speaks by, says a word alone.
QString spokenBy(const QString& t2p, const QString& word)
{
    QProcess process;
    process.start(t2p, {word});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).remove(u"pau"_s).simplified();
}

struct BundledCourse
{
    QString folder;
    QString title;
    QStringList words;
    QStringList meanings;
};

} // namespace

// The bundled courses are what a new learner starts with: the four examples,
// the graded courses by level and the two "聞き分け" courses. Each must be found
// in order, load, and offer answer buttons that a learner can tell apart.
class TestBundledCourses : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void discoversExamplesThenLevelsInOrder();
    void loads_data();
    void loads();
    void generatedCoursesAreOrdinaryFiles();
    void generatedWordsAreDrillable();
    void choicesCanBeToldApart();
    void wordsAreSpokenAsMeant();

private:
    const QDir m_courses{QStringLiteral(VOCARIN_COURSES_DIR)};
    QStringList m_titles;
    QList<BundledCourse> m_generated;
};

void TestBundledCourses::initTestCase()
{
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(m_courses, optionList);
    m_titles = catalogue.titles;
    for (qsizetype i = 0; i < catalogue.folders.size(); ++i) {
        if (!isGenerated(catalogue.folders.at(i)))
            continue;
        const CourseFolder course{m_courses, catalogue.folders.at(i)};
        const StringList options = readOptionFile(course);
        QCOMPARE(choiceCount(options), 4);
        const CourseLists lists = readCourseLists(course, listPrefix(options));
        m_generated.append({catalogue.folders.at(i), catalogue.titles.at(i), lists.words.lines(),
                            lists.meanings.lines()});
    }
}

// A level, its course number, the school stage it roughly matches and the words'
// numbers within the level: "A1-2 中学1年 よく聞く単語 102～202".
void TestBundledCourses::discoversExamplesThenLevelsInOrder()
{
    QCOMPARE(
        m_titles.mid(0, 5),
        (QStringList{u"身の回りのもの"_s, u"動物"_s, u"録音つきの例（録音は合成音声）"_s,
                     u"よく使う動詞"_s,
                     u"A1-1 中学1年 はじめの単語 1～%1"_s.arg(m_generated.first().words.size())}));
    const QRegularExpression graded(
        u"^(A1|A2|B1|B2)-(\\d+) (中学[1-3]年|高校[1-3]年|大学) (はじめの単語|よく聞く単語) "
        u"(\\d+)～(\\d+)$"_s);
    QString level = u"A1"_s;
    qsizetype number = 0;
    qsizetype nextWord = 1;
    qsizetype contrasts = 0;
    for (const BundledCourse& course : std::as_const(m_generated)) {
        const QRegularExpressionMatch match = graded.match(course.title);
        if (!match.hasMatch()) {
            // The listening contrasts come last.
            QVERIFY2(isListeningContrastCourse(course.title), qPrintable(course.title));
            ++contrasts;
            continue;
        }
        QCOMPARE(contrasts, 0);
        if (match.captured(1) != level) {
            QVERIFY2(match.captured(1) > level, qPrintable(course.title));
            level = match.captured(1);
            number = 0;
            nextWord = 1;
        }
        QCOMPARE(match.captured(2).toLongLong(), ++number);
        QCOMPARE(match.captured(5).toLongLong(), nextWord);
        nextWord += course.words.size();
        QCOMPARE(match.captured(6).toLongLong(), nextWord - 1);
    }
    QCOMPARE(level, u"B2"_s);
    QCOMPARE(contrasts, 2);
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
    QTest::newRow("with recordings") << u".\\recordings\\"_s << 4 << u"bread"_s << u"パン"_s;
    QTest::newRow("CP932 with CRLF") << u".\\verbs\\"_s << 6 << u"begin"_s << u"始める"_s;
    QTest::newRow("the first graded course")
        << u".\\words-a1-01\\"_s << 4 << u"mother"_s << u"母"_s;
    QTest::newRow("a listening contrast") << u".\\words-pairs-1\\"_s << 4 << u"light"_s << u"光"_s;
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

// Saved as Windows tools save them, so that a teacher can open and copy them, each
// with its notice of sources and licence, which goes along when a teacher copies
// the folder alone.
void TestBundledCourses::generatedCoursesAreOrdinaryFiles()
{
    for (const BundledCourse& course : std::as_const(m_generated)) {
        const QString path = QString(course.folder).replace(u'\\', u'/');
        for (const QString& name :
             {u"Option.txt"_s, u"wordsE.txt"_s, u"wordsJ.txt"_s, u"CREDITS.txt"_s}) {
            const QByteArray bytes = readBytes(m_courses.filePath(path + name));
            QVERIFY2(bytes.startsWith("\xEF\xBB\xBF"), qPrintable(path + name));
            QVERIFY2(bytes.endsWith("\r\n") && bytes.count('\n') == bytes.count("\r\n"),
                     qPrintable(path + name));
        }
        const QString notice =
            QString::fromUtf8(readBytes(m_courses.filePath(path + u"CREDITS.txt"_s)));
        for (const QString& needed :
             {u"CC BY-SA 3.0"_s, u"FreeDict"_s, u"CEFR-J Wordlist"_s, u"SUBTLEX-US"_s, u"EDICT"_s})
            QVERIFY2(notice.contains(needed), qPrintable(path + u": "_s + needed));
    }
}

// What a learner drills: about 100 words a course, each once in the graded
// courses, plain English words of the kinds worth drilling, and short Japanese
// meanings.
void TestBundledCourses::generatedWordsAreDrillable()
{
    const QSet<QString> excluded = firstColumn(u"excluded.tsv"_s);
    QVERIFY(excluded.contains(u"uh"_s) && excluded.contains(u"psycho"_s));
    // Function words and pronouns are drilled as grammar, not by ear.
    // ("May" the month is a word of its own.)
    QSet<QString> functionWords;
    for (const QStringList& row : tableRows(u"levels.tsv"_s)) {
        if (row.value(2) == u"function"_s)
            functionWords.insert(row.first());
    }
    for (const QString& added : firstColumn(u"added.tsv"_s))
        functionWords.remove(added);
    QVERIFY(functionWords.contains(u"would"_s) && !functionWords.contains(u"nobody"_s));
    const QSet<QString> capitalised = firstColumn(u"capitalised.tsv"_s);
    QVERIFY(capitalised.contains(u"Monday"_s));
    const QRegularExpression plainWord(u"^[A-Za-z]+$"_s);
    const QRegularExpression japanese(u"[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}0-9]"_s);
    const QRegularExpression reading(u"[\\x{4E00}-\\x{9FFF}][（(][\\x{3040}-\\x{309F}]+[）)]"_s);

    QHash<QString, QString> courseOfWord;
    QSet<QString> all;
    for (const BundledCourse& course : std::as_const(m_generated)) {
        const bool graded = !isListeningContrastCourse(course.title);
        QCOMPARE(course.meanings.size(), course.words.size());
        if (graded)
            QVERIFY2(course.words.size() >= 85 && course.words.size() <= 115,
                     qPrintable(course.title));
        for (qsizetype i = 0; i < course.words.size(); ++i) {
            const QString& word = course.words.at(i);
            const QString& meaning = course.meanings.at(i);
            const QString where = course.folder + u' ' + word + u'=' + meaning;
            all.insert(word);
            QVERIFY2(plainWord.match(word).hasMatch() && word.size() > 1, qPrintable(where));
            QVERIFY2(!excluded.contains(word.toLower()), qPrintable(where));
            // A contrast may be a pronoun: "she" against "see".
            QVERIFY2(!graded || !functionWords.contains(word), qPrintable(where));
            // A capital only where the table spells a word with one: a name never.
            QVERIFY2(word.at(0).isLower() || capitalised.contains(word), qPrintable(where));
            if (graded) {
                // ("March" the month and "march" the verb are two words.)
                QVERIFY2(!courseOfWord.contains(word),
                         qPrintable(where + u", also in "_s + courseOfWord.value(word)));
                courseOfWord.insert(word, course.folder);
            }
            QVERIFY2(meaning.size() <= 12, qPrintable(where));
            QVERIFY2(japanese.match(meaning).hasMatch(), qPrintable(where));
            QVERIFY2(!reading.match(meaning).hasMatch(), qPrintable(where));
            QVERIFY2(meaning.trimmed() == meaning, qPrintable(where));
        }
    }
    // The everyday words a learner needs early are there.
    for (const QString& word : {u"mom"_s, u"nobody"_s, u"grandma"_s, u"Christmas"_s, u"January"_s,
                                u"May"_s, u"December"_s, u"Monday"_s, u"Sunday"_s})
        QVERIFY2(all.contains(word), qPrintable(word));
}

// No two meanings of a course that a learner cannot tell apart, and no two words
// that a Japanese ear merges, except in the courses made to tell them apart:
// there every pair is one such contrast.
void TestBundledCourses::choicesCanBeToldApart()
{
    for (const BundledCourse& course : std::as_const(m_generated)) {
        const bool contrast = isListeningContrastCourse(course.title);
        QSet<qsizetype> contrasted;
        for (const ConfusablePair& pair : findConfusablePairs(course.words, course.meanings)) {
            const QString where = course.title + u": "_s + course.words.at(pair.first) + u'=' +
                                  course.meanings.at(pair.first) + u", "_s +
                                  course.words.at(pair.second) + u'=' +
                                  course.meanings.at(pair.second);
            QVERIFY2(contrast && pair.kind == PairKind::Sound, qPrintable(where));
            contrasted << pair.first << pair.second;
        }
        if (contrast)
            QCOMPARE(contrasted.size(), course.words.size());
    }
}

// A word that English says two ways is drilled only where the default voice
// says it as the meaning shown (or the table says why the difference does not
// mislead).
void TestBundledCourses::wordsAreSpokenAsMeant()
{
    const QString t2p = QStandardPaths::findExecutable(u"t2p"_s);
    if (t2p.isEmpty())
        QSKIP("flite's t2p is not installed (Debian package flite)");
    QHash<QString, QString> meant;
    for (const QStringList& row : tableRows(u"spoken.tsv"_s)) {
        if (row.size() == 2)
            meant.insert(row.at(0), row.at(1));
    }
    QVERIFY(meant.contains(u"read"_s));
    qsizetype checked = 0;
    for (const BundledCourse& course : std::as_const(m_generated)) {
        for (const QString& word : course.words) {
            if (!meant.contains(word))
                continue;
            ++checked;
            QCOMPARE(spokenBy(t2p, word), meant.value(word));
        }
    }
    QVERIFY(checked > 10);
}

QTEST_GUILESS_MAIN(TestBundledCourses)
#include "tst_bundled_courses.moc"
