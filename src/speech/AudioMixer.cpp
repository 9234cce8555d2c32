#include "speech/AudioMixer.h"

#include <algorithm>

namespace vocarin {

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

void AudioMixer::mix(float* out, int frames)
{
    const std::size_t count = std::size_t(frames) * std::size_t(m_channels);
    std::fill(out, out + count, 0.0f);
    m_cue.addTo(out, count);
    m_speech.addTo(out, count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

} // namespace vocarin
