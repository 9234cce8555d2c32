#pragma once

#include "speech/AudioMixer.h"

#include <SDL_audio.h>

#include <vector>

namespace vocarin {

// One SDL audio device, float stereo, fed by our own mixer.
class SdlAudioOutput : public AudioOutput
{
    Q_OBJECT
public:
    // Null when the system has no usable device.
    static std::unique_ptr<SdlAudioOutput> open();
    ~SdlAudioOutput() override;

    void prepareCue(const std::shared_ptr<const AudioClip>& clip) override;
    void playCue(std::shared_ptr<const AudioClip> clip) override;
    void playSpeech(std::shared_ptr<const AudioClip> clip) override;
    bool isSpeechPlaying() const override;
    void stopAll() override;

private:
    SdlAudioOutput() = default;
    static void callback(void* self, Uint8* stream, int bytes);
    std::shared_ptr<const AudioClip> deviceClip(const AudioClip& clip) const;
    std::shared_ptr<const AudioClip> preparedCue(const std::shared_ptr<const AudioClip>& clip);

    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_spec{};
    AudioMixer m_mixer{2};
    // Cues converted to the device format once, by source clip.
    std::vector<std::pair<std::shared_ptr<const AudioClip>, std::shared_ptr<const AudioClip>>>
        m_cues;
};

} // namespace vocarin
