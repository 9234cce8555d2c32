#pragma once

#include "speech/SpeechEngine.h"

#include <memory>

namespace vocarin {

// The Windows system voices through SAPI 5, in the system's order, each
// described as SAPI describes it ("Microsoft Zira Desktop - English (United
// States)"). A word is rendered into memory, so that it goes through the same
// trimming, levelling and mixer as the other engines' words. Used on the
// thread that starts it.
class SapiEngine : public SpeechEngine
{
public:
    SapiEngine();
    ~SapiEngine() override;
    // Throws a Fault when SAPI is missing; no voices installed is an empty list.
    void start() override;
    QStringList voices() const override;
    AudioClip synthesize(int voice, const QString& text, double rate) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace vocarin
