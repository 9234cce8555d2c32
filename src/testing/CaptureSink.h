#pragma once

#include "speech/AudioOutput.h"

#include <chrono>
#include <vector>

namespace vocarin {

// An output for tests and tools: keeps every clip handed to it, in order, and
// plays on a simulated clock. With auto-advance (the default) a speech clip
// counts as heard as soon as it is handed over, so Speak returns promptly;
// without it, speech sounds until advance() moves the clock past its end.
class CaptureSink : public AudioOutput
{
    Q_OBJECT
public:
    enum class Kind { Cue, Speech };
    struct Capture
    {
        Kind kind;
        std::shared_ptr<const AudioClip> clip;
        qint64 atUs;                                    // simulated clock when handed over
        std::chrono::steady_clock::time_point handedAt; // wall clock, for measuring
    };

    explicit CaptureSink(bool autoAdvance = true) : m_autoAdvance(autoAdvance) {}

    void playCue(std::shared_ptr<const AudioClip> clip) override;
    void playSpeech(std::shared_ptr<const AudioClip> clip) override;
    bool isSpeechPlaying() const override { return m_nowUs < m_speechEndUs; }
    void stopAll() override;
    void openInBackground() override { ++m_backgroundOpens; }

    void advance(qint64 us); // says when the speech clip ends on the way

    const std::vector<Capture>& captures() const { return m_captures; }
    std::vector<Capture> captures(Kind kind) const;
    void clear() { m_captures.clear(); }
    int stopCount() const { return m_stops; }
    int backgroundOpenCount() const { return m_backgroundOpens; }

private:
    static qint64 durationUs(const AudioClip& clip);
    qint64 record(Kind kind, std::shared_ptr<const AudioClip> clip);

    const bool m_autoAdvance;
    qint64 m_nowUs = 0;
    qint64 m_speechEndUs = 0;
    std::vector<Capture> m_captures;
    int m_stops = 0;
    int m_backgroundOpens = 0;
};

} // namespace vocarin
