#include "speech/EspeakEngine.h"
#include "speech/FestivalEngine.h"
#include "speech/FliteEngine.h"
#include "speech/SpVoice.h"

namespace vocarin {

std::vector<std::unique_ptr<SpeechEngine>> SpVoice::defaultEngines()
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<FliteEngine>());
    engines.push_back(std::make_unique<EspeakEngine>());
    engines.push_back(std::make_unique<FestivalEngine>());
    return engines;
}

bool SpVoice::defaultEnginesStartOnAnyThread()
{
    return true;
}

} // namespace vocarin
