#include "SoundFiles.h"
#include "TemporaryFolder.h"

#include "tools/CourseCheck.h"
#include "tools/FolderCheck.h"
#include "tools/ReportFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringEncoder>
#include <QTest>

using namespace vocarin::tools;
using namespace Qt::StringLiterals;
using vocarin::CourseFolder;
using vocarin::testkit::TemporaryFolder;

using Tree = QMap<QString, QByteArray>;

namespace {

// "kind file:line", the part of a problem a teacher acts on.
QStringList found(const CourseReport& report)
{
    QStringList problems;
    for (const CourseProblem& p : report.problems)
        problems.append(p.kind + u' ' + p.file + u':' + QString::number(p.line));
    return problems;
}

const QByteArray bom = "\xEF\xBB\xBF";

QByteArray withoutBom(const QString& text, QStringConverter::Encoding encoding)
{
    return QStringEncoder(encoding).encode(text);
}

// As an old Linux or Mac editor saves them: "ねこ\nいぬ\nとり\n", "動物の名前", "色".
const QByteArray eucJpMeanings = "\xA4\xCD\xA4\xB3\n\xA4\xA4\xA4\xCC\n\xA4\xC8\xA4\xEA\n";
const QByteArray eucJpTitle = "\xC6\xB0\xCA\xAA\xA4\xCE\xCC\xBE\xC1\xB0";
const QByteArray eucJpKanji = "\xBF\xA7";

} // namespace

class TestCourseCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void problems_data();
    void problems();
    void describesTheCourse();
    void explainsWhatToWrite_data();
    void explainsWhatToWrite();
    void sameTitleTwice();
    void noCourse_data();
    void noCourse();
    void misreadFileForScripts();
    void commandLine_data();
    void commandLine();
    void bundledCoursesHaveNoProblems();
};

void TestCourseCheck::problems_data()
{
    QTest::addColumn<Tree>("course");
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<bool>("fault");

    const QByteArray option = "Colours\r\nday1\r\n3\r\n";
    const QByteArray words = "red\r\nblue\r\ngreen\r\n";
    const QByteArray meanings = bom + "赤\r\n青\r\n緑\r\n";
    auto course = [&](const QByteArray& o, const QByteArray& e, const QByteArray& j) {
        return Tree{{u"Option.txt"_s, o}, {u"day1E.txt"_s, e}, {u"day1J.txt"_s, j}};
    };

    QTest::newRow("good course") << course(option, words, meanings) << QStringList() << false;
    QTest::newRow("option file missing")
        << Tree() << QStringList{u"option-file-unreadable Option.txt:0"_s} << true;
    QTest::newRow("option file of two lines")
        << course("Colours\nday1\n", words, meanings)
        << QStringList{u"option-file-malformed Option.txt:0"_s} << true;
    QTest::newRow("choice count not a number")
        << course("Colours\nday1\nwav\n3 \n", words, meanings)
        << QStringList{u"option-file-malformed Option.txt:4"_s} << true;
    QTest::newRow("choice count beyond the buttons")
        << course("Colours\nday1\n7\n", words, meanings)
        << QStringList{u"choice-count-out-of-range Option.txt:3"_s} << false;
    QTest::newRow("invalid UTF-8 after a BOM")
        << course(option, words, bom + "赤\n\xC3(\n緑\n")
        << QStringList{u"meaning-list-unreadable day1J.txt:0"_s} << true;
    QTest::newRow("word list missing")
        << Tree{{u"Option.txt"_s, option}, {u"day1J.txt"_s, meanings}}
        << QStringList{u"word-list-unreadable day1E.txt:0"_s} << true;
    QTest::newRow("two words") << course(option, "red\nblue\n", meanings)
                               << QStringList{u"too-few-words day1E.txt:0"_s,
                                              u"missing-word day1J.txt:3"_s}
                               << true;
    QTest::newRow("meaning missing for the last word")
        << course(option, words + "black\r\n", meanings)
        << QStringList{u"missing-meaning day1E.txt:4"_s} << true;
    QTest::newRow("stray blank line at the end of the word list")
        << course(option, words + "\r\n", meanings)
        << QStringList{u"missing-meaning day1E.txt:4"_s, u"blank-line day1E.txt:4"_s} << true;
    QTest::newRow("extra meaning") << course(option, words, meanings + "黒\r\n")
                                   << QStringList{u"missing-word day1J.txt:4"_s} << false;
    QTest::newRow("blank line inside the meanings")
        << course(option, words, bom + "赤\r\n\r\n緑\r\n")
        << QStringList{u"blank-line day1J.txt:2"_s} << false;
    QTest::newRow("leading and trailing spaces")
        << course(option, "red\n blue\ngreen\t\n", bom + "赤\n青\n緑　\n")
        << QStringList{u"outer-spaces day1E.txt:2"_s, u"outer-spaces day1E.txt:3"_s,
                       u"outer-spaces day1J.txt:3"_s}
        << false;
    QTest::newRow("fewer different words than choices")
        << course("T\nday1\n4\n", "red\nred\nblue\ngreen\n", bom + "赤\n赤\n青\n緑\n")
        << QStringList{u"too-few-different-words day1E.txt:0"_s} << false;
    QTest::newRow("same word, different meaning")
        << course(option, "red\nblue\nred\ngreen\n", bom + "赤\n青\n赤い\n緑\n")
        << QStringList{u"duplicate-word day1E.txt:3"_s} << false;
    QTest::newRow("problems in the order of the lines")
        << course(option, "red\n\nred\ngreen\n", bom + "赤\n青\n赤い\n")
        << QStringList{u"blank-line day1E.txt:2"_s, u"duplicate-word day1E.txt:3"_s,
                       u"missing-meaning day1E.txt:4"_s}
        << true;
    QTest::newRow("same meaning for two words")
        << course(option, "red\nscarlet\ngreen\n", bom + "赤\n赤\n緑\n")
        << QStringList{u"duplicate-meaning day1J.txt:2"_s} << false;
    QTest::newRow("Japanese in the word list")
        << course(option, "red\n青\ngreen\n", meanings)
        << QStringList{u"japanese-word day1E.txt:2"_s} << false;
    QTest::newRow("prefix with a trailing space")
        << course("Colours\nday1 \n3\n", words, meanings)
        << QStringList{u"prefix-outer-spaces Option.txt:2"_s,
                       u"word-list-unreadable day1 E.txt:0"_s,
                       u"meaning-list-unreadable day1 J.txt:0"_s}
        << true;
    QTest::newRow("full-width choice count")
        << course("Colours\nday1\n４\n", words, meanings)
        << QStringList{u"option-file-malformed Option.txt:3"_s} << true;
    const QByteArray marked = "Colours\r\nday1\r\nmp3\r\n3\r\n";
    const QByteArray sweep = vocarin::testkit::sweepFile(u"wav"_s);
    auto recorded = [&](const QByteArray& o, const Tree& sounds) {
        Tree tree = course(o, words, meanings);
        tree.insert(sounds);
        return tree;
    };
    QTest::newRow("recordings: one missing, one unused, one unplayable")
        << recorded(marked, {{u"sounds/red.wav"_s, sweep},
                             {u"sounds/Blue.MP3"_s, "no sound"},
                             {u"sounds/purple.wav"_s, sweep}})
        << QStringList{u"missing-recording day1E.txt:3"_s,
                       u"recording-unreadable sounds/Blue.MP3:0"_s,
                       u"unused-recording sounds/purple.wav:0"_s}
        << false;
    QTest::newRow("two recordings of one word")
        << recorded(marked, {{u"red.wav"_s, sweep},
                             {u"blue.wav"_s, sweep},
                             {u"green.wav"_s, sweep},
                             {u"sounds/red.wav"_s, sweep}})
        << QStringList{u"unused-recording sounds/red.wav:0"_s} << false;
    QTest::newRow("marker without recordings, as old courses have")
        << recorded(marked, {}) << QStringList() << false;
    QTest::newRow("recordings without the marker")
        << recorded(option, {{u"sounds/red.wav"_s, sweep}})
        << QStringList{u"recordings-unmarked Option.txt:3"_s} << false;
    QTest::newRow("empty title") << course("\r\nday1\r\n3\r\n", words, meanings)
                                 << QStringList{u"empty-title Option.txt:1"_s} << true;
    QTest::newRow("title of a full-width space")
        << course(bom + "　\nday1\n3\n", words, meanings)
        << QStringList{u"empty-title Option.txt:1"_s} << true;
    QTest::newRow("EUC-JP meanings") << course(option, words, eucJpMeanings)
                                     << QStringList{u"misread-encoding day1J.txt:0"_s} << true;
    QTest::newRow("EUC-JP title, ICU unsure and no kana")
        << course(eucJpTitle + "\nday1\n3\n", words, meanings)
        << QStringList{u"misread-encoding Option.txt:0"_s} << true;
    QTest::newRow("EUC-JP title of one kanji: only a guess")
        << course(eucJpKanji + "\nday1\n3\n", words, meanings)
        << QStringList{u"misread-encoding Option.txt:0"_s} << false;
    QTest::newRow("Shift_JIS with kana and half-width katakana is no EUC-JP")
        << course(option, words, "\x82\xA0\x82\xA9\n\xB1\xB5\n\x97\xCE\n") << QStringList()
        << false;
    QTest::newRow("UTF-16LE word list without BOM")
        << course(option, withoutBom(u"red\r\nblue\r\ngreen\r\n"_s, QStringConverter::Utf16LE),
                  meanings)
        << QStringList{u"misread-encoding day1E.txt:0"_s, u"too-few-words day1E.txt:0"_s,
                       u"missing-word day1J.txt:2"_s}
        << true;
    QTest::newRow("UTF-16BE meanings without BOM")
        << course(option, words, withoutBom(u"赤\r\n青\r\n緑\r\n"_s, QStringConverter::Utf16BE))
        << QStringList{u"missing-meaning day1E.txt:2"_s, u"misread-encoding day1J.txt:0"_s} << true;
    QTest::newRow("UTF-8 meanings with a stray byte")
        << course(option, words, "あか\nあお\xE9\nみどり\n")
        << QStringList{u"misread-encoding day1J.txt:2"_s} << true;
    QTest::newRow("prefix with a sub-path")
        << Tree{{u"Option.txt"_s, "T\nlists\\d\n3"},
                {u"lists/dE.txt"_s, words},
                {u"lists/dJ.txt"_s, "赤\n青\n"}}
        << QStringList{u"missing-meaning lists/dE.txt:3"_s} << true;
}

void TestCourseCheck::problems()
{
    QFETCH(Tree, course);
    QFETCH(QStringList, problems);
    QFETCH(bool, fault);

    const TemporaryFolder folder;
    folder.create(course);
    const CourseReport report = checkCourse({folder.dir(), u".\\"_s}, u"."_s);
    QCOMPARE(found(report), problems);
    QCOMPARE(report.hasFault(), fault);
    // Each message ends with what the teacher is to do.
    for (const CourseProblem& problem : report.problems)
        QVERIFY2(problem.message.endsWith(u"ください。"_s), qPrintable(problem.message));
}

void TestCourseCheck::describesTheCourse()
{
    const TemporaryFolder folder;
    folder.create(Tree{{u"Option.txt"_s, bom + "色\r\nday1\r\nmp3\r\n3\r\n"},
                       {u"day1E.txt"_s, "red\nblue\ngreen\n"},
                       {u"day1J.txt"_s, "\x90\xD4\n\x90\xC2\n\x97\xCE\n"}}); // CP932
    const CourseReport report = checkCourse({folder.dir(), u".\\"_s}, u"."_s);
    QCOMPARE(report.title, u"色"_s);
    QCOMPARE(report.words, 3);
    QCOMPARE(report.choices, 3);
    QCOMPARE(report.files.size(), 3);
    QCOMPARE(report.files.at(0).encoding, u"utf-8-bom"_s);
    QCOMPARE(report.files.at(1).encoding, u"utf-8"_s);
    QCOMPARE(report.files.at(2).encoding, u"cp932"_s);
    QVERIFY(report.problems.isEmpty());
    QCOMPARE(report.recorded, 0);

    folder.create(u"sounds/blue.flac"_s, vocarin::testkit::sweepFile(u"flac"_s));
    const QList<CourseReport> reports{checkCourse({folder.dir(), u".\\"_s}, u"."_s)};
    QCOMPARE(reports[0].recorded, 1);
    QVERIFY(formatReports(reports).contains(u"録音のある単語: 1 / 3"_s));
    QCOMPARE(QJsonDocument::fromJson(formatReportsJson(reports))
                 .object()[u"courses"_s][0][u"recorded"_s]
                 .toInt(),
             1);
}

void TestCourseCheck::explainsWhatToWrite_data()
{
    QTest::addColumn<QByteArray>("optionFile");
    QTest::addColumn<QString>("says");

    QTest::newRow("full-width digit")
        << QByteArray("T\nday1\n４\n") << u"全角の数字です。半角で 4 と書いてください。"_s;
    QTest::newRow("full-width digit after a format marker")
        << QByteArray("T\nday1\nwav\n６\n") << u"全角の数字です。半角で 6 と書いてください。"_s;
    QTest::newRow("spaces around the prefix")
        << QByteArray("T\n day1\n3\n") << u"ファイル名の頭「 day1」の前か後ろに空白があります。"_s;
    QTest::newRow("EUC-JP: the title as it reads in EUC-JP")
        << eucJpTitle + "\nday1\n3\n"
        << u"EUC-JP のようです。"_s + u"シフトJIS として読むと"_s +
               u"半角カナに文字化けします（EUC-JP として読むと「動物の名前」）。"_s;
    QTest::newRow("UTF-16 without BOM") << withoutBom(u"色\nday1\n3\n"_s, QStringConverter::Utf16LE)
                                        << u"BOM のない UTF-16LE のようです。"_s;
    QTest::newRow("a stray byte in UTF-8: its line")
        << QByteArray("動物の\xE9名前\nday1\n3\n") << u"1行目「動物の\uFFFD名前」"_s;
}

// A teacher reads the message, not the kind: it says what to write instead.
void TestCourseCheck::explainsWhatToWrite()
{
    QFETCH(QByteArray, optionFile);
    QFETCH(QString, says);

    const TemporaryFolder folder;
    folder.create(Tree{{u"Option.txt"_s, optionFile},
                       {u"day1E.txt"_s, "red\nblue\ngreen\n"},
                       {u"day1J.txt"_s, bom + "赤\n青\n緑\n"}});
    const CourseReport report = checkCourse({folder.dir(), u".\\"_s}, u"."_s);
    QVERIFY(!report.problems.isEmpty());
    QVERIFY2(report.problems.first().message.contains(says),
             qPrintable(report.problems.first().message));
}

void TestCourseCheck::noCourse_data()
{
    QTest::addColumn<QStringList>("optionFiles");
    QTest::addColumn<QStringList>("says");

    QTest::newRow("a course one folder too deep")
        << QStringList{u"一年生/day1/Option.txt"_s}
        << QStringList{u"いちばん近い Option.txt は「一年生/day1/Option.txt」"_s,
                       u"「day1」フォルダーを「%1」のすぐ下に移すか、Vocarin を「%1/一年生」で"
                       u"始めてください。"_s};
    QTest::newRow("the shallowest of several, named in any case")
        << QStringList{u"a/b/c/Option.txt"_s, u"z/day1/OPTION.TXT"_s}
        << QStringList{u"「z/day1/OPTION.TXT」"_s};
    QTest::newRow("no option file anywhere")
        << QStringList{u"notes/memo.txt"_s}
        << QStringList{u"vocarin-course make で作れます）を「%1」か、そのすぐ下のフォルダーに"
                       u"置いてください。"_s};
}

// A folder the program would find no course in says where one is and what to move.
void TestCourseCheck::noCourse()
{
    QFETCH(QStringList, optionFiles);
    QFETCH(QStringList, says);

    const TemporaryFolder folder;
    for (const QString& file : optionFiles)
        folder.create(file, "T\n\n3\n");
    const QList<CourseReport> reports = checkFolders({folder.path()});
    QCOMPARE(reports.size(), 1);
    QCOMPARE(found(reports.first()), QStringList{u"no-course :0"_s});
    const QString message = reports.first().problems.first().message;
    for (const QString& part : says)
        QVERIFY2(message.contains(part.contains(u"%1"_s) ? part.arg(folder.path()) : part),
                 qPrintable(message));
    QVERIFY2(message.endsWith(u"ください。"_s), qPrintable(message));
}

// Scripts learn what a misread file was probably saved in, beside how it was read.
void TestCourseCheck::misreadFileForScripts()
{
    const TemporaryFolder folder;
    folder.create(Tree{{u"Option.txt"_s, "T\n\n3\n"},
                       {u"E.txt"_s, "red\nblue\ngreen\n"},
                       {u"J.txt"_s, eucJpMeanings}});
    const QJsonObject course =
        QJsonDocument::fromJson(formatReportsJson({checkCourse({folder.dir(), u".\\"_s}, u"."_s)}))
            .object()[u"courses"_s][0]
            .toObject();
    const QJsonObject meanings = course[u"files"_s][2].toObject();
    QCOMPARE(meanings[u"name"_s].toString(), u"J.txt"_s);
    QCOMPARE(meanings[u"encoding"_s].toString(), u"cp932"_s);
    QCOMPARE(meanings[u"looksLike"_s].toString(), u"euc-jp"_s);
    QVERIFY(!course[u"files"_s][0].toObject().contains(u"looksLike"_s));
    QCOMPARE(course[u"problems"_s][0][u"kind"_s].toString(), u"misread-encoding"_s);
}

// Two courses of one folder with one title look the same in the course list.
void TestCourseCheck::sameTitleTwice()
{
    const TemporaryFolder folder;
    Tree tree;
    for (const QString& course : {u"day1"_s, u"day2"_s, u"day3"_s}) {
        tree.insert(course + u"/Option.txt"_s,
                    course == u"day2"_s ? "Other\n\n3\n" : "Colours\n\n3\n");
        tree.insert(course + u"/E.txt"_s, "red\nblue\ngreen\n");
        tree.insert(course + u"/J.txt"_s, bom + "赤\n青\n緑\n");
    }
    folder.create(tree);
    const QList<CourseReport> reports = checkFolders({folder.path()});
    QCOMPARE(reports.size(), 3);
    QCOMPARE(found(reports.at(0)), QStringList());
    QCOMPARE(found(reports.at(1)), QStringList());
    QCOMPARE(found(reports.at(2)), QStringList{u"duplicate-title Option.txt:1"_s});
    QVERIFY2(reports.at(2).problems.first().message.contains(u"day1"_s),
             qPrintable(reports.at(2).problems.first().message));
}

void TestCourseCheck::commandLine_data()
{
    QTest::addColumn<Tree>("tree");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("folders");

    const Tree good{{u"Option.txt"_s, "Good\n\n3\n"},
                    {u"E.txt"_s, "a\nb\nc\n"},
                    {u"J.txt"_s, "\xEF\xBB\xBFあ\nい\nう\n"}};
    Tree goodAndBroken;
    for (auto it = good.cbegin(); it != good.cend(); ++it) {
        goodAndBroken.insert(u"good/"_s + it.key(), it.value());
        goodAndBroken.insert(u"broken/"_s + it.key(), it.value());
    }
    goodAndBroken.insert(u"broken/J.txt"_s, "x\n");
    goodAndBroken.insert(u"notes/"_s, {});

    QTest::newRow("found as the program finds them")
        << goodAndBroken << QStringList{u"check"_s, u"--json"_s} << 1
        << QStringList{u"broken"_s, u"good"_s};
    QTest::newRow("one good course named")
        << goodAndBroken << QStringList{u"check"_s, u"--json"_s, u"good"_s} << 0
        << QStringList{u"good"_s};
    QTest::newRow("a folder without courses")
        << goodAndBroken << QStringList{u"check"_s, u"--json"_s, u"notes"_s} << 1
        << QStringList{u"notes"_s};
    QTest::newRow("a folder that is not there")
        << goodAndBroken << QStringList{u"check"_s, u"--json"_s, u"good"_s, u"gone"_s} << 1
        << QStringList{u"good"_s, u"gone"_s};
    QTest::newRow("the bundled courses, one named")
        << Tree()
        << QStringList{u"check"_s, u"--json"_s, QStringLiteral(VOCARIN_COURSES_DIR "/animals")} << 0
        << QStringList{QStringLiteral(VOCARIN_COURSES_DIR "/animals")};
}

void TestCourseCheck::commandLine()
{
    QFETCH(Tree, tree);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, folders);

    const TemporaryFolder folder;
    folder.create(tree);
    QProcess tool;
    tool.setWorkingDirectory(folder.path());
    tool.start(QStringLiteral(VOCARIN_COURSE_TOOL), arguments);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), exitCode);

    const QJsonObject result = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    QCOMPARE(result.value(u"ok"_s).toBool(), exitCode == 0);
    QStringList shown;
    for (const QJsonValue& course : result.value(u"courses"_s).toArray())
        shown.append(course.toObject().value(u"folder"_s).toString());
    QCOMPARE(shown, folders);
}

// What ships with the program is what teachers copy: not even a warning.
void TestCourseCheck::bundledCoursesHaveNoProblems()
{
    const QList<CourseReport> reports = checkFolders({QStringLiteral(VOCARIN_COURSES_DIR)});
    // The examples, the courses of the four levels and the two listening contrasts.
    QCOMPARE(reports.size(), 4 + 29 + 2);
    for (const CourseReport& report : reports)
        QVERIFY2(report.problems.isEmpty(),
                 qPrintable(report.folder + u": "_s + found(report).join(u", "_s)));
}

QTEST_GUILESS_MAIN(TestCourseCheck)
#include "tst_course_check.moc"
