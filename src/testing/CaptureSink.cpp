#include "testing/CaptureSink.h"

namespace vocarin {

qint64 CaptureSink::durationUs(const AudioClip& clip)
{
    return clip.sampleRate > 0 ? qint64(clip.frames()) * 1000000 / clip.sampleRate : 0;
}

qint64 CaptureSink::record(Kind kind, std::shared_ptr<const AudioClip> clip)
{
    const qint64 end = m_nowUs + durationUs(*clip);
    m_captures.push_back({kind, std::move(clip), m_nowUs, std::chrono::steady_clock::now()});
    return end;
}

void CaptureSink::playCue(std::shared_ptr<const AudioClip> clip)
{
    record(Kind::Cue, std::move(clip));
}

void CaptureSink::playSpeech(std::shared_ptr<const AudioClip> clip)
{
    m_speechEndUs = record(Kind::Speech, std::move(clip));
    if (m_autoAdvance)
        advance(m_speechEndUs - m_nowUs);
}

void CaptureSink::advance(qint64 us)
{
    const bool speaking = isSpeechPlaying();
    m_nowUs += us;
    if (speaking && !isSpeechPlaying())
        Q_EMIT speechFinished();
}

void CaptureSink::stopAll()
{
    ++m_stops;
    m_speechEndUs = m_nowUs;
}

std::vector<CaptureSink::Capture> CaptureSink::captures(Kind kind) const
{
    std::vector<Capture> out;
    for (const Capture& capture : m_captures)
        if (capture.kind == kind)
            out.push_back(capture);
    return out;
}

} // namespace vocarin
