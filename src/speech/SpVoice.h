#pragma once

#include "exercise/Speaker.h"

#include <QString>

#include <memory>
#include <vector>

namespace vocarin {

class AudioOutput;
class SpeechEngine; // one synthesis engine (flite, espeak-ng) behind its own voices

class VoiceToken
{
public:
    QString GetDescription() const;
    // implementation detail left to the speech code
    SpeechEngine* engine = nullptr;
    int voiceIndex = -1;
    QString description;
};

class VoiceCollection
{
public:
    qint32 Count() const { return qint32(m_items.size()); }
    VoiceToken Item(qint32 index) const; // throws Fault outside the collection
    explicit VoiceCollection(std::vector<VoiceToken> items) : m_items(std::move(items)) {}

private:
    std::vector<VoiceToken> m_items;
};

// Our stand-in for the system's voice object: the members the program calls,
// in their own names. Speak is synchronous for the caller.
class SpVoice : public Speaker
{
public:
    // Throws a Fault when an engine cannot start.
    explicit SpVoice(AudioOutput& output,
                     std::vector<std::unique_ptr<SpeechEngine>> engines = defaultEngines());
    ~SpVoice() override;

    static std::vector<std::unique_ptr<SpeechEngine>> defaultEngines(); // flite, then espeak-ng

    VoiceCollection GetVoices() const;
    VoiceCollection GetVoices(const QString& requiredAttributes,
                              const QString& optionalAttributes) const;
    void setVoice(const VoiceToken& token); // the Voice property assignment
    void Speak(const QString& text, int flags);
    void speak(const QString& text) override { Speak(text, 0); }

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

inline const QString preferredVoiceDescription()
{
    return QStringLiteral("Microsoft Zira Desktop - English (United States)");
}

} // namespace vocarin
