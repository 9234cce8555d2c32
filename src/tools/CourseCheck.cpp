#include "tools/CourseCheck.h"

#include "core/Fault.h"
#include "course/ChoiceCount.h"
#include "course/CourseLoad.h"
#include "course/CourseText.h"
#include "tools/EncodingGuess.h"
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

// What to write instead of a choice count that is no number: "4" for "４", as
// a Japanese input method types it.
QString choiceCountFix(const QString& line, qsizetype lineNumber)
{
    const bool fullWidthDigit = std::any_of(line.cbegin(), line.cend(), [](QChar c) {
        return c.unicode() >= u'０' && c.unicode() <= u'９';
    });
    if (fullWidthDigit)
        return u"全角の数字です。半角で %1 と書いてください。"_s.arg(
            line.normalized(QString::NormalizationForm_KC).trimmed());
    return u"%1行目に選択肢の数（%2）を半角の数字だけで書いてください。"_s.arg(lineNumber)
        .arg(choiceRangeText());
}

// A file the program cannot read ("ファイル" or what it holds): what the
// program says, and what to do.
QString unreadableText(const QString& file, const Fault& fault, const QString& whatToDo)
{
    const bool badUtf8 = dynamic_cast<const TextDecodingFault*>(&fault) != nullptr;
    return u"%1を読めません（プログラムの表示: %2）。"_s.arg(file, quoted(fault.message())) +
           (badUtf8 ? u"UTF-8（BOMあり）の印があるのに、UTF-8 として正しくない文字があります。"
                      u"文字化けしている所を書き直し、UTF-8 で保存し直してください。"_s
                    : whatToDo);
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
            checkTitle(courseTitle(*options));
        readChoiceCount(*options);
        if (options->count() < 2)
            return;
        const QString prefix = listPrefix(*options);
        if (prefix.trimmed() != prefix)
            add(Severity::Warning, u"prefix-outer-spaces"_s, optionFileName, 2,
                u"ファイル名の頭%1の前か後ろに空白があります。Vocarin は空白も名前に含めて"
                u"%2と%3を探します。2行目の空白を消してください。"_s.arg(
                    quoted(prefix), quoted(wordListName(prefix)), quoted(meaningListName(prefix))));
        const QString wordFile = wordListName(prefix);
        const QString meaningFile = meaningListName(prefix);
        const std::optional<QStringList> words =
            readList(wordFile, u"word-list-unreadable"_s, u"英単語"_s);
        const std::optional<QStringList> meanings =
            readList(meaningFile, u"meaning-list-unreadable"_s, u"日本語の意味"_s);
        if (words)
            checkWords(shownName(wordFile), *words);
        if (words && meanings)
            checkPairs(shownName(wordFile), *words, shownName(meaningFile), *meanings);
        if (words && meanings)
            m_report.problems.append(checkConfusablePairs(
                m_report.title, shownName(wordFile), *words, shownName(meaningFile), *meanings));
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

    // Reads a file of the course as the program does, and notes its encoding
    // and the encoding it was probably saved in, when the program misreads it.
    QStringList readNoting(const QString& name)
    {
        const QByteArray bytes = readCourseFileBytes(m_course.filePath(name));
        CourseTextFile file = decodeCourseFile(bytes);
        CourseFileInfo info{shownName(name), encodingId(file.encoding), {}};
        if (const EncodingGuess guess = guessMisreadEncoding(bytes, file); guess.found()) {
            info.looksLike = guess.id;
            add(guess.certain ? Severity::Fault : Severity::Warning, u"misread-encoding"_s,
                shownName(name), guess.line, misreadEncodingText(guess));
        }
        m_report.files.append(info);
        return std::move(file.lines);
    }

    std::optional<StringList> readOptions()
    {
        try {
            return StringList(readNoting(optionFileName));
        } catch (const Fault& fault) {
            add(Severity::Fault, u"option-file-unreadable"_s, optionFileName, 0,
                unreadableText(u"オプションファイル"_s, fault,
                               u"Option.txt があるか、読めるかを確かめてください。"_s));
            return std::nullopt;
        }
    }

    // The course list shows the title: an empty one is a blank row there.
    void checkTitle(const QString& title)
    {
        m_report.title = title;
        if (title.trimmed().isEmpty())
            add(Severity::Fault, u"empty-title"_s, optionFileName, 1,
                u"コース名（1行目）が空です。コースの一覧に空の行が出て、どのコースか"
                u"わかりません。1行目にコース名を書いてください。"_s);
    }

    void readChoiceCount(const StringList& options)
    {
        try {
            m_report.choices = choiceCount(options);
            m_report.choicesRead = true;
        } catch (const NumberFormatFault& fault) {
            const qsizetype line = choiceCountLine(options);
            add(Severity::Fault, u"option-file-malformed"_s, optionFileName, line,
                u"選択肢の数が整数ではありません（プログラムの表示: %1）。"_s.arg(
                    quoted(fault.message())) +
                    choiceCountFix(options.get(line - 1), line));
            return;
        } catch (const ListIndexFault& fault) {
            add(Severity::Fault, u"option-file-malformed"_s, optionFileName, 0,
                u"行が足りません（プログラムの表示: %1）。1行目にコース名、2行目にファイル名の頭、"
                u"3行目に選択肢の数を書いてください。"_s.arg(quoted(fault.message())));
            return;
        }
        if (!hasAnswerButtons(m_report.choices))
            add(Severity::Warning, u"choice-count-out-of-range"_s, optionFileName,
                choiceCountLine(options),
                u"選択肢の数 %1 は %2 の範囲外です。答えのボタンが出ません。%2 の数にして"
                u"ください。"_s.arg(QString::number(m_report.choices), choiceRangeText()));
    }

    // content: what the list holds, as a teacher names it.
    std::optional<QStringList> readList(const QString& name, const QString& kind,
                                        const QString& content)
    {
        try {
            return readNoting(name);
        } catch (const Fault& fault) {
            add(Severity::Fault, kind, shownName(name), 0,
                unreadableText(u"ファイル"_s, fault,
                               u"%1の一覧を%2という名前で置くか、Option.txt の2行目"
                               u"（ファイル名の頭）をファイルの名前に合わせてください。"_s.arg(
                                   content, quoted(shownName(name)))));
            return std::nullopt;
        }
    }

    void checkWords(const QString& file, const QStringList& words)
    {
        m_report.words = words.size();
        if (words.size() < minimumWordCount) {
            add(Severity::Fault, u"too-few-words"_s, file, 0,
                u"Vocarin は%1と言って終わります。"_s.arg(quoted(tooFewWordsMessage())) +
                    tooFewWordsText(words.size()));
            return; // the course never runs, so the words need no further check
        }
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (holdsJapanese(words.at(i)))
                add(Severity::Warning, u"japanese-word"_s, file, i + 1,
                    u"英単語の行に日本語があります: %1。Vocarin は英語の声で読むので、"
                    u"聞こえません。英語と日本語が入れ替わっていないか確かめて、英単語を"
                    u"書いてください。"_s.arg(quoted(words.at(i))));
        }
        const qsizetype different = QSet<QString>(words.begin(), words.end()).size();
        // Two choices take any other word, even one of the same text.
        if (m_report.choicesRead && m_report.choices > 2 && hasAnswerButtons(m_report.choices) &&
            different < m_report.choices)
            add(Severity::Warning, u"too-few-different-words"_s, file, 0,
                u"違う単語が %1 個しかなく、選択肢の数 %2 に足りません。ボタンが減ります。"
                u"単語を増やすか、選択肢の数を %1 以下にしてください。"_s.arg(different)
                    .arg(m_report.choices));
    }

    void checkPairs(const QString& wordFile, const QStringList& words, const QString& meaningFile,
                    const QStringList& meanings)
    {
        if (meanings.size() < words.size()) {
            const qsizetype line = meanings.size() + 1;
            add(Severity::Fault, u"missing-meaning"_s, wordFile, line,
                u"単語%1に対応する意味がありません（%2 は %3 行、%4 は %5 行）。%4 に意味を"
                u"書き足すか、要らない行なら %2 から消してください。"_s
                    .arg(shownLine(words.at(line - 1)), wordFile)
                    .arg(words.size())
                    .arg(meaningFile)
                    .arg(meanings.size()));
        } else if (meanings.size() > words.size()) {
            const qsizetype line = words.size() + 1;
            add(Severity::Warning, u"missing-word"_s, meaningFile, line,
                u"意味%1に対応する単語がありません（%2 は %3 行、%4 は %5 行）。"
                u"この行から後は使われません。%2 に単語を書き足すか、要らない行なら消して"
                u"ください。"_s.arg(shownLine(meanings.at(line - 1)), wordFile)
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
                    u"答えのボタンに同じ意味が2つ並ぶことがあります。どちらかの意味を"
                    u"書き分けてください。"_s.arg(quoted(words.at(i)), quoted(meanings.at(i)))
                        .arg(*sameMeaning + 1)
                        .arg(quoted(words.at(*sameMeaning))));
            const auto seen = firstLine.constFind(words.at(i));
            if (seen == firstLine.cend()) {
                firstLine.insert(words.at(i), i);
            } else if (meanings.at(*seen) != meanings.at(i)) {
                add(Severity::Warning, u"duplicate-word"_s, wordFile, i + 1,
                    u"単語%1は %2 行目にもあり、意味が違います（%3と%4）。どちらの意味も"
                    u"正解になるよう1つの行にまとめるか、片方を消してください。"_s
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
                add(Severity::Warning, u"blank-line"_s, file, i + 1,
                    u"空の行です。消してください。"_s);
            else if (line.trimmed() != line)
                add(Severity::Warning, u"outer-spaces"_s, file, i + 1,
                    u"行の前か後ろに空白があります: %1。空白を消してください。"_s.arg(
                        quoted(line)));
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
