#pragma once

#include "speech/AudioOutput.h"

#include <functional>
#include <future>

namespace vocarin {

// An output whose device is opened on a thread of its own when asked
// (openInBackground), which the program does once the course dialog is on
// screen. Cues to prepare are kept until the device is there; anything that
// must sound waits for it, and opens it at once when it was not asked yet.
// The first sound comes long after start-up, so in practice nothing waits.
class PendingAudioOutput : public AudioOutput
{
    Q_OBJECT
public:
    using Opener = std::function<std::unique_ptr<AudioOutput>()>;

    explicit PendingAudioOutput(Opener open);
    ~PendingAudioOutput() override;

    void prepareCue(const std::shared_ptr<const AudioClip>& clip) override;
    void openInBackground() override;
    void playCue(std::shared_ptr<const AudioClip> clip) override;
    void playSpeech(std::shared_ptr<const AudioClip> clip) override;
    bool isSpeechPlaying() const override;
    void stopAll() override;

private:
    AudioOutput& device() const;

    Opener m_open;
    mutable std::future<std::unique_ptr<AudioOutput>> m_opening;
    mutable std::unique_ptr<AudioOutput> m_device;
    mutable std::vector<std::shared_ptr<const AudioClip>> m_cuesToPrepare;
};

} // namespace vocarin
