#include "speech/AudioConvert.h"

#include "core/Fault.h"

#include <algorithm>
#include <memory>

namespace vocarin {

namespace {

constexpr int kChunkFrames = 256;

struct StreamDeleter
{
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

Fault conversionFault()
{
    return Fault(
        QStringLiteral("音声データを変換できません: %1").arg(QString::fromUtf8(SDL_GetError())));
}

} // namespace

AudioClip convertPcm(SDL_AudioFormat format, int channels, int sampleRate, const void* data,
                     int bytes, int toRate, int toChannels)
{
    std::unique_ptr<SDL_AudioStream, StreamDeleter> stream(SDL_NewAudioStream(
        format, Uint8(channels), sampleRate, AUDIO_F32SYS, Uint8(toChannels), toRate));
    if (!stream)
        throw conversionFault();
    AudioClip out;
    out.sampleRate = toRate;
    out.channels = toChannels;
    const auto drain = [&] {
        const int available = SDL_AudioStreamAvailable(stream.get());
        if (available == 0)
            return;
        const std::size_t have = out.samples.size();
        out.samples.resize(have + std::size_t(available) / sizeof(float));
        const int got = SDL_AudioStreamGet(stream.get(), out.samples.data() + have,
                                           int((out.samples.size() - have) * sizeof(float)));
        if (got < 0)
            throw conversionFault();
        out.samples.resize(have + std::size_t(got) / sizeof(float));
    };
    // SDL 2.26 drops samples when one put needs resampling of much more than this.
    const int chunk = kChunkFrames * channels * SDL_AUDIO_BITSIZE(format) / 8;
    const auto* in = static_cast<const Uint8*>(data);
    for (int done = 0; done < bytes; done += chunk) {
        if (SDL_AudioStreamPut(stream.get(), in + done, std::min(chunk, bytes - done)) != 0)
            throw conversionFault();
        drain();
    }
    if (SDL_AudioStreamFlush(stream.get()) != 0)
        throw conversionFault();
    drain();
    return out;
}

AudioClip convertClip(const AudioClip& clip, int toRate, int toChannels)
{
    if (clip.sampleRate == toRate && clip.channels == toChannels)
        return clip;
    return convertPcm(AUDIO_F32SYS, clip.channels, clip.sampleRate, clip.samples.data(),
                      int(clip.samples.size() * sizeof(float)), toRate, toChannels);
}

} // namespace vocarin
