// vocarin-course: checks course folders and makes them from spreadsheets.
// A tool beside the program; the program itself reads no command line.
#include "core/Fault.h"
#include "course/ChoiceCount.h"
#include "course/CourseRecordings.h"
#include "course/CourseText.h"
#include "tools/CourseMake.h"
#include "tools/FolderCheck.h"
#include "tools/ReportFormat.h"
#include "tools/WordTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::tools;

namespace {

constexpr int usageError = 2;

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

const QString overview =
    u"Vocarin のコースを調べる・作る道具です。\n\n"
    u"  vocarin-course check [--json] [フォルダー...]\n"
    u"      コースを調べます。フォルダーを省くと、今のフォルダーとその下のフォルダーを\n"
    u"      Vocarin と同じように探します。エラーがあれば終了コード 1 を返します。\n"
    u"  vocarin-course make --title コース名 [--choices 数] [--prefix 頭] 表ファイル "
    u"出力フォルダー\n"
    u"      英語・日本語の2列の CSV / TSV からコースのフォルダーを作ります。\n"
    u"      3列目に録音ファイル（表ファイルのフォルダーからのパス）があれば、\n"
    u"      コースの sounds フォルダーに単語の名前でコピーします。3列目が録音ファイル\n"
    u"      でなければ（品詞、メモなど）、その列は使いません。\n\n"
    u"オプション:\n"
    u"  --json            結果を JSON で出します（check、スクリプト向け）。\n"
    u"  --title コース名  コース名、Option.txt の1行目（make では必ず指定）。\n"
    u"  --choices 数      答えのボタンの数、%1（省くと 4）。\n"
    u"  --prefix 頭       単語ファイル名の頭（省くと空: E.txt と J.txt）。\n"
    u"  -h, --help        この説明を表示します。\n"_s.arg(choiceRangeText());

// Qt's own help text is English; this tool speaks Japanese.
int showHelp()
{
    out() << overview;
    return 0;
}

// Unknown options and missing values, said in Japanese.
bool parseOrComplain(QCommandLineParser& parser, const QStringList& arguments)
{
    if (parser.parse(arguments))
        return true;
    if (!parser.unknownOptionNames().isEmpty())
        err() << u"知らないオプションです: "_s << parser.unknownOptionNames().join(u", "_s) << '\n';
    else
        err() << u"オプションが正しくありません: "_s << parser.errorText() << '\n';
    err() << u"使い方は vocarin-course --help で見られます。\n"_s;
    return false;
}

int check(QCommandLineParser& parser, const QCommandLineOption& help, const QStringList& arguments)
{
    const QCommandLineOption json(u"json"_s);
    parser.addOption(json);
    if (!parseOrComplain(parser, arguments))
        return usageError;
    if (parser.isSet(help))
        return showHelp();

    QStringList folders = parser.positionalArguments();
    folders.removeFirst(); // "check"
    const QList<CourseReport> reports = checkFolders(folders);
    if (parser.isSet(json))
        out() << QString::fromUtf8(formatReportsJson(reports));
    else
        out() << formatReports(reports);
    const bool fault = std::any_of(reports.cbegin(), reports.cend(),
                                   [](const CourseReport& r) { return r.hasFault(); });
    return fault ? 1 : 0;
}

int make(QCommandLineParser& parser, const QCommandLineOption& help, const QStringList& arguments)
{
    const QCommandLineOption title(u"title"_s, QString(), u"title"_s);
    const QCommandLineOption choices(u"choices"_s, QString(), u"choices"_s, u"4"_s);
    const QCommandLineOption prefix(u"prefix"_s, QString(), u"prefix"_s);
    parser.addOptions({title, choices, prefix});
    if (!parseOrComplain(parser, arguments))
        return usageError;
    if (parser.isSet(help))
        return showHelp();

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 3 || !parser.isSet(title)) {
        err() << u"--title と、表ファイルと出力フォルダーが必要です。\n"_s;
        return usageError;
    }
    // A Japanese input method types "４": the same number to a teacher.
    bool isNumber = false;
    const CourseSettings settings{
        parser.value(title),
        parser.value(choices).normalized(QString::NormalizationForm_KC).toInt(&isNumber),
        parser.value(prefix)};
    if (!isNumber) {
        err() << u"--choices には %1 の数を書いてください。\n"_s.arg(choiceRangeText());
        return usageError;
    }

    QByteArray source;
    try {
        source = readCourseFileBytes(positional.at(1));
    } catch (const Fault& fault) {
        err() << u"表ファイルを読めません: "_s << fault.message() << '\n';
        return 1;
    }
    WordTable table = readWordTable(source);
    if (!table.error.isEmpty()) {
        err() << positional.at(1) << u" "_s << table.error << '\n';
        return 1;
    }
    // Recordings are named from where the table is, as it lies beside them.
    const QDir tableFolder = QFileInfo(positional.at(1)).dir();
    for (WordPair& pair : table.pairs) {
        if (!pair.sound.isEmpty())
            pair.sound = tableFolder.filePath(pair.sound);
    }
    const QString outFolder = positional.at(2);
    if (const QString error = makeCourse(outFolder, settings, table.pairs); !error.isEmpty()) {
        err() << error << '\n';
        return 1;
    }
    out() << u"コースを作りました: "_s << outFolder << u"（単語 "_s << table.pairs.size()
          << u" 個"_s << (table.headerSkipped ? u"、1行目は見出しとして飛ばしました"_s : QString())
          << u"）\n"_s
          << (table.swapped ? u"どの行も1列目が日本語、2列目が英語だったので、列を入れ替えて"
                              u"作りました。\n"_s
                            : QString())
          << (table.ignoredColumn.isEmpty()
                  ? QString()
                  : u"%1は録音ファイル（%2）の名前ではないので、使わずに作りました。"
                    u"要らない列なら表から消してください。\n"_s.arg(
                        table.ignoredColumn, recordingExtensions.join(u", "_s)))
          << u'\n';
    const QList<CourseReport> reports = checkFolders({outFolder});
    out() << formatReports(reports);
    return reports.first().hasFault() ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"vocarin-course"_s);

    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{u"h"_s, u"help"_s});
    parser.addOption(help);

    const QStringList arguments = QCoreApplication::arguments();
    parser.parse(arguments);
    const QStringList positional = parser.positionalArguments();
    const QString command = positional.isEmpty() ? QString() : positional.first();

    if (command == u"check")
        return check(parser, help, arguments);
    if (command == u"make")
        return make(parser, help, arguments);
    if (parser.isSet(help))
        return showHelp();
    err() << (command.isEmpty() ? u"コマンドがありません。"_s
                                : u"知らないコマンドです: "_s + command)
          << u"\n\n"_s << overview << '\n';
    return usageError;
}
