#pragma once

#include "speech/AudioClip.h"

namespace vocarin {

// The clip at `rate` times its speed with its pitch kept: 0.6 makes a word
// about 1.7 times as long, sounding as the same speaker talking slowly. A rate
// of 1 gives the clip back as it is.
AudioClip stretchTime(AudioClip clip, double rate);

} // namespace vocarin
