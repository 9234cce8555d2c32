#include "tools/RecordingCheck.h"

#include "course/CourseLoad.h"
#include "course/CourseRecordings.h"
#include "speech/RecordingDecoder.h"
#include "tools/ProblemText.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

RecordingFindings checkRecordings(const CourseFolder& course, const StringList& options,
                                  const QString& wordFile, const QStringList& words)
{
    RecordingFindings findings;
    const auto warn = [&findings](const QString& kind, const QString& file, qsizetype line,
                                  const QString& message) {
        findings.problems.append({Severity::Warning, kind, file, line, message});
    };
    const QDir folder(course.filePath(QString()));
    const auto shown = [&folder](const QString& path) { return folder.relativeFilePath(path); };
    const CourseRecordings files = soundFilesOf(course);

    QHash<QString, QString> usedByName; // recording key -> the file the word plays
    QList<qsizetype> missing;           // 0-based lines of words without a recording
    qsizetype recorded = 0;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words.at(i).isEmpty())
            continue; // a blank line, said as such
        const QString path = files.pathOf(words.at(i));
        if (path.isEmpty()) {
            missing.append(i);
            continue;
        }
        usedByName.insert(recordingKey(recordingName(words.at(i))), path);
        ++recorded;
    }

    if (!hasFormatMarker(options)) {
        if (!usedByName.isEmpty())
            warn(u"recordings-unmarked"_s, optionFileName, 3,
                 u"単語の名前の録音ファイルが %1 個（%2 など）ありますが、3行目が wav か mp3 "
                 u"ではないので使われません。使うには3行目を mp3 にして、選択肢の数を4行目に"
                 u"書いてください。"_s.arg(usedByName.size())
                     .arg(shown(*usedByName.cbegin())));
        return findings;
    }

    findings.recorded = recorded;
    // A course of the old format may carry the marker without recordings:
    // only when some word has one are the others missing.
    if (!usedByName.isEmpty()) {
        for (const qsizetype line : missing)
            warn(u"missing-recording"_s, wordFile, line + 1,
                 u"単語%1の録音ファイルがありません。合成音声で読み上げます。録音で聞かせるなら、"
                 u"%2 フォルダーに %3 などの名前で置いてください。"_s.arg(
                     quoted(words.at(line)), recordingFolderName,
                     recordingName(words.at(line)) + u".mp3"_s));
    }

    const QSet<QString> used(usedByName.cbegin(), usedByName.cend());
    for (const QString& path : files.files()) {
        const DecodedRecording recording = readRecording(path);
        if (!recording.decoded())
            warn(u"recording-unreadable"_s, shown(path), 0,
                 u"録音を再生できません: %1録音し直すか、%2 のどれかで保存し直して"
                 u"ください。"_s.arg(recording.fault, recordingExtensions.join(u", "_s)));
        if (used.contains(path))
            continue;
        const QString instead = usedByName.value(recordingKey(QFileInfo(path).completeBaseName()));
        warn(u"unused-recording"_s, shown(path), 0,
             instead.isEmpty()
                 ? u"どの単語とも名前が合わないので使われません。単語と同じ名前にするか、"
                   u"要らなければ消してください。"_s
                 : u"同じ単語の録音 %1 が使われるので、このファイルは使われません。"
                   u"要らなければ消してください。"_s.arg(shown(instead)));
    }
    return findings;
}

} // namespace vocarin::tools
