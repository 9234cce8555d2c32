#include "speech/CueSounds.h"

#include "speech/AudioConvert.h"
#include "speech/SpeechShaping.h"

#include <QDir>
#include <QFile>

#include <SDL_rwops.h>

// Outside every namespace, as Q_INIT_RESOURCE requires; the cues live in a
// static library, whose resource registration the linker would otherwise drop.
static void initCueResources()
{
    Q_INIT_RESOURCE(sounds);
}

namespace vocarin {

namespace {

const QString kCueFolder = QStringLiteral(":/WAVE");

QByteArray cueImage(const QString& name)
{
    static const bool registered = (initCueResources(), true);
    Q_UNUSED(registered);
    const QDir folder(kCueFolder);
    for (const QString& entry : folder.entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            QFile file(folder.filePath(entry));
            if (file.open(QIODevice::ReadOnly))
                return file.readAll();
        }
    throw ResourceNotFoundFault(name);
}

AudioClip decodeWave(const QByteArray& image, const QString& name)
{
    SDL_AudioSpec wave{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(image.constData(), int(image.size())), 1, &wave, &buffer,
                        &length))
        throw Fault(
            QStringLiteral("%1 を読めません: %2").arg(name, QString::fromUtf8(SDL_GetError())));
    try {
        AudioClip clip = convertPcm(wave.format, wave.channels, wave.freq, buffer, int(length),
                                    wave.freq, wave.channels);
        SDL_FreeWAV(buffer);
        return clip;
    } catch (...) {
        SDL_FreeWAV(buffer);
        throw;
    }
}

} // namespace

ResourceNotFoundFault::ResourceNotFoundFault(const QString& name)
    : Fault(QStringLiteral("%1 リソースが見つかりません").arg(name))
{
}

CueStream::CueStream(const QString& resourceName)
    : m_clip(std::make_shared<const AudioClip>(
          levelled(decodeWave(cueImage(resourceName), resourceName), kCueRms)))
{
}

CueStreamPlayer::CueStreamPlayer(AudioOutput& output, const CueStream& pu,
                                 const CueStream& pingPong, const CueStream& bubuu)
    : m_output(output), m_pu(pu), m_pingPong(pingPong), m_bubuu(bubuu)
{
    for (const CueStream* cue : {&pu, &pingPong, &bubuu})
        m_output.prepareCue(cue->clip());
}

void CueStreamPlayer::play(Cue cue)
{
    switch (cue) {
    case Cue::Pu:
        m_output.playCue(m_pu.clip());
        return;
    case Cue::PingPong:
        m_output.playCue(m_pingPong.clip());
        return;
    case Cue::Bubuu:
        m_output.playCue(m_bubuu.clip());
        return;
    }
}

} // namespace vocarin
