#pragma once

#include "speech/SpeechEngine.h"

namespace vocarin {

// flite's four US English voices: slt, rms, kal16, awb.
class FliteEngine : public SpeechEngine
{
public:
    void start() override;
    QStringList voices() const override;
    AudioClip synthesize(int voice, const QString& text, double rate) override;
};

} // namespace vocarin
