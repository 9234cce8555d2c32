#pragma once

#include "speech/AudioOutput.h"

#include <QByteArray>

#include <vector>

namespace vocarin {

// A RIFF WAVE image: "fmt " (16 bytes, or 18 with an empty extension), "data",
// then the given chunks, each padded to an even length.
struct WaveChunk
{
    QByteArray id; // four characters
    QByteArray body;
};

struct WaveFormat
{
    quint16 formatTag = 1; // 1 integer PCM, 3 IEEE float
    quint16 channels = 1;
    quint32 sampleRate = 0;
    quint16 bitsPerSample = 16;
    bool extensionField = false; // the 18-byte "fmt " with extension size 0
};

QByteArray waveImage(const WaveFormat& format, const QByteArray& data,
                     const std::vector<WaveChunk>& trailing = {});

// One chunk: identifier, 32-bit length, body, a pad byte after an odd body.
QByteArray riffChunk(const QByteArray& id, const QByteArray& body);

// Float samples as 16-bit little-endian PCM, clipped to full scale.
QByteArray pcm16(const std::vector<float>& samples);

} // namespace vocarin
