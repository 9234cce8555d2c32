#include "testing/ToneEngine.h"

#include "core/Fault.h"

#include <cmath>
#include <numbers>

namespace vocarin {

ToneEngine::ToneEngine(QStringList voices, int toneMs)
    : m_voices(std::move(voices)), m_toneMs(toneMs)
{
}

AudioClip ToneEngine::synthesize(int voice, const QString& text, double rate)
{
    m_requests.emplace_back(voice, text);
    if (m_failing)
        throw Fault(QStringLiteral("\"%1\" を音声にできません").arg(text));
    AudioClip clip;
    clip.sampleRate = 16000;
    if (text.isEmpty())
        return clip;
    const int frames = int(clip.sampleRate * m_toneMs / 1000 / rate);
    const double hz = 300.0 + 100.0 * voice;
    for (int i = 0; i < frames; ++i)
        clip.samples.push_back(
            float(0.5 * std::sin(2 * std::numbers::pi * hz * i / clip.sampleRate)));
    return clip;
}

void BrokenEngine::start()
{
    throw Fault(QStringLiteral("音声合成エンジンを開始できません"));
}

AudioClip BrokenEngine::synthesize(int, const QString&, double)
{
    throw Fault(QStringLiteral("音声合成エンジンを開始できません"));
}

} // namespace vocarin
