#include "speech/CourseSpeaker.h"

#include "speech/RecordingDecoder.h"
#include "speech/SpVoice.h"
#include "speech/SpeechPlayback.h"
#include "speech/SpeechShaping.h"
#include "speech/TimeStretch.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace vocarin {

CourseSpeaker::CourseSpeaker(SpVoice& voice, AudioOutput& output, Notice tellLearner)
    : m_voice(voice), m_output(output), m_tellLearner(std::move(tellLearner))
{
}

void CourseSpeaker::speak(const QString& text)
{
    m_voice.Speak(text, 0);
}

void CourseSpeaker::speakWord(const QString& word)
{
    speakWordAt(word, m_voice.rate());
}

void CourseSpeaker::speakWordSlowly(const QString& word)
{
    speakWordAt(word, kSlowReplayRate);
}

void CourseSpeaker::speakWordAt(const QString& word, double rate)
{
    const QString path = m_recordings.pathOf(word);
    if (path.isEmpty() || m_unplayable.contains(path) || !playRecording(path, rate))
        m_voice.speakAt(word, rate);
}

void CourseSpeaker::setRecordings(CourseRecordings recordings)
{
    m_recordings = std::move(recordings);
    m_unplayable.clear();
}

bool CourseSpeaker::playRecording(const QString& path, double rate)
{
    DecodedRecording recording = readRecording(path);
    if (!recording.decoded()) {
        m_unplayable.insert(path);
        m_tellLearner(
            u"録音ファイルを再生できません。\n%1\n%2\nこの単語は合成音声で読み上げます。"_s.arg(
                QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), recording.fault));
        return false;
    }
    const WakeForInputAfterwards wake;
    playSpeechToEnd(m_output, std::make_shared<const AudioClip>(
                                  shapeSpeech(stretchTime(std::move(recording.clip), rate))));
    return true;
}

} // namespace vocarin
