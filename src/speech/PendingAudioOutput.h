#pragma once

#include "speech/AudioOutput.h"

#include <future>

namespace vocarin {

// An output whose device is still being opened on another thread. Cues to
// prepare are kept until the device is there; anything that must sound waits
// for it. The first sound comes long after start-up, so in practice nothing
// waits.
class PendingAudioOutput : public AudioOutput
{
    Q_OBJECT
public:
    explicit PendingAudioOutput(std::future<std::unique_ptr<AudioOutput>> opening);
    ~PendingAudioOutput() override;

    void prepareCue(const std::shared_ptr<const AudioClip>& clip) override;
    void playCue(std::shared_ptr<const AudioClip> clip) override;
    void playSpeech(std::shared_ptr<const AudioClip> clip) override;
    bool isSpeechPlaying() const override;
    void stopAll() override;

private:
    AudioOutput& device() const;

    mutable std::future<std::unique_ptr<AudioOutput>> m_opening;
    mutable std::unique_ptr<AudioOutput> m_device;
    mutable std::vector<std::shared_ptr<const AudioClip>> m_cuesToPrepare;
};

} // namespace vocarin
