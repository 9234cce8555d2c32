#include "speech/FliteEngine.h"
#include "speech/SapiEngine.h"
#include "speech/SpVoice.h"

namespace vocarin {

// The system's own voices first. Festival is not built for Windows.
std::vector<std::unique_ptr<SpeechEngine>> SpVoice::defaultEngines()
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<SapiEngine>());
    engines.push_back(std::make_unique<FliteEngine>());
    return engines;
}

// SAPI's objects belong to the apartment of the thread that made them.
bool SpVoice::defaultEnginesStartOnAnyThread()
{
    return false;
}

} // namespace vocarin
