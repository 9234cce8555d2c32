#include "Faults.h"
#include "TemporaryFolder.h"

#include "core/Fault.h"
#include "course/CourseText.h"
#include "course/StringList.h"

#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace vocarin;
using namespace Qt::StringLiterals;
using vocarin::testkit::faultOf;

class TestCourseText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodes_data();
    void decodes();
    void rejectsInvalidUtf8AfterMark_data();
    void rejectsInvalidUtf8AfterMark();
    void readsWholeFile();
    void namesTheEncodingItDecoded_data();
    void namesTheEncodingItDecoded();
    void linesAreIndependentStrings();
    void failsToOpen_data();
    void failsToOpen();
    void failsToOpenWithoutPermission();
};

void TestCourseText::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    const QByteArray utf8Mark("\xEF\xBB\xBF");
    const QByteArray le("\xFF\xFE");
    const QByteArray be("\xFE\xFF");

    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("UTF-8 mark only") << utf8Mark << QStringList();
    QTest::newRow("UTF-16LE mark only") << le << QStringList();
    QTest::newRow("UTF-16BE mark only") << be << QStringList();

    QTest::newRow("UTF-8 with mark")
        << utf8Mark + "りんご\napple"_ba << QStringList{u"りんご"_s, u"apple"_s};
    QTest::newRow("UTF-8 mark, ASCII only") << utf8Mark + "a\nb"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("UTF-8 second mark is text")
        << utf8Mark + utf8Mark + "a"_ba << QStringList{u"\uFEFFa"_s};
    QTest::newRow("UTF-8 mark starting a later line is text")
        << utf8Mark + "a\n"_ba + utf8Mark + "b"_ba << QStringList{u"a"_s, u"\uFEFFb"_s};
    QTest::newRow("unmarked UTF-8 mark starting a later line is text")
        << "a\n"_ba + utf8Mark + "b"_ba << QStringList{u"a"_s, u"\uFEFFb"_s};
    QTest::newRow("UTF-16LE second mark is text")
        << le + le + QByteArray("\x61\x00", 2) << QStringList{u"\uFEFFa"_s};
    QTest::newRow("UTF-16LE with mark")
        << le + QByteArray("\x42\x30\x0D\x00\x0A\x00\x62\x00", 8) << QStringList{u"あ"_s, u"b"_s};
    QTest::newRow("UTF-16BE with mark")
        << be + QByteArray("\x30\x42\x00\x0D\x00\x0A\x00\x62", 8) << QStringList{u"あ"_s, u"b"_s};
    QTest::newRow("UTF-16LE surrogate pair")
        << le + QByteArray("\x3D\xD8\x00\xDE", 4) << QStringList{u"\U0001F600"_s};
    QTest::newRow("UTF-16LE odd trailing byte")
        << le + QByteArray("\x61\x00\x62", 3) << QStringList{u"a\uFFFD"_s};
    QTest::newRow("UTF-16LE lone high surrogate")
        << le + QByteArray("\x3D\xD8\x62\x00", 4) << QStringList{u"\uFFFDb"_s};
    QTest::newRow("UTF-16LE lone low surrogate")
        << le + QByteArray("\x61\x00\x00\xDE\x62\x00", 6) << QStringList{u"a\uFFFDb"_s};
    QTest::newRow("UTF-16LE high surrogate at the end")
        << le + QByteArray("\x61\x00\x3D\xD8", 4) << QStringList{u"a\uFFFD"_s};
    QTest::newRow("UTF-16BE lone low surrogate")
        << be + QByteArray("\xDE\x00\x00\x61", 4) << QStringList{u"\uFFFDa"_s};

    QTest::newRow("unmarked UTF-8 Japanese") << "赤\r\n青い"_ba << QStringList{u"赤"_s, u"青い"_s};
    QTest::newRow("CP932 Japanese")
        << "\x82\xE8\x82\xF1\x82\xB2\r\n\x90\xD4"_ba << QStringList{u"りんご"_s, u"赤"_s};
    QTest::newRow("CP932 half-width katakana and wave dash")
        << "\xB1\x81\x60"_ba << QStringList{u"ｱ\uFF5E"_s};
    QTest::newRow("CP932 undefined byte")
        << "\x82\xA0\xFF\x82\xA2"_ba << QStringList{u"あ\uFFFDい"_s};
    QTest::newRow("CP932 lead byte before a line break")
        << "\x82\nb"_ba << QStringList{u"\uFFFD"_s, u"b"_s};
    QTest::newRow("CP932 NEC and IBM extensions")
        << "\x87\x40\xFA\x40\xED\x40"_ba << QStringList{u"\u2460\u2170\u7E8A"_s};
    QTest::newRow("CP932 lead byte before a byte that cannot follow it")
        << "\x82\x30\x82\xA0"_ba << QStringList{u"\uFFFD0あ"_s};
    QTest::newRow("CP932 lead byte at the end") << "a\x82"_ba << QStringList{u"a\uFFFD"_s};
    // One byte that is not UTF-8 makes the whole file CP932.
    QTest::newRow("UTF-8 and CP932 mixed")
        << "\xE3\x81\x82\n\x82\xA0"_ba << QStringList{u"縺\uFFFD"_s, u"あ"_s};

    QTest::newRow("LF") << "a\nb"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR") << "a\rb\rc"_ba << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("CR LF is one break") << "a\r\nb"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF CR is two breaks") << "a\n\rb"_ba << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("mixed breaks") << "a\rb\nc"_ba << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("CR CR LF") << "a\r\r\nb"_ba << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("last break adds nothing") << "a\nb\n"_ba << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("a further break adds an empty line")
        << "a\nb\nc\n\n"_ba << QStringList{u"a"_s, u"b"_s, u"c"_s, u""_s};
    QTest::newRow("single break") << "\r\n"_ba << QStringList{u""_s};
    QTest::newRow("empty lines inside") << "\n\na"_ba << QStringList{u""_s, u""_s, u"a"_s};
    QTest::newRow("nothing trimmed") << " a \t\n\t"_ba << QStringList{u" a \t"_s, u"\t"_s};

    QTest::newRow("NUL in the third line")
        << QByteArray("a\nb\ncc\0d\ne", 10) << QStringList{u"a"_s, u"b"_s, u"cc"_s};
    QTest::newRow("NUL first") << QByteArray("\0a\nb", 4) << QStringList();
    QTest::newRow("NUL after a break") << QByteArray("a\n\0b", 4) << QStringList{u"a"_s};
    QTest::newRow("UTF-16LE NUL") << le + QByteArray("\x61\x00\x00\x00\x62\x00", 6)
                                  << QStringList{u"a"_s};
    QTest::newRow("NUL in CP932") << QByteArray("\x82\xA0\0\xFF", 4) << QStringList{u"あ"_s};
}

void TestCourseText::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(decodeCourseText(bytes), lines);
}

void TestCourseText::rejectsInvalidUtf8AfterMark_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("stray continuation byte") << "abc\x80"_ba;
    QTest::newRow("CP932 bytes") << "\x82\xA0"_ba;
    QTest::newRow("truncated at the end") << "ok\n\xE3\x81"_ba;
    QTest::newRow("overlong form") << "\xC0\xAF"_ba;
    QTest::newRow("encoded surrogate") << "\xED\xA0\x80"_ba;
    QTest::newRow("beyond U+10FFFF") << "\xF4\x90\x80\x80"_ba;
    QTest::newRow("after a NUL") << QByteArray("a\0\xFF", 3);
}

void TestCourseText::rejectsInvalidUtf8AfterMark()
{
    QFETCH(QByteArray, body);
    QVERIFY_THROWS_EXCEPTION(TextDecodingFault, decodeCourseText("\xEF\xBB\xBF"_ba + body));
    QCOMPARE(faultOf<TextDecodingFault>([&] { decodeCourseText("\xEF\xBB\xBF"_ba + body); }),
             u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません"_s);
}

void TestCourseText::readsWholeFile()
{
    const testkit::TemporaryFolder folder;
    QByteArray big;
    for (int i = 0; i < 50000; ++i)
        big += "\x82\xA0word " + QByteArray::number(i) + "\r\n";
    folder.create(u"big.txt"_s, big);

    const QStringList lines = readCourseText(folder.filePath(u"big.txt"_s)).lines;
    QCOMPARE(lines.size(), 50000);
    QCOMPARE(lines.first(), u"あword 0"_s);
    QCOMPARE(lines.last(), u"あword 49999"_s);
}

void TestCourseText::namesTheEncodingItDecoded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<CourseEncoding>("encoding");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("UTF-8 with mark")
        << "\xEF\xBB\xBF\xE8\xB5\xA4"_ba << CourseEncoding::Utf8Bom << u"赤"_s;
    QTest::newRow("UTF-16LE") << "\xFF\xFE\x64\x8D"_ba << CourseEncoding::Utf16LE << u"赤"_s;
    QTest::newRow("UTF-16BE") << "\xFE\xFF\x8D\x64"_ba << CourseEncoding::Utf16BE << u"赤"_s;
    QTest::newRow("unmarked UTF-8") << "\xE8\xB5\xA4\nred"_ba << CourseEncoding::Utf8 << u"赤"_s;
    QTest::newRow("empty") << QByteArray() << CourseEncoding::Utf8 << QString();
    QTest::newRow("UTF-8 until a CP932 line")
        << "\xE8\xB5\xA4\n\x90\xD4"_ba << CourseEncoding::Cp932 << u"襍､"_s;
}

// The encoding named is the one the lines were decoded from.
void TestCourseText::namesTheEncodingItDecoded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(CourseEncoding, encoding);
    QFETCH(QString, firstLine);

    const testkit::TemporaryFolder folder;
    folder.create(u"list.txt"_s, bytes);
    const CourseTextFile file = readCourseText(folder.filePath(u"list.txt"_s));
    QCOMPARE(file.encoding, encoding);
    QCOMPARE(file.lines.value(0), firstLine);
}

// Each line behaves as a string of its own, ended by a NUL as Qt's strings are.
void TestCourseText::linesAreIndependentStrings()
{
    QStringList lines = decodeCourseText("ab\r\ncd\nef"_ba);
    const QString firstBefore = lines.at(0);
    lines[0].append(u"XYZ"_s);
    lines[1][0] = u'C';
    QCOMPARE(lines, (QStringList{u"abXYZ"_s, u"Cd"_s, u"ef"_s}));
    QCOMPARE(firstBefore, u"ab"_s);

    QString survivor = lines.at(2);
    lines.clear();
    survivor.append(u"gh"_s);
    QCOMPARE(survivor, u"efgh"_s);

    for (const QString& line : decodeCourseText("a\rbc\r\nd\n\ne"_ba))
        QCOMPARE(line.utf16()[line.size()], u'\0');
}

void TestCourseText::failsToOpen_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shownPath");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing file") << u"missing.txt"_s << u"missing.txt"_s
                                  << u"指定されたファイルが見つかりません。"_s;
    QTest::newRow("missing, dotted path") << u"./sub/../missing.txt"_s << u"missing.txt"_s
                                          << u"指定されたファイルが見つかりません。"_s;
    QTest::newRow("folder") << u"sub"_s << u"sub"_s << u"ファイルではなくフォルダーです。"_s;
#ifndef Q_OS_WIN // Windows has no named pipes among files
    QTest::newRow("pipe") << u"pipe"_s << u"pipe"_s << u"通常のファイルではありません。"_s;
#endif
    QTest::newRow("file used as folder")
        << u"plain.txt/x.txt"_s << u"plain.txt/x.txt"_s << u"指定されたパスが見つかりません。"_s;
}

void TestCourseText::failsToOpen()
{
    QFETCH(QString, path);
    QFETCH(QString, shownPath);
    QFETCH(QString, reason);

    const testkit::TemporaryFolder folder;
    folder.create(u"sub/"_s);
    folder.create(u"plain.txt"_s, "x");
#ifndef Q_OS_WIN
    QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(u"pipe"_s)).constData(), 0600), 0);
#endif

    StringList list;
    list.add(u"kept"_s);
    QCOMPARE(faultOf<FileOpenFault>([&] { list.loadFromFile(folder.filePath(path)); }),
             u"ファイル "_s + folder.path() + u'/' + shownPath + u" は開けません。 "_s + reason +
                 u' ');
    QCOMPARE(list.lines(), QStringList{u"kept"_s});
}

// As root (CI runs so) every file is readable: the open is then made as the
// unprivileged user "nobody", root kept as the saved user to come back to.
void TestCourseText::failsToOpenWithoutPermission()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no user to switch to for one call");
#else
    const testkit::TemporaryFolder folder;
    folder.create(u"secret.txt"_s, "x");
    const QString secret = folder.filePath(u"secret.txt"_s);
    QFile::setPermissions(secret, QFileDevice::Permissions());
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ExeOther);
    struct Unprivileged
    {
        const bool root = ::geteuid() == 0;
        Unprivileged()
        {
            if (root && ::seteuid(65534) != 0)
                qFatal("cannot leave root");
        }
        ~Unprivileged()
        {
            if (root && ::seteuid(0) != 0)
                qFatal("cannot return to root");
        }
    };
    const auto message = faultOf<FileOpenFault>([&secret] {
        const Unprivileged asNobody;
        readCourseText(secret);
    });
    QVERIFY2(message && message->endsWith(u"アクセスが拒否されました。 "_s),
             qPrintable(message.value_or(u"no fault"_s)));
#endif
}

QTEST_GUILESS_MAIN(TestCourseText)
#include "tst_course_text.moc"
