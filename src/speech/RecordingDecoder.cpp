#include "speech/RecordingDecoder.h"

#include "speech/SpeechShaping.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

// Beyond these the output's converter is not asked to work.
constexpr int kMaxChannels = 8;
constexpr int kLowestRate = 1000;
constexpr int kHighestRate = 384000;
constexpr sf_count_t kBlockFrames = 4096;

// libsndfile reads the file image through these.
struct MemoryFile
{
    const QByteArray& bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* file)
{
    return static_cast<MemoryFile*>(file)->bytes.size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* data)
{
    auto* file = static_cast<MemoryFile*>(data);
    const sf_count_t size = file->bytes.size();
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = file->position;
    else if (whence == SEEK_END)
        base = size;
    file->position = std::clamp<sf_count_t>(base + offset, 0, size);
    return file->position;
}

sf_count_t memoryRead(void* out, sf_count_t count, void* data)
{
    auto* file = static_cast<MemoryFile*>(data);
    const sf_count_t n = std::clamp<sf_count_t>(file->bytes.size() - file->position, 0, count);
    std::memcpy(out, file->bytes.constData() + file->position, std::size_t(n));
    file->position += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t memoryTell(void* file)
{
    return static_cast<MemoryFile*>(file)->position;
}

DecodedRecording failed(const QString& reason)
{
    return {{}, reason};
}

} // namespace

DecodedRecording decodeRecording(const QByteArray& bytes)
{
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    MemoryFile file{bytes};
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> sound(
        sf_open_virtual(&io, SFM_READ, &info, &file), sf_close);
    if (!sound)
        return failed(u"音声として読み取れません（WAV、MP3、Ogg、Opus、FLAC のどれでもないか、"
                      u"壊れています）。"_s);
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < kLowestRate ||
        info.samplerate > kHighestRate)
        return failed(
            u"チャンネル数 %1、サンプリング周波数 %2 Hz の音は扱えません。"_s.arg(info.channels)
                .arg(info.samplerate));

    AudioClip clip;
    clip.sampleRate = info.samplerate;
    const sf_count_t maxFrames = sf_count_t(kMaxRecordingSeconds) * info.samplerate;
    if (info.frames > 0)
        clip.samples.reserve(std::size_t(std::min(info.frames, maxFrames)));
    std::vector<float> block(std::size_t(kBlockFrames * info.channels));
    for (;;) {
        const sf_count_t read = sf_readf_float(sound.get(), block.data(), kBlockFrames);
        if (read <= 0)
            break;
        if (sf_count_t(clip.samples.size()) + read > maxFrames)
            return failed(u"長すぎます（%1 秒まで）。"_s.arg(kMaxRecordingSeconds));
        for (sf_count_t frame = 0; frame < read; ++frame) {
            float sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[std::size_t(frame * info.channels + c)];
            const float mono = sum / float(info.channels);
            // A float file may hold values that are no sound at all.
            clip.samples.push_back(std::isfinite(mono) ? mono : 0.0f);
        }
    }
    const bool audible = std::any_of(clip.samples.cbegin(), clip.samples.cend(),
                                     [](float s) { return std::abs(s) >= kSilenceFloor; });
    if (!audible)
        return failed(u"聞こえる音が入っていません。"_s);
    return {std::move(clip), {}};
}

DecodedRecording readRecording(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(u"ファイルを開けません。"_s);
    const QString tooLarge =
        u"ファイルが大きすぎます（%1 MB まで）。"_s.arg(kMaxRecordingBytes / (1024 * 1024));
    if (file.size() > kMaxRecordingBytes)
        return failed(tooLarge);
    // The size may have grown since it was asked.
    const QByteArray bytes = file.read(kMaxRecordingBytes + 1);
    if (bytes.size() > kMaxRecordingBytes)
        return failed(tooLarge);
    return decodeRecording(bytes);
}

} // namespace vocarin
