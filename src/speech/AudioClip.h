#pragma once

#include <QtGlobal>

#include <vector>

namespace vocarin {

// Interleaved 32-bit float PCM.
struct AudioClip
{
    int sampleRate = 0;
    int channels = 1;
    std::vector<float> samples;
    int frames() const { return channels > 0 ? int(samples.size()) / channels : 0; }
    qint64 durationMs() const { return sampleRate > 0 ? qint64(frames()) * 1000 / sampleRate : 0; }
};

} // namespace vocarin
