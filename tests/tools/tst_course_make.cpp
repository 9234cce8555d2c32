#include "TemporaryFolder.h"

#include "core/Fault.h"
#include "course/CourseLoad.h"
#include "course/CourseRecordings.h"
#include "tools/CourseMake.h"
#include "tools/WordTable.h"

#include <QProcess>
#include <QStringEncoder>
#include <QTest>

using namespace vocarin;
using namespace vocarin::tools;
using namespace Qt::StringLiterals;

using vocarin::testkit::TemporaryFolder;
using Pairs = QList<WordPair>;

namespace {

QString describe(const Pairs& pairs)
{
    QStringList shown;
    for (const WordPair& pair : pairs)
        shown.append(pair.english + u'=' + pair.japanese +
                     (pair.sound.isEmpty() ? QString() : u'@' + pair.sound));
    return shown.join(u" | "_s);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const Pairs colours{{u"red"_s, u"赤"_s}, {u"blue"_s, u"青"_s}, {u"green"_s, u"緑"_s}};

} // namespace

class TestCourseMake : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTables_data();
    void readsTables();
    void writesWindowsFiles();
    void refusesToOverwrite_data();
    void refusesToOverwrite();
    void roundTrip_data();
    void roundTrip();
    void commandLine_data();
    void commandLine();
    void copiesRecordings_data();
    void copiesRecordings();
    void refusesRecordings_data();
    void refusesRecordings();
};

void TestCourseMake::readsTables_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("pairs"); // as describe() writes them
    QTest::addColumn<bool>("header");
    QTest::addColumn<bool>("swapped");
    QTest::addColumn<QString>("error"); // start of the error, empty when read

    const QString colourPairs = describe(colours);
    QTest::newRow("CSV, UTF-8 without BOM, LF")
        << QByteArray("red,赤\nblue,青\ngreen,緑\n") << colourPairs << false << false << QString();
    QTest::newRow("BOM, CRLF, header in English")
        << QByteArray("\xEF\xBB\xBF"
                      "English,Japanese\r\nred,赤\r\nblue,青\r\ngreen,緑\r\n")
        << colourPairs << true << false << QString();
    QTest::newRow("header in Japanese, no last line break")
        << QByteArray("英語,日本語\nred,赤\nblue,青\ngreen,緑") << colourPairs << true << false
        << QString();
    QTest::newRow("CP932, as Japanese Excel saves")
        << QByteArray("red,\x90\xD4\r\nblue,\x90\xC2\r\ngreen,\x97\xCE\r\n") << colourPairs << false
        << false << QString();
    QTest::newRow("quoting as spreadsheets write it")
        << QByteArray("\"look after\",\"世話をする, 面倒を見る\"\n"
                      "say,\"「\"\"こんにちは\"\"」と言う\"\n"
                      "\"\",\n"
                      "  run  , 走る ,,\n")
        << u"look after=世話をする, 面倒を見る | say=「\"こんにちは\"」と言う | run=走る"_s << false
        << false << QString();
    QTest::newRow("TSV") << QByteArray("word\tmeaning\nred\t赤\n\"a, b\"\tえー, びー\n")
                         << u"red=赤 | a, b=えー, びー"_s << true << false << QString();
    QTest::newRow("blank rows skipped") << QByteArray("red,赤\n\n\nblue,青\n")
                                        << u"red=赤 | blue=青"_s << false << false << QString();
    QTest::newRow("meaning missing")
        << QByteArray("red,赤\nblue\ngreen,緑\n") << QString() << false << false << u"2行目"_s;
    QTest::newRow("third column: recordings")
        << QByteArray(
               "英語,日本語,録音\nred,赤, sounds/red.mp3 \nblue,青,\n\"a, b\",えー,\"a, b.wav\"\n")
        << u"red=赤@sounds/red.mp3 | blue=青 | a, b=えー@a, b.wav"_s << true << false << QString();
    QTest::newRow("third column: parts of speech, left out")
        << QByteArray("English,Japanese,品詞\nred,赤,名詞\nblue,青,名詞\ngreen,緑,\n")
        << colourPairs << true << false << QString();
    QTest::newRow("third column: notes without a heading, left out")
        << QByteArray("red,赤,signal\nblue,青,sky\ngreen,緑,\n") << colourPairs << false << false
        << QString();
    QTest::newRow("third column: one sound file makes it the recordings'")
        << QByteArray("red,赤,red.WAV\nblue,青,sky\n") << u"red=赤@red.WAV | blue=青@sky"_s << false
        << false << QString();
    QTest::newRow("EUC-JP, as an old Linux or Mac editor saves")
        << QByteArray("cat,\xA4\xCD\xA4\xB3\ndog,\xA4\xA4\xA4\xCC\n") << QString() << false << false
        << u"文字コードが EUC-JP のようです。"_s;
    QTest::newRow("UTF-16 without BOM")
        << QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(u"red,赤\nblue,青\n"_s))
        << QString() << false << false << u"文字コードが BOM のない UTF-16LE のようです。"_s;
    QTest::newRow("UTF-8 with a stray byte")
        << QByteArray("red,あか\nblue,あお\xE9\ngreen,みどり\n") << QString() << false << false
        << u"文字コードは UTF-8 のようですが、2行目"_s;
    QTest::newRow("fourth column") << QByteArray("red,赤,red.mp3\nblue,青,blue.mp3,x\n")
                                   << QString() << false << false << u"2行目"_s;
    QTest::newRow("English missing")
        << QByteArray("red,赤\n,青\n") << QString() << false << false << u"2行目"_s;
    QTest::newRow("quote inside a bare cell")
        << QByteArray("red,赤\nbl\"ue,青\n") << QString() << false << false << u"2行目"_s;
    QTest::newRow("quote never closed")
        << QByteArray("red,赤\nblue,\"青\ngreen,緑\n") << QString() << false << false << u"2行目"_s;
    QTest::newRow("line break inside a cell")
        << QByteArray("red,\"赤\nあか\"\n") << QString() << false << false << u"1行目"_s;

    // Headers as teachers write them, in any words the sheet's language allows.
    for (const char* header : {"英語（English）,日本語（Japanese）", "English words,日本語の意味",
                               "Vocabulary,Translation", "英,和", "Eng,Jpn", "単語\t意味"}) {
        const QByteArray sheet = QByteArray(header) + "\nred,赤\nblue,青\ngreen,緑\n";
        QTest::addRow("header %s", header)
            << (sheet.contains('\t') ? QByteArray(sheet).replace(',', '\t') : sheet) << colourPairs
            << true << false << QString();
    }
    QTest::newRow("columns swapped in every row")
        << QByteArray("赤,red\n青,blue\n緑,green\n") << colourPairs << false << true << QString();
    QTest::newRow("columns swapped, header too")
        << QByteArray("日本語,英語\n赤,red\n青,blue\n緑,green\n") << colourPairs << true << true
        << QString();
    QTest::newRow("one row swapped")
        << QByteArray("red,赤\n青,blue\ngreen,緑\n") << QString() << false << false
        << u"2行目: 英語の列（1列目）に日本語があります: 「青」。（最初の組は 英語「red」、日本語「赤」"_s;
    QTest::newRow("English in the meaning column")
        << QByteArray("red,赤\nblue,blue colour\n") << QString() << false << false
        << u"2行目: 日本語の意味の列（2列目）が英語だけです: 「blue colour」"_s;
    QTest::newRow("a header the sheet's author invented")
        << QByteArray("Words to learn,Notes\nred,赤\n") << QString() << false << false
        << u"1行目: 日本語の意味の列（2列目）が英語だけです"_s;
    QTest::newRow("Japanese in both columns")
        << QByteArray("red,赤\nあお,青\n") << QString() << false << false << u"2行目"_s;
}

void TestCourseMake::readsTables()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, pairs);
    QFETCH(bool, header);
    QFETCH(bool, swapped);
    QFETCH(QString, error);

    const WordTable table = readWordTable(source);
    QVERIFY2(table.error.startsWith(error) && table.error.isEmpty() == error.isEmpty(),
             qPrintable(table.error));
    if (error.isEmpty()) {
        QCOMPARE(describe(table.pairs), pairs);
        QCOMPARE(table.headerSkipped, header);
        QCOMPARE(table.swapped, swapped);
    }
}

void TestCourseMake::writesWindowsFiles()
{
    const TemporaryFolder folder;
    const QDir out(folder.filePath(u"out/day1"_s));
    QCOMPARE(makeCourse(out.path(), {u"色"_s, 3, u"c"_s}, colours), QString());
    QCOMPARE(readFile(out.filePath(u"Option.txt"_s)), QByteArray("\xEF\xBB\xBF色\r\nc\r\n3\r\n"));
    QCOMPARE(readFile(out.filePath(u"cE.txt"_s)),
             QByteArray("\xEF\xBB\xBFred\r\nblue\r\ngreen\r\n"));
    QCOMPARE(readFile(out.filePath(u"cJ.txt"_s)), QByteArray("\xEF\xBB\xBF赤\r\n青\r\n緑\r\n"));
}

void TestCourseMake::refusesToOverwrite_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("option file") << u"out/Option.txt"_s << QString();
    QTest::newRow("option file in other case") << u"out/OPTION.TXT"_s << QString();
    QTest::newRow("word list") << u"out/dayE.txt"_s << u"day"_s;
    QTest::newRow("meaning list") << u"out/dayj.txt"_s << u"day"_s;
}

void TestCourseMake::refusesToOverwrite()
{
    QFETCH(QString, existing);
    QFETCH(QString, prefix);

    const TemporaryFolder folder;
    folder.create(existing, "keep me");
    const QString error = makeCourse(folder.filePath(u"out"_s), {u"T"_s, 4, prefix}, colours);
    QVERIFY2(error.contains(u"上書き"_s), qPrintable(error));
    QCOMPARE(readFile(folder.filePath(existing)), QByteArray("keep me"));
    QCOMPARE(QDir(folder.filePath(u"out"_s)).entryList(QDir::Files),
             QStringList{QFileInfo(existing).fileName()});
}

void TestCourseMake::roundTrip_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("CSV with quotes and header")
        << QByteArray("\xEF\xBB\xBF"
                      "English,Japanese\r\n\"look after\",\"世話をする, 面倒を見る\"\r\n"
                      "wav,波形\r\nsay,\"「\"\"やあ\"\"」と言う\"\r\n")
        << u"day1"_s;
    QTest::newRow("CP932 TSV, empty prefix")
        << QByteArray("red\t\x90\xD4\r\nblue\t\x90\xC2\r\ngreen\t\x97\xCE\r\n") << QString();
}

// What the maker writes, the program's own load reads back pair by pair.
void TestCourseMake::roundTrip()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, prefix);

    const TemporaryFolder folder;
    const WordTable table = readWordTable(source);
    QVERIFY2(table.error.isEmpty(), qPrintable(table.error));
    QCOMPARE(makeCourse(folder.filePath(u"course"_s), {u"コース"_s, 2, prefix}, table.pairs),
             QString());

    const CourseFolder course{folder.dir(), u".\\course\\"_s};
    const StringList options = readOptionFile(course);
    QCOMPARE(courseTitle(options), u"コース"_s);
    QCOMPARE(choiceCount(options), 2);
    const CourseLists lists = readCourseLists(course, listPrefix(options));
    Pairs loaded;
    for (qsizetype i = 0; i < lists.words.count(); ++i)
        loaded.append({lists.words.get(i), lists.meanings.get(i)});
    QCOMPARE(lists.meanings.count(), lists.words.count());
    QCOMPARE(describe(loaded), describe(table.pairs));
}

void TestCourseMake::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");          // part of what the tool prints
    QTest::addColumn<QByteArray>("optionFile"); // empty when no course is made

    const QStringList make{u"make"_s, u"--title"_s, u"色"_s};
    QTest::newRow("full-width choice count, as an input method types it")
        << make + QStringList{u"--choices"_s, u"４"_s, u"colours.csv"_s, u"out"_s} << 0
        << u"コースを作りました"_s << QByteArray("\xEF\xBB\xBF色\r\n\r\n4\r\n");
    QTest::newRow("columns swapped in every row")
        << make + QStringList{u"swapped.csv"_s, u"out"_s} << 0 << u"列を入れ替えて"_s
        << QByteArray("\xEF\xBB\xBF色\r\n\r\n4\r\n");
    QTest::newRow("table file missing, said in Japanese")
        << make + QStringList{u"colors.csv"_s, u"out"_s} << 1
        << u"表ファイルを読めません: ファイル "_s << QByteArray();
    QTest::newRow("a third column of parts of speech, said to be left out")
        << make + QStringList{u"pos.csv"_s, u"out"_s} << 0
        << u"3列目「品詞」は録音ファイル（wav, mp3, ogg, opus, flac）の名前ではないので、"
           u"使わずに作りました。要らない列なら表から消してください。"_s
        << QByteArray("\xEF\xBB\xBF色\r\n\r\n4\r\n");
    QTest::newRow("an EUC-JP table, refused")
        << make + QStringList{u"euc.csv"_s, u"out"_s} << 1
        << u"euc.csv 文字コードが EUC-JP のようです。"_s << QByteArray();
    QTest::newRow("choice count in words")
        << make + QStringList{u"--choices"_s, u"four"_s, u"colours.csv"_s, u"out"_s} << 2
        << u"1～6 の数"_s << QByteArray();
}

void TestCourseMake::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(QByteArray, optionFile);

    const TemporaryFolder folder;
    folder.create(u"colours.csv"_s, "red,赤\nblue,青\ngreen,緑\n");
    folder.create(u"swapped.csv"_s, "日本語,英語\n赤,red\n青,blue\n緑,green\n");
    folder.create(u"pos.csv"_s,
                  "English,Japanese,品詞\nred,赤,名詞\nblue,青,名詞\ngreen,緑,名詞\n");
    // 赤い, 青い, 緑
    folder.create(u"euc.csv"_s, "red,\xC0\xD6\xA4\xA4\nblue,\xC0\xC4\xA4\xA4\ngreen,\xCE\xD0\n");
    QProcess tool;
    tool.setWorkingDirectory(folder.path());
    tool.start(QStringLiteral(VOCARIN_COURSE_TOOL), arguments);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitCode(), exitCode);
    const QString printed =
        QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    QVERIFY2(printed.contains(says), qPrintable(printed));
    QVERIFY2(!printed.contains(u"No such file"_s), qPrintable(printed));
    QCOMPARE(readFile(folder.filePath(u"out/Option.txt"_s)), optionFile);
    if (!optionFile.isEmpty())
        QCOMPARE(readFile(folder.filePath(u"out/E.txt"_s)),
                 QByteArray("\xEF\xBB\xBFred\r\nblue\r\ngreen\r\n"));
}

void TestCourseMake::copiesRecordings_data()
{
    QTest::addColumn<Pairs>("pairs");
    QTest::addColumn<QStringList>("sounds"); // the files in sounds/, sorted
    QTest::addColumn<QString>("marker");

    QTest::newRow("MP3 and WAV") << Pairs{{u"red"_s, u"赤"_s, u"rec/Red.MP3"_s},
                                          {u"what?"_s, u"何"_s, u"rec/what.wav"_s},
                                          {u"blue"_s, u"青"_s}}
                                 << QStringList{u"red.mp3"_s, u"what_.wav"_s} << u"mp3"_s;
    QTest::newRow("all WAV") << Pairs{{u"red"_s, u"赤"_s, u"rec/red.wav"_s},
                                      {u"blue"_s, u"青"_s, u"rec/blue.wav"_s},
                                      {u"green"_s, u"緑"_s}}
                             << QStringList{u"blue.wav"_s, u"red.wav"_s} << u"wav"_s;
    QTest::newRow("a word twice with one file") << Pairs{{u"red"_s, u"赤"_s, u"rec/red.wav"_s},
                                                         {u"blue"_s, u"青"_s},
                                                         {u"red"_s, u"赤"_s, u"rec/red.wav"_s}}
                                                << QStringList{u"red.wav"_s} << u"wav"_s;
}

// Each recording lands in sounds/ under its word's name, where the program
// finds it, and the option file carries the marker.
void TestCourseMake::copiesRecordings()
{
    QFETCH(Pairs, pairs);
    QFETCH(QStringList, sounds);
    QFETCH(QString, marker);

    const TemporaryFolder folder;
    for (WordPair& pair : pairs) {
        if (!pair.sound.isEmpty()) {
            folder.create(pair.sound, pair.sound.toUtf8());
            pair.sound = folder.filePath(pair.sound);
        }
    }
    QCOMPARE(makeCourse(folder.filePath(u"out"_s), {u"色"_s, 3, u"c"_s}, pairs), QString());
    QCOMPARE(readFile(folder.filePath(u"out/Option.txt"_s)),
             u"\uFEFF色\r\nc\r\n%1\r\n3\r\n"_s.arg(marker).toUtf8());
    QCOMPARE(QDir(folder.filePath(u"out/sounds"_s)).entryList(QDir::Files, QDir::Name), sounds);
    const CourseFolder out{folder.dir(), u".\\out\\"_s};
    const CourseRecordings recordings = findRecordings(out, readOptionFile(out));
    for (const WordPair& pair : pairs) {
        if (!pair.sound.isEmpty())
            QCOMPARE(readFile(recordings.pathOf(pair.english)),
                     QDir(folder.path()).relativeFilePath(pair.sound).toUtf8());
    }
}

void TestCourseMake::refusesRecordings_data()
{
    QTest::addColumn<Pairs>("pairs");
    QTest::addColumn<QString>("error"); // a part of it

    QTest::newRow("file missing") << Pairs{{u"red"_s, u"赤"_s, u"rec/gone.mp3"_s},
                                           {u"blue"_s, u"青"_s},
                                           {u"green"_s, u"緑"_s}}
                                  << u"rec/gone.mp3 がありません"_s;
    QTest::newRow("not a recording's kind")
        << Pairs{{u"red"_s, u"赤"_s, u"rec/red.m4a"_s}, {u"blue"_s, u"青"_s}, {u"green"_s, u"緑"_s}}
        << u"使えない種類"_s;
    QTest::newRow("two files for names alike")
        << Pairs{{u"Polish"_s, u"ポーランド語"_s, u"rec/red.wav"_s},
                 {u"polish"_s, u"磨く"_s, u"rec/blue.wav"_s},
                 {u"green"_s, u"緑"_s}}
        << u"同じ名前"_s;
}

// Nothing is written when a recording is wrong.
void TestCourseMake::refusesRecordings()
{
    QFETCH(Pairs, pairs);
    QFETCH(QString, error);

    const TemporaryFolder folder;
    for (const QString& file : {u"rec/red.wav"_s, u"rec/blue.wav"_s, u"rec/red.m4a"_s})
        folder.create(file, "sound");
    for (WordPair& pair : pairs) {
        if (!pair.sound.isEmpty())
            pair.sound = folder.filePath(pair.sound);
    }
    const QString made = makeCourse(folder.filePath(u"out"_s), {u"色"_s, 3, QString()}, pairs);
    QVERIFY2(made.contains(error), qPrintable(made));
    QVERIFY(!QDir(folder.filePath(u"out"_s)).exists());
}

QTEST_GUILESS_MAIN(TestCourseMake)
#include "tst_course_make.moc"
