#pragma once

#include "speech/AudioMixer.h"

#include <QTimer>

#include <SDL_audio.h>

#include <chrono>
#include <vector>

namespace vocarin {

// One SDL audio device, float stereo, fed by our own mixer. The device is
// closed once nothing has sounded for a few seconds and opened again for the
// next sound: an open device has SDL's thread and the sound server feeding
// silence a hundred times a second, and keeps the sound card from sleeping.
// A device that SDL reports lost (the sound server restarted, the card
// unplugged) is closed and the default output opened again on the next
// sound; until that succeeds nothing sounds, and a failed reopen is tried
// again a little later.
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
    // Opens the default output in our format and starts it; false when there is none.
    bool openDevice();
    void closeDevice();
    // True when a device is open to play on, after opening it again if it
    // was closed or lost.
    bool deviceReady();
    void closeIfQuiet();
    std::shared_ptr<const AudioClip> deviceClip(const AudioClip& clip) const;
    std::shared_ptr<const AudioClip> preparedCue(const std::shared_ptr<const AudioClip>& clip);

    SDL_AudioDeviceID m_device = 0; // 0 while closed or lost
    std::chrono::steady_clock::time_point m_nextOpenAttempt;
    SDL_AudioSpec m_spec{};
    AudioMixer m_mixer{2};
    bool m_sounding = false; // as the device callback last left the mixer
    // Started when the mixer falls silent; closes the device if it still is.
    QTimer m_quiet{this};
    // Cues converted to the device format once, by source clip.
    std::vector<std::pair<std::shared_ptr<const AudioClip>, std::shared_ptr<const AudioClip>>>
        m_cues;
};

} // namespace vocarin
