#pragma once

#include "speech/AudioOutput.h"

#include <memory>

namespace vocarin {

// Plays a speech clip to its end, as everything the learner hears in words
// is played: returns once the output says the clip has played. Meanwhile the
// thread's events are processed except user input, which waits until
// afterwards; a watchdog ends the wait when the output stalls. An empty clip
// returns at once.
void playSpeechToEnd(AudioOutput& output, std::shared_ptr<const AudioClip> clip);

// Held across a wait that holds user input back: wakes the event dispatcher
// when it ends. The X connection's reader has already taken the input off the
// socket and spent its wake-up on the wait: without a new one the input would
// wait for the next X event.
class WakeForInputAfterwards
{
public:
    WakeForInputAfterwards() = default;
    ~WakeForInputAfterwards();
    WakeForInputAfterwards(const WakeForInputAfterwards&) = delete;
    WakeForInputAfterwards& operator=(const WakeForInputAfterwards&) = delete;
};

} // namespace vocarin
