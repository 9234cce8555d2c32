#include "app/SystemPlatform.h"

#include "app/System.h"
#include "exercise/RandomSource.h"
#include "speech/PendingAudioOutput.h"
#include "speech/SpVoice.h"
#include "speech/SpeechEngine.h"

#include <future>

namespace vocarin {

Platform systemPlatform()
{
    // Readying the system's fonts and opening the sound device (on Linux
    // PulseAudio, then ALSA probing every card) are the slowest steps of
    // start-up, and neither needs the window system: they run on a thread of
    // their own from here on, while Qt connects to the display. The device is
    // waited for only when something must sound.
    auto opening = std::make_shared<std::future<std::unique_ptr<AudioOutput>>>(
        std::async(std::launch::async, [] {
            prepareSystemServices();
            return openSystemAudioOutput();
        }));
    return Platform{
        .openAudioOutput = [opening]() -> std::unique_ptr<AudioOutput> {
            if (opening->valid())
                return std::make_unique<PendingAudioOutput>(std::move(*opening));
            return openSystemAudioOutput();
        },
        .speechEngines = [] { return SpVoice::defaultEngines(); },
        .makeRandom = [] { return std::make_unique<ClockSeededRandom>(); },
    };
}

} // namespace vocarin
