#pragma once

#include "speech/SpeechEngine.h"

#include <array>

struct cst_voice_struct;

namespace vocarin {

// flite's four US English voices: slt, rms, kal16, awb.
class FliteEngine : public SpeechEngine
{
public:
    void start() override;
    QStringList voices() const override;
    AudioClip synthesize(int voice, const QString& text, double rate) override;

private:
    std::array<cst_voice_struct*, 4> m_voices{};
};

} // namespace vocarin
