#include "tools/CourseMake.h"

#include "course/ChoiceCount.h"
#include "course/CourseLoad.h"
#include "course/CourseRecordings.h"
#include "tools/ProblemText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

QString settingsError(const CourseSettings& settings)
{
    if (settings.title.isEmpty())
        return u"コース名（--title）が空です。"_s;
    if (settings.title.contains(u'\n') || settings.title.contains(u'\r'))
        return u"コース名に改行は使えません。"_s;
    if (!hasAnswerButtons(settings.choices))
        return u"選択肢の数（--choices）は %1 にしてください。"_s.arg(choiceRangeText());
    for (const QChar c : {u'/', u'\\', u'\n', u'\r'}) {
        if (settings.prefix.contains(c))
            return u"ファイル名の頭（--prefix）に / や \\ や改行は使えません。"_s;
    }
    return {};
}

struct RecordingCopy
{
    QString source;
    QString name; // the file name in the course's "sounds" folder
};

// The recordings to copy, one for each recording name; an error when a file
// is missing, is of no recording kind, or two files would get one name.
QString planRecordings(const QList<WordPair>& pairs, QList<RecordingCopy>& copies)
{
    QHash<QString, qsizetype> byKey;
    for (const WordPair& pair : pairs) {
        if (pair.sound.isEmpty())
            continue;
        const QFileInfo source(pair.sound);
        if (!source.isFile())
            return u"単語「%1」の録音ファイル %2 がありません。表の3列目のパス（表ファイルの"
                   u"フォルダーから）を直すか、そこに録音ファイルを置いてください。"_s.arg(
                       pair.english, pair.sound);
        const QString extension = source.suffix().toLower();
        if (!recordingExtensions.contains(extension))
            return u"単語「%1」の録音ファイル %2 は使えない種類です。%3 のどれかで保存し直して"
                   u"ください。"_s.arg(pair.english, pair.sound, recordingExtensions.join(u", "_s));
        const QString name = recordingName(pair.english);
        const auto same = byKey.constFind(recordingKey(name));
        if (same == byKey.cend()) {
            byKey.insert(recordingKey(name), copies.size());
            copies.append({pair.sound, name + u'.' + extension});
        } else if (QFileInfo(copies.at(*same).source).canonicalFilePath() !=
                   source.canonicalFilePath()) {
            return u"単語「%1」の録音ファイル %2 は、%3 と同じ名前 %4 になります"
                   u"（名前の大文字と小文字は区別されません）。"_s.arg(
                       pair.english, pair.sound, copies.at(*same).source, copies.at(*same).name);
        }
    }
    return {};
}

// The marker names the kind a teacher expects: "wav" when all are WAVE files.
QString formatMarker(const QList<RecordingCopy>& copies)
{
    const bool allWave = std::all_of(copies.cbegin(), copies.cend(), [](const RecordingCopy& c) {
        return c.name.endsWith(u".wav"_s);
    });
    return allWave ? u"wav"_s : u"mp3"_s;
}

bool writeNewFile(const QString& path, const QStringList& lines)
{
    QByteArray bytes = "\xEF\xBB\xBF";
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
           file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

QString makeCourse(const QString& folder, const CourseSettings& settings,
                   const QList<WordPair>& pairs)
{
    if (const QString error = settingsError(settings); !error.isEmpty())
        return error;
    if (pairs.size() < minimumWordCount)
        return tooFewWordsText(pairs.size());

    const QStringList names{optionFileName, wordListName(settings.prefix),
                            meaningListName(settings.prefix)};
    // The program matches names without regard to case, so "option.txt" counts too.
    const QDir dir(folder);
    for (const QString& existing : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System)) {
        for (const QString& name : names) {
            if (existing.compare(name, Qt::CaseInsensitive) == 0)
                return u"%1 にはもう %2 があります。上書きはしません。"_s.arg(folder, existing);
        }
    }
    QList<RecordingCopy> copies;
    if (const QString error = planRecordings(pairs, copies); !error.isEmpty())
        return error;
    if (!QDir().mkpath(folder))
        return u"フォルダー %1 を作れません。"_s.arg(folder);
    if (!copies.isEmpty()) {
        const QString sounds = dir.filePath(recordingFolderName);
        if (!QDir().mkpath(sounds))
            return u"フォルダー %1 を作れません。"_s.arg(sounds);
        for (const RecordingCopy& copy : copies) {
            const QString target = QDir(sounds).filePath(copy.name);
            if (!QFile::copy(copy.source, target))
                return u"録音ファイル %1 を %2 にコピーできません"
                       u"（同じ名前のファイルがあれば上書きはしません）。"_s.arg(copy.source,
                                                                                 target);
        }
    }

    QStringList english;
    QStringList japanese;
    for (const WordPair& pair : pairs) {
        english.append(pair.english);
        japanese.append(pair.japanese);
    }
    QStringList options{settings.title, settings.prefix, QString::number(settings.choices)};
    if (!copies.isEmpty())
        options.insert(2, formatMarker(copies));
    const QList<QStringList> contents{options, english, japanese};
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!writeNewFile(dir.filePath(names.at(i)), contents.at(i)))
            return u"%1 を書き込めません。"_s.arg(dir.filePath(names.at(i)));
    }
    return {};
}

} // namespace vocarin::tools
