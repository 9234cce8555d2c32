#include "speech/SpeechShaping.h"

#include <algorithm>
#include <cmath>

namespace vocarin {

namespace {

constexpr int kKeptSilenceMs = 10;
// Below this share of the clip's peak a sample counts as silence, and always
// below kSilenceFloor.
constexpr float kSilenceShareOfPeak = 0.02f;
constexpr float kPeakLimit = 0.9f;

float peakOf(const std::vector<float>& samples)
{
    float peak = 0;
    for (float s : samples)
        peak = std::max(peak, std::abs(s));
    return peak;
}

} // namespace

AudioClip levelled(AudioClip clip, double rms)
{
    std::vector<float>& s = clip.samples;
    double energy = 0;
    for (float v : s)
        energy += double(v) * v;
    const float peak = peakOf(s);
    if (peak == 0)
        return clip;
    const double current = std::sqrt(energy / double(s.size()));
    const float gain = std::min(float(rms / current), kPeakLimit / peak);
    for (float& v : s)
        v *= gain;
    return clip;
}

AudioClip shapeSpeech(AudioClip raw)
{
    std::vector<float>& s = raw.samples;
    const float threshold = std::max(peakOf(s) * kSilenceShareOfPeak, kSilenceFloor);
    const auto loud = [threshold](float v) { return std::abs(v) >= threshold; };
    const auto first = std::find_if(s.begin(), s.end(), loud);
    if (first == s.end()) {
        s.clear();
        return raw;
    }
    const auto last = std::find_if(s.rbegin(), s.rend(), loud).base();

    const std::ptrdiff_t keep =
        std::ptrdiff_t(raw.sampleRate) * kKeptSilenceMs / 1000 * raw.channels;
    const std::ptrdiff_t begin = std::max<std::ptrdiff_t>(0, (first - s.begin()) - keep);
    const std::ptrdiff_t end =
        std::min<std::ptrdiff_t>(std::ptrdiff_t(s.size()), (last - s.begin()) + keep);
    s = std::vector<float>(s.begin() + begin, s.begin() + end);
    return levelled(std::move(raw), kSpeechRms);
}

} // namespace vocarin
