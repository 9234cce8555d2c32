#include "tools/CourseCheck.h"

#include "course/ChoiceCount.h"
#include "course/CourseLoad.h"
#include "course/CourseText.h"
#include "course/Fault.h"
#include "tools/EncodingNames.h"
#include "tools/PairCheck.h"
#include "tools/ProblemText.h"
#include "tools/RecordingCheck.h"
#include "tools/TextKinds.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

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
    Checker(const CourseFolder& course, CourseReport& report) : m_course(course), m_report(report)
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
            add(Severity::Warning, u"prefix-outer-spaces"_s, optionFileName, 2,
                u"ファイル名の頭%1の前か後ろに空白があります。Vocarin は空白も名前に含めて"
                u"%2と%3を探します。"_s.arg(quoted(prefix), quoted(wordListName(prefix)),
                                               quoted(meaningListName(prefix))));
        const QString wordFile = wordListName(prefix);
        const QString meaningFile = meaningListName(prefix);
        const std::optional<QStringList> words = readList(wordFile, u"word-list-unreadable"_s);
        const std::optional<QStringList> meanings =
            readList(meaningFile, u"meaning-list-unreadable"_s);
        if (words)
            checkWords(shownName(wordFile), *words);
        if (words && meanings)
            checkPairs(shownName(wordFile), *words, shownName(meaningFile), *meanings);
        if (words && meanings)
            m_report.problems.append(checkConfusablePairs(m_report.title, shownName(wordFile),
                                                          *words, shownName(meaningFile),
                                                          *meanings));
        if (words)
            checkLines(shownName(wordFile), *words);
        if (meanings)
            checkLines(shownName(meaningFile), *meanings);
        if (words)
            addRecordingFindings(*options, shownName(wordFile), *words);
        sortByPlace({optionFileName, shownName(wordFile), shownName(meaningFile)});
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
        RecordingFindings findings = checkRecordings(m_course, options, wordFile, words);
        m_report.recorded = findings.recorded;
        m_report.problems.append(findings.problems);
    }

    void add(Severity severity, const QString& kind, const QString& file, qsizetype line,
             const QString& message)
    {
        m_report.problems.append({severity, kind, file, line, message});
    }

    // Reads a file of the course as the program does, and notes its encoding.
    QStringList readNoting(const QString& name)
    {
        CourseTextFile file = readCourseText(m_course.filePath(name));
        m_report.files.append({shownName(name), encodingId(file.encoding)});
        return std::move(file.lines);
    }

    std::optional<StringList> readOptions()
    {
        try {
            return StringList(readNoting(optionFileName));
        } catch (const Fault& fault) {
            add(Severity::Fault, u"option-file-unreadable"_s, optionFileName, 0,
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
            const qsizetype line = choiceCountLine(options);
            add(Severity::Fault, u"option-file-malformed"_s, optionFileName, line,
                u"選択肢の数が整数ではありません。"_s + fullWidthHint(options.get(line - 1)) +
                    u"プログラムの表示: "_s + quoted(fault.message()));
            return;
        } catch (const ListIndexFault& fault) {
            add(Severity::Fault, u"option-file-malformed"_s, optionFileName, 0,
                u"行が足りません（1行目: コース名、2行目: ファイル名の頭、3行目: 選択肢の数）。"
                u"プログラムの表示: "_s +
                    quoted(fault.message()));
            return;
        }
        if (!hasAnswerButtons(m_report.choices))
            add(Severity::Warning, u"choice-count-out-of-range"_s, optionFileName,
                choiceCountLine(options),
                u"選択肢の数 %1 は %2 の範囲外です。答えのボタンが出ません。"_s.arg(
                    QString::number(m_report.choices), choiceRangeText()));
    }

    std::optional<QStringList> readList(const QString& name, const QString& kind)
    {
        try {
            return readNoting(name);
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
                tooFewWordsText(words.size()) + u"プログラムの表示: "_s +
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
        // Two choices take any other word, even one of the same text.
        if (m_report.choicesRead && m_report.choices > 2 && hasAnswerButtons(m_report.choices) &&
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

    const CourseFolder m_course;
    CourseReport& m_report;
};

} // namespace

CourseReport checkCourse(const CourseFolder& course, const QString& shownFolder)
{
    CourseReport report;
    report.folder = shownFolder;
    Checker(course, report).run();
    return report;
}

} // namespace vocarin::tools
