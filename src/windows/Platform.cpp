#include "windows/Platform.h"

#include "exercise/RandomSource.h"
#include "speech/AudioOutput.h"
#include "speech/SpVoice.h"
#include "speech/SpeechEngine.h"

namespace vocarin {

Platform Platform::system()
{
    return Platform{
        .openAudioOutput = [] { return openSystemAudioOutput(); },
        .speechEngines = [] { return SpVoice::defaultEngines(); },
        .makeRandom = [] { return std::make_unique<ClockSeededRandom>(); },
    };
}

} // namespace vocarin
