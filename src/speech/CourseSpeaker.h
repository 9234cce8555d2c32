#pragma once

#include "course/CourseRecordings.h"
#include "exercise/Speaker.h"

#include <QSet>
#include <QString>

#include <functional>

namespace vocarin {

class AudioOutput;
class SpVoice;

// The exercise's speaker. A word of the course that has a recording is heard
// from it, played as the voices are (trimmed, levelled, the same wait) and
// slowed with its pitch kept at the voice's slower rates and in a slow
// replay; everything else is spoken by the voice. A recording that cannot be played is told to the
// learner once, naming the file, and the voice speaks that word instead until
// a course is loaded again.
class CourseSpeaker : public Speaker
{
public:
    using Notice = std::function<void(const QString& message)>;

    // The rate of a slow replay; 1.0 is the voice's own.
    static constexpr double kSlowReplayRate = 0.6;

    CourseSpeaker(SpVoice& voice, AudioOutput& output, Notice tellLearner);

    void speak(const QString& text) override;
    void speakWord(const QString& word) override;
    void speakWordSlowly(const QString& word) override;
    void setRecordings(CourseRecordings recordings) override;

private:
    void speakWordAt(const QString& word, double rate);
    // False when the recording cannot be played; the learner has been told.
    bool playRecording(const QString& path, double rate);

    SpVoice& m_voice;
    AudioOutput& m_output;
    Notice m_tellLearner;
    CourseRecordings m_recordings;
    QSet<QString> m_unplayable; // recordings that failed since the course load
};

} // namespace vocarin
