#include "speech/EspeakEngine.h"

#include "course/Fault.h"

#include <QLocale>

#include <algorithm>

#include <espeak-ng/speak_lib.h>

namespace vocarin {

namespace {

// espeak-ng's default speed, in words per minute.
constexpr int kOwnRate = espeakRATE_NORMAL;

int synthCallback(short* samples, int count, espeak_EVENT* events)
{
    auto* clip = static_cast<AudioClip*>(events->user_data);
    for (int i = 0; i < count; ++i)
        clip->samples.push_back(float(samples[i]) / 32768.0f);
    return 0;
}

int initialisedRate()
{
    static const int rate = [] {
        const int r =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (r > 0)
            espeak_SetSynthCallback(synthCallback);
        return r;
    }();
    return rate;
}

// "en-gb-scotland" -> "English (United Kingdom)". A region that is not a
// country code ("029", the Caribbean) is named as the voice names it.
QString languageWithCountry(const QByteArray& language, const QString& voiceName)
{
    const QList<QByteArray> parts = language.split('-');
    const QLocale::Territory territory =
        parts.size() > 1 && parts[1].size() == 2
            ? QLocale::codeToTerritory(QString::fromLatin1(parts[1].toUpper()))
            : QLocale::AnyTerritory;
    if (territory == QLocale::AnyTerritory)
        return voiceName;
    return QStringLiteral("English (%1)").arg(QLocale::territoryToString(territory));
}

} // namespace

void EspeakEngine::start()
{
    m_sampleRate = initialisedRate();
    if (m_sampleRate <= 0)
        throw Fault(QStringLiteral("eSpeak NG を開始できません"));

    m_voices.clear();
    for (const espeak_VOICE** v = espeak_ListVoices(nullptr); *v; ++v) {
        const QByteArray identifier((*v)->identifier);
        // The first language, after its priority byte.
        const QByteArray language((*v)->languages + 1);
        if (!language.startsWith("en") || identifier.startsWith("mb/") ||
            identifier.startsWith("!v/"))
            continue;
        const QString name = QString::fromUtf8((*v)->name);
        m_voices.push_back(
            {identifier,
             QStringLiteral("eSpeak NG %1 - %2").arg(name, languageWithCountry(language, name))});
    }
}

QStringList EspeakEngine::voices() const
{
    QStringList out;
    for (const Voice& voice : m_voices)
        out << voice.description;
    return out;
}

AudioClip EspeakEngine::synthesize(int voice, const QString& text, double rate)
{
    AudioClip clip;
    clip.sampleRate = m_sampleRate;
    clip.channels = 1;
    const QByteArray utf8 = text.toUtf8();
    if (espeak_SetVoiceByName(m_voices.at(std::size_t(voice)).identifier.constData()) != EE_OK ||
        espeak_SetParameter(espeakRATE, std::max(espeakRATE_MINIMUM, int(kOwnRate * rate)), 0) !=
            EE_OK ||
        espeak_Synth(utf8.constData(), std::size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, nullptr, &clip) != EE_OK)
        throw Fault(QStringLiteral("eSpeak NG が \"%1\" を音声にできません").arg(text));
    return clip;
}

} // namespace vocarin
