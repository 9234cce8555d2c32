#include "speech/TimeStretch.h"

#include <SoundTouch.h>

namespace vocarin {

namespace {

// SoundTouch's time-domain overlap-add (WSOLA) with the settings its authors
// give for speech: short sequences keep the syllables crisp, where the
// defaults, made for music, smear them.
constexpr int kSequenceMs = 40;
constexpr int kSeekWindowMs = 15;
constexpr int kOverlapMs = 8;

} // namespace

AudioClip stretchTime(AudioClip clip, double rate)
{
    if (rate == 1.0 || clip.samples.empty() || clip.channels < 1)
        return clip;
    soundtouch::SoundTouch stretcher;
    stretcher.setSampleRate(uint(clip.sampleRate));
    stretcher.setChannels(uint(clip.channels));
    stretcher.setTempo(rate);
    stretcher.setSetting(SETTING_SEQUENCE_MS, kSequenceMs);
    stretcher.setSetting(SETTING_SEEKWINDOW_MS, kSeekWindowMs);
    stretcher.setSetting(SETTING_OVERLAP_MS, kOverlapMs);
    stretcher.putSamples(clip.samples.data(), uint(clip.frames()));
    stretcher.flush();

    AudioClip stretched{clip.sampleRate, clip.channels, {}};
    stretched.samples.resize(std::size_t(stretcher.numSamples()) * std::size_t(clip.channels));
    const uint received =
        stretcher.receiveSamples(stretched.samples.data(), stretcher.numSamples());
    stretched.samples.resize(std::size_t(received) * std::size_t(clip.channels));
    return stretched;
}

} // namespace vocarin
