// Any bytes as a course's recording: either a fault with its reason, or mono
// sound at a rate the output can take, finite, audible and no longer than the
// limit. Never a crash or a hang.
#include "speech/RecordingDecoder.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const vocarin::DecodedRecording recording = vocarin::decodeRecording(bytes);
    const vocarin::AudioClip& clip = recording.clip;
    if (!recording.decoded()) {
        if (!clip.samples.empty())
            __builtin_trap();
        return 0;
    }
    if (clip.channels != 1 || clip.sampleRate <= 0 || clip.samples.empty() ||
        clip.durationMs() > vocarin::kMaxRecordingSeconds * 1000)
        __builtin_trap();
    for (float s : clip.samples) {
        if (!std::isfinite(s))
            __builtin_trap();
    }
    return 0;
}
