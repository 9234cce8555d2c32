#include "speech/PendingAudioOutput.h"

namespace vocarin {

PendingAudioOutput::PendingAudioOutput(Opener open) : m_open(std::move(open)) {}

// The device may still be opening; its thread is waited for here, never left behind.
PendingAudioOutput::~PendingAudioOutput() = default;

void PendingAudioOutput::openInBackground()
{
    if (!m_device && !m_opening.valid())
        m_opening = std::async(std::launch::async, m_open);
}

AudioOutput& PendingAudioOutput::device() const
{
    if (!m_device) {
        m_device = m_opening.valid() ? m_opening.get() : m_open();
        if (!m_device->thread())
            m_device->moveToThread(thread());
        connect(m_device.get(), &AudioOutput::speechFinished, this, &AudioOutput::speechFinished);
        for (const auto& cue : m_cuesToPrepare)
            m_device->prepareCue(cue);
        m_cuesToPrepare.clear();
    }
    return *m_device;
}

void PendingAudioOutput::prepareCue(const std::shared_ptr<const AudioClip>& clip)
{
    if (m_device)
        m_device->prepareCue(clip);
    else
        m_cuesToPrepare.push_back(clip);
}

void PendingAudioOutput::playCue(std::shared_ptr<const AudioClip> clip)
{
    device().playCue(std::move(clip));
}

void PendingAudioOutput::playSpeech(std::shared_ptr<const AudioClip> clip)
{
    device().playSpeech(std::move(clip));
}

bool PendingAudioOutput::isSpeechPlaying() const
{
    return device().isSpeechPlaying();
}

void PendingAudioOutput::stopAll()
{
    device().stopAll();
}

} // namespace vocarin
