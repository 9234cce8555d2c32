#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace vocarin {

class AudioOutput;
class RandomSource;
class SpeechEngine;

// The services the program takes from the system: the real ones for the
// program (app/SystemPlatform.h), stand-ins for tests.
struct Platform
{
    std::function<std::unique_ptr<AudioOutput>()> openAudioOutput;
    std::function<std::vector<std::unique_ptr<SpeechEngine>>()> speechEngines;
    std::function<std::unique_ptr<RandomSource>()> makeRandom;
    // The engines started and the cues decoded on a thread of their own while
    // the windows are made; otherwise on the window thread, when they are needed.
    bool speechOnOwnThread = true;
};

} // namespace vocarin
