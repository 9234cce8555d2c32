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
    // Readying the system's fonts is among the slowest steps of start-up and
    // needs no window system: it runs on a thread of its own from here on,
    // while Qt connects to the display. The sound device is opened once the
    // program asks (PendingAudioOutput), after this readying.
    const std::shared_future<void> prepared =
        std::async(std::launch::async, prepareSystemServices).share();
    return Platform{
        .openAudioOutput = [prepared]() -> std::unique_ptr<AudioOutput> {
            return std::make_unique<PendingAudioOutput>([prepared] {
                prepared.wait();
                return openSystemAudioOutput();
            });
        },
        .speechEngines = [] { return SpVoice::defaultEngines(); },
        .makeRandom = [] { return std::make_unique<ClockSeededRandom>(); },
        .speechOnOwnThread = SpVoice::defaultEnginesStartOnAnyThread(),
    };
}

} // namespace vocarin
