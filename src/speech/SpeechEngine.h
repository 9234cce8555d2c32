#pragma once

#include "speech/AudioOutput.h"

#include <QStringList>

namespace vocarin {

// One synthesis engine with its own voices. SpVoice starts every engine once and
// lists their voices one after the other.
class SpeechEngine
{
public:
    virtual ~SpeechEngine() = default;
    // Throws a Fault when the engine cannot run on this system.
    virtual void start() = 0;
    // The voices' descriptions in the engine's order; valid after start().
    virtual QStringList voices() const = 0;
    // Mono PCM at the voice's own rate, silence included as the engine makes it.
    // `rate` is the speaking rate: 1.0 is the voice's own, 0.5 takes about twice
    // as long. Throws a Fault when synthesis fails.
    virtual AudioClip synthesize(int voice, const QString& text, double rate) = 0;
};

} // namespace vocarin
