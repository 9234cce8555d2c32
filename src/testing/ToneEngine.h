#pragma once

#include "speech/SpeechEngine.h"

#include <utility>
#include <vector>

namespace vocarin {

// A stand-in engine for tests: the given voices, each "speaking" a short tone
// of its own pitch at once. Keeps what it was asked to say. An empty list is a
// system without voices.
class ToneEngine : public SpeechEngine
{
public:
    explicit ToneEngine(QStringList voices = {QStringLiteral("Tone - English (United States)")},
                        int toneMs = 60);

    void start() override {}
    QStringList voices() const override { return m_voices; }
    // The tone lasts toneMs at rate 1.0, longer at slower rates.
    AudioClip synthesize(int voice, const QString& text, double rate) override;

    // Every synthesize() throws a Fault from now on.
    void setFailing(bool failing) { m_failing = failing; }
    // (voice index, text) of every request, in order.
    const std::vector<std::pair<int, QString>>& requests() const { return m_requests; }

private:
    QStringList m_voices;
    int m_toneMs;
    bool m_failing = false;
    std::vector<std::pair<int, QString>> m_requests;
};

// An engine whose start-up fails, as on a system without the speech component.
class BrokenEngine : public SpeechEngine
{
public:
    void start() override;
    QStringList voices() const override { return {}; }
    AudioClip synthesize(int voice, const QString& text, double rate) override;
};

} // namespace vocarin
