#include "speech/AudioMixer.h"

#include <algorithm>
#include <cmath>

namespace vocarin {

namespace {

// Speech alone peaks at 0.9 and passes unchanged; a cue and speech together
// can sum past full scale (a buzzer under "No!"), which a hard clamp turns into
// a crackle. Above the knee the sum is bent smoothly towards the ceiling, which
// it never reaches.
constexpr float kKnee = 0.9f;
constexpr float kCeiling = 0.99f;

float limited(float v)
{
    const float magnitude = std::abs(v);
    if (magnitude <= kKnee)
        return v;
    const float room = kCeiling - kKnee;
    return std::copysign(kKnee + room * std::tanh((magnitude - kKnee) / room), v);
}

} // namespace

void AudioMixer::setCue(std::shared_ptr<const AudioClip> clip)
{
    m_cue = {std::move(clip), 0};
}

void AudioMixer::setSpeech(std::shared_ptr<const AudioClip> clip)
{
    m_speech = {std::move(clip), 0};
}

void AudioMixer::stop()
{
    m_cue = {};
    m_speech = {};
}

void AudioMixer::Track::addTo(float* out, std::size_t count)
{
    if (!playing())
        return;
    const std::size_t n = std::min(count, clip->samples.size() - position);
    const float* in = clip->samples.data() + position;
    for (std::size_t i = 0; i < n; ++i)
        out[i] += in[i];
    position += n;
}

bool AudioMixer::mix(float* out, int frames)
{
    const std::size_t count = std::size_t(frames) * std::size_t(m_channels);
    std::fill(out, out + count, 0.0f);
    const bool speaking = m_speech.playing();
    m_cue.addTo(out, count);
    m_speech.addTo(out, count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = limited(out[i]);
    return speaking && !m_speech.playing();
}

} // namespace vocarin
