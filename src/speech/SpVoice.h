#pragma once

#include "exercise/Speaker.h"
#include "speech/SpeechEngine.h"

#include <QString>

#include <memory>
#include <vector>

namespace vocarin {

// One entry of a voice collection. Made only by SpVoice.
class VoiceToken
{
public:
    QString GetDescription() const { return m_description; }

private:
    friend class SpVoice;
    VoiceToken(SpeechEngine* engine, int voiceIndex, QString description)
        : m_engine(engine), m_voiceIndex(voiceIndex), m_description(std::move(description))
    {
    }
    SpeechEngine* m_engine;
    int m_voiceIndex;
    QString m_description;
};

class VoiceCollection
{
public:
    qint32 Count() const { return qint32(m_items.size()); }
    VoiceToken Item(qint32 index) const; // throws ListIndexFault outside the collection
    explicit VoiceCollection(std::vector<VoiceToken> items) : m_items(std::move(items)) {}

private:
    std::vector<VoiceToken> m_items;
};

// Our stand-in for the system's voice object: the members the program calls,
// in their own names. Speak is synchronous for the caller.
class SpVoice : public Speaker
{
public:
    // Starts every engine; an engine that cannot start is left out with its
    // voices. Throws the first engine's fault when none starts. Voices are
    // listed engine by engine; until a voice is assigned the first one speaks.
    explicit SpVoice(AudioOutput& output,
                     std::vector<std::unique_ptr<SpeechEngine>> engines = defaultEngines());
    ~SpVoice() override;

    // The system's engines, one source file a system: on Linux flite,
    // espeak-ng, then Festival; on Windows SAPI 5, then flite.
    static std::vector<std::unique_ptr<SpeechEngine>> defaultEngines();
    // Whether those may be started on a thread other than the window thread,
    // to be used on the window thread afterwards.
    static bool defaultEnginesStartOnAnyThread();

    VoiceCollection GetVoices() const;
    VoiceCollection GetVoices(const QString& requiredAttributes,
                              const QString& optionalAttributes) const;
    void setVoice(const VoiceToken& token); // the Voice property assignment
    // Returns once the output has played the text. Meanwhile the thread's
    // events are processed except user input, which waits until afterwards;
    // a watchdog ends the wait when the output stalls. Throws a Fault when
    // synthesis fails. Only flags 0 is ever passed: the engine's default.
    void Speak(const QString& text, int flags);
    // Speak at this rate, for this text only.
    void speakAt(const QString& text, double rate);
    // The speaking rate of every later Speak: 1.0 (the start) is each voice's
    // own, 0.6 makes a word about 1.7 times as long. Rates outside 0.25 to 4
    // are held there.
    void setRate(double rate);
    double rate() const;
    void speak(const QString& text) override { Speak(text, 0); }

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace vocarin
