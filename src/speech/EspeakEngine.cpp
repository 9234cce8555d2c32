#include "speech/EspeakEngine.h"

#include "core/Fault.h"

#include <QLocale>

#include <algorithm>

#include <espeak-ng/espeak_ng.h>
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

// Loading the phoneme data waits for the first word eSpeak NG speaks: it
// costs start-up time and most of a megabyte, and the default voice is not
// eSpeak NG's. Listing the voices needs only the data's location.
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

// "English (America, New York City)" -> "America, New York City": the words
// that tell eSpeak NG's voices apart, which go first in a description so that
// a narrow voice box still shows them.
QString variantOf(const QString& voiceName)
{
    const qsizetype open = voiceName.indexOf(u'(');
    if (open < 0 || !voiceName.endsWith(u')'))
        return voiceName;
    return voiceName.mid(open + 1, voiceName.size() - open - 2);
}

} // namespace

void EspeakEngine::start()
{
    espeak_ng_InitializePath(nullptr);
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
            {identifier, QStringLiteral("%1 (eSpeak NG) - %2")
                             .arg(variantOf(name), languageWithCountry(language, name))});
    }
    // Without its data, eSpeak NG lists no voice.
    if (m_voices.empty())
        throw Fault(QStringLiteral("eSpeak NG を開始できません"));
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
    const int sampleRate = initialisedRate();
    if (sampleRate <= 0)
        throw Fault(QStringLiteral("eSpeak NG を開始できません"));
    AudioClip clip;
    clip.sampleRate = sampleRate;
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
