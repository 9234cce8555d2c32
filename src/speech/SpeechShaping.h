#pragma once

#include "speech/AudioClip.h"

namespace vocarin {

// What every voice's raw PCM goes through before it reaches the mixer: the
// silence the engines put around a word is cut to about 10 ms (learners hear
// a longer lead as lag), then the level is brought to one loudness for all
// voices. Silence alone comes out empty.
AudioClip shapeSpeech(AudioClip raw);

// Below this level (-40 dBFS) a sample always counts as silence: the engines'
// own background noise for a text without words must not be levelled up into
// a hiss.
inline constexpr float kSilenceFloor = 0.01f;

} // namespace vocarin
