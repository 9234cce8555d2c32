#pragma once

#include "speech/AudioClip.h"

namespace vocarin {

// What every voice's raw PCM goes through before it reaches the mixer: the
// silence the engines put around a word is cut to about 10 ms (learners hear
// a longer lead as lag), then the level is brought to kSpeechRms for all
// voices. Silence alone comes out empty.
AudioClip shapeSpeech(AudioClip raw);

// The levels everything the learner hears is brought to, as RMS over the
// whole clip. Words about -20 dBFS; the cues 2 dB below them, so that the
// learner who sets the volume for the words is not startled by a buzzer,
// and praise or "No!" is heard over the cue it is spoken on.
inline constexpr double kSpeechRms = 0.1;
inline constexpr double kCueRms = 0.08;

// Scales the clip to the given RMS, but never past a peak of 0.9 (the mixer's
// knee); a silent clip stays as it is.
AudioClip levelled(AudioClip clip, double rms);

// Below this level (-40 dBFS) a sample always counts as silence: the engines'
// own background noise for a text without words must not be levelled up into
// a hiss.
inline constexpr float kSilenceFloor = 0.01f;

} // namespace vocarin
