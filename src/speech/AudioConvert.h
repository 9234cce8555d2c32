#pragma once

#include "speech/AudioOutput.h"

#include <SDL_audio.h>

namespace vocarin {

// Interleaved PCM of any SDL sample format to float at the given rate and
// channel count, through SDL_AudioStream. Needs no initialised SDL subsystem.
// Throws a Fault when SDL cannot convert.
AudioClip convertPcm(SDL_AudioFormat format, int channels, int sampleRate, const void* data,
                     int bytes, int toRate, int toChannels);

AudioClip convertClip(const AudioClip& clip, int toRate, int toChannels);

} // namespace vocarin
