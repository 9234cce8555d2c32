#pragma once

#include "speech/AudioOutput.h"

#include <cstddef>

namespace vocarin {

// The device callback's work, kept apart from the device so it can be tested:
// one cue and one speech clip, both already in the device's rate and channel
// count, summed into the device buffer. The caller serialises access.
class AudioMixer
{
public:
    explicit AudioMixer(int channels) : m_channels(channels) {}

    void setCue(std::shared_ptr<const AudioClip> clip); // replaces the cue sounding
    void setSpeech(std::shared_ptr<const AudioClip> clip);
    void stop();
    bool speechPlaying() const { return m_speech.playing(); }
    bool cuePlaying() const { return m_cue.playing(); }
    bool sounding() const { return m_cue.playing() || m_speech.playing(); }

    // Writes `frames` frames of interleaved float into out, always below full
    // scale: the sum is softly limited above 0.9. True when the speech clip
    // played to its end in them.
    bool mix(float* out, int frames);

private:
    struct Track
    {
        // Finished clips stay referenced so they are never freed on the audio thread.
        std::shared_ptr<const AudioClip> clip;
        std::size_t position = 0;
        bool playing() const { return clip && position < clip->samples.size(); }
        void addTo(float* out, std::size_t count);
    };

    int m_channels;
    Track m_cue;
    Track m_speech;
};

} // namespace vocarin
