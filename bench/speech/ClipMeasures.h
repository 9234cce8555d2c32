#pragma once

// How a spoken clip starts and how loud it is, as the speech benchmarks print them.

#include "speech/AudioOutput.h"

#include <algorithm>
#include <cmath>

namespace vocarin::bench {

constexpr float kSilence = 0.001f; // -60 dBFS

// Time from the start of the clip to its first sample at -60 dBFS.
inline double leadMs(const AudioClip& clip)
{
    const auto first = std::find_if(clip.samples.begin(), clip.samples.end(),
                                    [](float s) { return std::abs(s) >= kSilence; });
    return double(first - clip.samples.begin()) * 1000 / clip.sampleRate;
}

inline double rmsDb(const AudioClip& clip)
{
    double energy = 0;
    for (float s : clip.samples)
        energy += double(s) * s;
    return 10 * std::log10(energy / double(std::max<std::size_t>(1, clip.samples.size())));
}

} // namespace vocarin::bench
