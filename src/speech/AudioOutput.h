#pragma once

#include "speech/AudioClip.h"

#include <QObject>

#include <memory>

namespace vocarin {

// One output device with two voices mixed together: a cue and speech sound at
// the same time; a new cue replaces the cue still sounding.
class AudioOutput : public QObject
{
    Q_OBJECT
public:
    // Readies a cue for instant playing (format conversion); called once when it is loaded.
    virtual void prepareCue(const std::shared_ptr<const AudioClip>& clip) { (void)clip; }
    // Starts opening the device on a thread of its own where it is not open yet.
    virtual void openInBackground() {}
    virtual void playCue(std::shared_ptr<const AudioClip> clip) = 0;
    virtual void playSpeech(std::shared_ptr<const AudioClip> clip) = 0;
    virtual bool isSpeechPlaying() const = 0;
    // Silences both; used before the cue images are released.
    virtual void stopAll() = 0;

Q_SIGNALS:
    // The speech clip has played to its end (a stopped one has not). May come
    // from the audio thread: receivers on other threads get it queued.
    void speechFinished();
};

// The real device (SDL2), or a silent output when there is none: never fails,
// never prints.
std::unique_ptr<AudioOutput> openSystemAudioOutput();

} // namespace vocarin
