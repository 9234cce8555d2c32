#include "windows/Platform.h"

#include "exercise/RandomSource.h"
#include "speech/AudioOutput.h"
#include "speech/SpVoice.h"
#include "speech/SpeechEngine.h"

#include <fontconfig/fontconfig.h>

#include <future>

namespace vocarin {

Platform Platform::system()
{
    // Reading fontconfig's configuration and opening the sound device
    // (PulseAudio, then ALSA probing every card) are the slowest steps of
    // start-up, and neither needs the window system: they run on a thread of
    // their own from here on, while Qt connects to the display. Qt's font
    // database then finds the configuration loaded, and FormCreate waits for
    // the device only if it is not open yet.
    auto audio = std::make_shared<std::future<std::unique_ptr<AudioOutput>>>(
        std::async(std::launch::async, [] {
            FcInit();
            return openSystemAudioOutput();
        }));
    return Platform{
        .openAudioOutput =
            [audio] { return audio->valid() ? audio->get() : openSystemAudioOutput(); },
        .speechEngines = [] { return SpVoice::defaultEngines(); },
        .makeRandom = [] { return std::make_unique<ClockSeededRandom>(); },
    };
}

} // namespace vocarin
