#pragma once

#include "speech/AudioOutput.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <vector>

namespace vocarin {

// What the program's real output (SDL) hands to the device, captured with
// SDL's disk driver: interleaved float at the rate and channel count the
// output asks for (48 kHz stereo). `play` drives the output; it is closed
// before the file is read.
inline std::vector<float> playedOnDisk(const std::function<void(AudioOutput&)>& play)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("device.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(file));
    play(*openSystemAudioOutput());
    qunsetenv("SDL_AUDIODRIVER");
    qunsetenv("SDL_DISKAUDIOFILE");

    QFile raw(file);
    if (!raw.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = raw.readAll();
    std::vector<float> played(std::size_t(bytes.size()) / sizeof(float));
    std::memcpy(played.data(), bytes.constData(), played.size() * sizeof(float));
    return played;
}

} // namespace vocarin
