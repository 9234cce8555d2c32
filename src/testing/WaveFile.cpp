#include "testing/WaveFile.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace vocarin {

namespace {

template <typename T> void put(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

} // namespace

QByteArray riffChunk(const QByteArray& id, const QByteArray& body)
{
    QByteArray out = id;
    put<quint32>(out, quint32(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

QByteArray waveImage(const WaveFormat& format, const QByteArray& data,
                     const std::vector<WaveChunk>& trailing)
{
    const quint16 blockAlign = quint16(format.channels * format.bitsPerSample / 8);
    QByteArray fmt;
    put<quint16>(fmt, format.formatTag);
    put<quint16>(fmt, format.channels);
    put<quint32>(fmt, format.sampleRate);
    put<quint32>(fmt, format.sampleRate * blockAlign);
    put<quint16>(fmt, blockAlign);
    put<quint16>(fmt, format.bitsPerSample);
    if (format.extensionField)
        put<quint16>(fmt, 0);

    QByteArray chunks = "WAVE";
    chunks += riffChunk("fmt ", fmt);
    chunks += riffChunk("data", data);
    for (const WaveChunk& chunk : trailing)
        chunks += riffChunk(chunk.id, chunk.body);

    QByteArray image = "RIFF";
    put<quint32>(image, quint32(chunks.size()));
    return image + chunks;
}

QByteArray pcm16(const std::vector<float>& samples)
{
    QByteArray out;
    out.reserve(qsizetype(samples.size() * 2));
    for (float s : samples)
        put<qint16>(out, qint16(std::lround(std::clamp(s, -1.0f, 32767.0f / 32768) * 32768)));
    return out;
}

} // namespace vocarin
