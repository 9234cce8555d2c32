#include "tools/CourseCheck.h"

#include "course/CourseDiscovery.h"
#include "course/CourseLoad.h"
#include "course/CoursePaths.h"
#include "course/CourseText.h"
#include "course/Fault.h"
#include "tools/RecordingCheck.h"
#include "tools/TextKinds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

QString encodingId(CourseEncoding encoding)
{
    switch (encoding) {
    case CourseEncoding::Utf8Bom:
        return u"utf-8-bom"_s;
    case CourseEncoding::Utf16LE:
        return u"utf-16le"_s;
    case CourseEncoding::Utf16BE:
        return u"utf-16be"_s;
    case CourseEncoding::Utf8:
        return u"utf-8"_s;
    case CourseEncoding::Cp932:
        break;
    }
    return u"cp932"_s;
}

QString encodingLabel(const QString& id)
{
    static const QHash<QString, QString> labels{
        {u"utf-8-bom"_s, u"UTF-8（BOMあり）"_s},   {u"utf-16le"_s, u"UTF-16LE（BOMあり）"_s},
        {u"utf-16be"_s, u"UTF-16BE（BOMあり）"_s}, {u"utf-8"_s, u"UTF-8（BOMなし）"_s},
        {u"cp932"_s, u"シフトJIS（CP932）"_s},
    };
    return labels.value(id, id);
}

// Course file names are written the Windows way; show them the way of this system.
QString shownName(const QString& name)
{
    return QString(name).replace(u'\\', u'/');
}

QString quoted(const QString& text)
{
    return u"「"_s + text + u"」"_s;
}

// A list line in a message: an empty one is named as such.
QString shownLine(const QString& line)
{
    return line.isEmpty() ? u"（空の行）"_s : quoted(line);
}

// What a Japanese input method typed: "４" for 4.
QString fullWidthHint(const QString& line)
{
    const bool fullWidthDigit = std::any_of(line.cbegin(), line.cend(), [](QChar c) {
        return c.unicode() >= u'０' && c.unicode() <= u'９';
    });
    if (!fullWidthDigit)
        return {};
    return u"全角の数字です。半角で %1 と書いてください。"_s.arg(
        line.normalized(QString::NormalizationForm_KC).trimmed());
}

class Checker
{
public:
    Checker(const QString& subDirectory, CourseReport& report)
        : m_subDirectory(subDirectory), m_report(report)
    {
    }

    void run()
    {
        std::optional<StringList> options = readOptions();
        if (!options)
            return;
        if (options->count() > 0)
            m_report.title = courseTitle(*options);
        readChoiceCount(*options);
        if (options->count() < 2)
            return;
        const QString prefix = listPrefix(*options);
        if (prefix.trimmed() != prefix)
            add(Severity::Warning, u"prefix-outer-spaces"_s, u"Option.txt"_s, 2,
                u"ファイル名の頭%1の前か後ろに空白があります。Vocarin は空白も名前に含めて"
                u"%2と%3を探します。"_s.arg(quoted(prefix), quoted(prefix + u"E.txt"_s),
                                               quoted(prefix + u"J.txt"_s)));
        const QString wordFile = prefix + u"E.txt"_s;
        const QString meaningFile = prefix + u"J.txt"_s;
        const std::optional<QStringList> words = readList(wordFile, u"word-list-unreadable"_s);
        const std::optional<QStringList> meanings =
            readList(meaningFile, u"meaning-list-unreadable"_s);
        if (words)
            checkWords(shownName(wordFile), *words);
        if (words && meanings)
            checkPairs(shownName(wordFile), *words, shownName(meaningFile), *meanings);
        if (words)
            checkLines(shownName(wordFile), *words);
        if (meanings)
            checkLines(shownName(meaningFile), *meanings);
        if (words)
            addRecordingFindings(*options, shownName(wordFile), *words);
        sortByPlace({u"Option.txt"_s, shownName(wordFile), shownName(meaningFile)});
    }

private:
    // File by file in the course's order, line by line, as a teacher mends them.
    void sortByPlace(const QStringList& files)
    {
        std::stable_sort(m_report.problems.begin(), m_report.problems.end(),
                         [&files](const CourseProblem& a, const CourseProblem& b) {
                             // Other files, such as recordings, come after the course's own.
                             const auto place = [&files](const QString& file) {
                                 const qsizetype index = files.indexOf(file);
                                 return index < 0 ? files.size() : index;
                             };
                             const qsizetype fileA = place(a.file);
                             const qsizetype fileB = place(b.file);
                             return fileA != fileB ? fileA < fileB : a.line < b.line;
                         });
    }

    void addRecordingFindings(const StringList& options, const QString& wordFile,
                              const QStringList& words)
    {
        RecordingFindings findings = checkRecordings(m_subDirectory, options, wordFile, words);
        m_report.recorded = findings.recorded;
        m_report.problems.append(findings.problems);
    }

    void add(Severity severity, const QString& kind, const QString& file, qsizetype line,
             const QString& message)
    {
        m_report.problems.append({severity, kind, file, line, message});
    }

    void noteEncoding(const QString& name)
    {
        QFile file(resolveCoursePath(m_subDirectory + name));
        if (file.open(QIODevice::ReadOnly))
            m_report.files.append(
                {shownName(name), encodingId(courseTextEncoding(file.readAll()))});
    }

    std::optional<StringList> readOptions()
    {
        try {
            StringList options = readOptionFile(m_subDirectory);
            noteEncoding(u"Option.txt"_s);
            return options;
        } catch (const Fault& fault) {
            add(Severity::Fault, u"option-file-unreadable"_s, u"Option.txt"_s, 0,
                u"オプションファイルを読めません。プログラムの表示: "_s + quoted(fault.message()));
            return std::nullopt;
        }
    }

    void readChoiceCount(const StringList& options)
    {
        try {
            m_report.choices = choiceCount(options);
            m_report.choicesRead = true;
        } catch (const NumberFormatFault& fault) {
            const qsizetype line = isFormatMarker(options.get(2)) ? 4 : 3;
            add(Severity::Fault, u"option-file-malformed"_s, u"Option.txt"_s, line,
                u"選択肢の数が整数ではありません。"_s + fullWidthHint(options.get(line - 1)) +
                    u"プログラムの表示: "_s + quoted(fault.message()));
            return;
        } catch (const ListIndexFault& fault) {
            add(Severity::Fault, u"option-file-malformed"_s, u"Option.txt"_s, 0,
                u"行が足りません（1行目: コース名、2行目: ファイル名の頭、3行目: 選択肢の数）。"
                u"プログラムの表示: "_s +
                    quoted(fault.message()));
            return;
        }
        if (m_report.choices < 1 || m_report.choices > 6)
            add(Severity::Warning, u"choice-count-out-of-range"_s, u"Option.txt"_s,
                isFormatMarker(options.get(2)) ? 4 : 3,
                u"選択肢の数 %1 は 1～6 の範囲外です。答えのボタンが出ません。"_s.arg(
                    m_report.choices));
    }

    std::optional<QStringList> readList(const QString& name, const QString& kind)
    {
        try {
            QStringList lines = readCourseTextFile(resolveCoursePath(m_subDirectory + name));
            noteEncoding(name);
            return lines;
        } catch (const Fault& fault) {
            add(Severity::Fault, kind, shownName(name), 0,
                u"ファイルを読めません。プログラムの表示: "_s + quoted(fault.message()));
            return std::nullopt;
        }
    }

    void checkWords(const QString& file, const QStringList& words)
    {
        m_report.words = words.size();
        if (words.size() < minimumWordCount) {
            add(Severity::Fault, u"too-few-words"_s, file, 0,
                u"単語が %1 個しかありません。3つ以上必要です。プログラムの表示: "_s.arg(
                    words.size()) +
                    quoted(tooFewWordsMessage()));
            return; // the course never runs, so the words need no further check
        }
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (holdsJapanese(words.at(i)))
                add(Severity::Warning, u"japanese-word"_s, file, i + 1,
                    u"英単語の行に日本語があります: %1。Vocarin は英語の声で読むので、"
                    u"聞こえません。英語と日本語が入れ替わっていませんか。"_s.arg(
                        quoted(words.at(i))));
        }
        const qsizetype different = QSet<QString>(words.begin(), words.end()).size();
        if (m_report.choicesRead && m_report.choices >= 3 && m_report.choices <= 6 &&
            different < m_report.choices)
            add(Severity::Warning, u"too-few-different-words"_s, file, 0,
                u"違う単語が %1 個しかなく、選択肢の数 %2 に足りません。ボタンが減ります。"_s
                    .arg(different)
                    .arg(m_report.choices));
    }

    void checkPairs(const QString& wordFile, const QStringList& words, const QString& meaningFile,
                    const QStringList& meanings)
    {
        if (meanings.size() < words.size()) {
            const qsizetype line = meanings.size() + 1;
            add(Severity::Fault, u"missing-meaning"_s, wordFile, line,
                u"単語%1に対応する意味がありません（%2 は %3 行、%4 は %5 行）。"_s
                    .arg(shownLine(words.at(line - 1)), wordFile)
                    .arg(words.size())
                    .arg(meaningFile)
                    .arg(meanings.size()));
        } else if (meanings.size() > words.size()) {
            const qsizetype line = words.size() + 1;
            add(Severity::Warning, u"missing-word"_s, meaningFile, line,
                u"意味%1に対応する単語がありません（%2 は %3 行、%4 は %5 行）。"
                u"この行から後は使われません。"_s.arg(shownLine(meanings.at(line - 1)), wordFile)
                    .arg(words.size())
                    .arg(meaningFile)
                    .arg(meanings.size()));
        }
        QHash<QString, qsizetype> firstLine;
        QHash<QString, qsizetype> meaningLine;
        const qsizetype pairs = qMin(words.size(), meanings.size());
        for (qsizetype i = 0; i < pairs; ++i) {
            // The same meaning for two different words: two buttons with one text.
            const auto sameMeaning = meaningLine.constFind(meanings.at(i));
            if (sameMeaning == meaningLine.cend())
                meaningLine.insert(meanings.at(i), i);
            else if (words.at(*sameMeaning) != words.at(i) && !meanings.at(i).isEmpty())
                add(Severity::Warning, u"duplicate-meaning"_s, meaningFile, i + 1,
                    u"単語%1の意味%2は、%3 行目の単語%4の意味と同じです。"
                    u"答えのボタンに同じ意味が2つ並ぶことがあります。"_s
                        .arg(quoted(words.at(i)), quoted(meanings.at(i)))
                        .arg(*sameMeaning + 1)
                        .arg(quoted(words.at(*sameMeaning))));
            const auto seen = firstLine.constFind(words.at(i));
            if (seen == firstLine.cend()) {
                firstLine.insert(words.at(i), i);
            } else if (meanings.at(*seen) != meanings.at(i)) {
                add(Severity::Warning, u"duplicate-word"_s, wordFile, i + 1,
                    u"単語%1は %2 行目にもあり、意味が違います（%3と%4）。"_s
                        .arg(quoted(words.at(i)))
                        .arg(*seen + 1)
                        .arg(quoted(meanings.at(*seen)), quoted(meanings.at(i))));
            }
        }
    }

    void checkLines(const QString& file, const QStringList& lines)
    {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString& line = lines.at(i);
            if (line.isEmpty())
                add(Severity::Warning, u"blank-line"_s, file, i + 1, u"空の行です。"_s);
            else if (line.trimmed() != line)
                add(Severity::Warning, u"outer-spaces"_s, file, i + 1,
                    u"行の前か後ろに空白があります: "_s + quoted(line));
        }
    }

    const QString m_subDirectory;
    CourseReport& m_report;
};

// Runs in folder as the working folder and returns to where it was.
class InFolder
{
public:
    explicit InFolder(const QString& folder)
        : m_previous(QDir::currentPath()), m_entered(QDir::setCurrent(folder))
    {
    }
    ~InFolder() { QDir::setCurrent(m_previous); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    bool entered() const { return m_entered; }

private:
    QString m_previous;
    bool m_entered;
};

CourseReport folderProblem(const QString& folder, const QString& kind, const QString& message)
{
    CourseReport report;
    report.folder = folder;
    report.problems.append({Severity::Fault, kind, QString(), 0, message});
    return report;
}

// The courses the program would find when started in folder.
QList<CourseReport> checkFolder(const QString& folder)
{
    const InFolder inFolder(folder);
    if (!inFolder.entered()) {
        const bool exists = QFileInfo(folder).isDir();
        return {
            folderProblem(folder, exists ? u"folder-unreadable"_s : u"folder-missing"_s,
                          exists ? u"フォルダーを開けません。"_s : u"フォルダーがありません。"_s)};
    }
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(optionList);
    if (catalogue.folders.isEmpty())
        return {folderProblem(
            folder, u"no-course"_s,
            u"コースが見つかりません（Option.txt のあるフォルダーがありません）。"_s)};
    QList<CourseReport> reports;
    for (qsizetype i = 0; i < catalogue.folders.size(); ++i) {
        const QString& subDirectory = catalogue.folders.at(i);
        reports.append(
            checkCourse(subDirectory, QDir::cleanPath(folder + u'/' + shownName(subDirectory))));
        const qsizetype same = catalogue.titles.indexOf(catalogue.titles.at(i));
        if (same < i)
            reports.last().problems.prepend(
                {Severity::Warning, u"duplicate-title"_s, u"Option.txt"_s, 1,
                 u"コース名%1は %2 と同じです。コースの一覧で見分けがつきません。"_s.arg(
                     quoted(catalogue.titles.at(i)), reports.at(same).folder)});
    }
    return reports;
}

} // namespace

bool CourseReport::hasFault() const
{
    return std::any_of(problems.cbegin(), problems.cend(),
                       [](const CourseProblem& p) { return p.severity == Severity::Fault; });
}

CourseReport checkCourse(const QString& subDirectory, const QString& shownFolder)
{
    CourseReport report;
    report.folder = shownFolder;
    Checker(subDirectory, report).run();
    return report;
}

QList<CourseReport> checkFolders(const QStringList& folders)
{
    if (folders.isEmpty())
        return checkFolder(u"."_s);
    QList<CourseReport> reports;
    for (const QString& folder : folders)
        reports.append(checkFolder(folder));
    return reports;
}

QString formatReports(const QList<CourseReport>& reports)
{
    QString out;
    qsizetype faults = 0;
    qsizetype warnings = 0;
    for (const CourseReport& report : reports) {
        out += u"■ "_s + report.folder;
        if (!report.title.isNull())
            out += u"　"_s + quoted(report.title);
        out += u'\n';
        for (const CourseFileInfo& file : report.files)
            out += u"  "_s + file.name + u": "_s + encodingLabel(file.encoding) + u'\n';
        if (report.words >= 0 || report.choicesRead) {
            out += u"  単語数: "_s + (report.words >= 0 ? QString::number(report.words) : u"?"_s) +
                   u"　選択肢の数: "_s +
                   (report.choicesRead ? QString::number(report.choices) : u"?"_s) + u'\n';
        }
        if (report.recorded >= 0)
            out += u"  録音のある単語: %1 / %2\n"_s.arg(report.recorded).arg(report.words);
        if (report.problems.isEmpty())
            out += u"  問題はありません。\n"_s;
        for (const CourseProblem& problem : report.problems) {
            const bool fault = problem.severity == Severity::Fault;
            (fault ? faults : warnings) += 1;
            out += fault ? u"  [エラー] "_s : u"  [注意] "_s;
            if (!problem.file.isEmpty())
                out += problem.file +
                       (problem.line > 0 ? u" %1行目"_s.arg(problem.line) : QString()) + u": "_s;
            out += problem.message + u'\n';
        }
        out += u'\n';
    }
    out += u"%1 コースを調べました。エラー %2 件、注意 %3 件。\n"_s.arg(reports.size())
               .arg(faults)
               .arg(warnings);
    return out;
}

QByteArray formatReportsJson(const QList<CourseReport>& reports)
{
    QJsonArray courses;
    bool ok = true;
    for (const CourseReport& report : reports) {
        QJsonArray files;
        for (const CourseFileInfo& file : report.files)
            files.append(QJsonObject{{u"name"_s, file.name}, {u"encoding"_s, file.encoding}});
        QJsonArray problems;
        for (const CourseProblem& problem : report.problems) {
            QJsonObject entry{
                {u"severity"_s, problem.severity == Severity::Fault ? u"error"_s : u"warning"_s},
                {u"kind"_s, problem.kind},
                {u"message"_s, problem.message},
            };
            if (!problem.file.isEmpty())
                entry.insert(u"file"_s, problem.file);
            if (problem.line > 0)
                entry.insert(u"line"_s, qint64(problem.line));
            problems.append(entry);
        }
        QJsonObject course{
            {u"folder"_s, report.folder}, {u"files"_s, files}, {u"problems"_s, problems}};
        if (!report.title.isNull())
            course.insert(u"title"_s, report.title);
        if (report.words >= 0)
            course.insert(u"words"_s, qint64(report.words));
        if (report.choicesRead)
            course.insert(u"choices"_s, report.choices);
        if (report.recorded >= 0)
            course.insert(u"recorded"_s, qint64(report.recorded));
        courses.append(course);
        ok = ok && !report.hasFault();
    }
    return QJsonDocument(QJsonObject{{u"ok"_s, ok}, {u"courses"_s, courses}}).toJson();
}

} // namespace vocarin::tools
