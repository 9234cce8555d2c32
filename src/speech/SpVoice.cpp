#include "speech/SpVoice.h"

#include "course/Fault.h"
#include "speech/EspeakEngine.h"
#include "speech/FliteEngine.h"
#include "speech/SpeechShaping.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace vocarin {

namespace {

// How long past the clip's own length a stalled device is waited for.
constexpr qint64 kStallMarginMs = 1000;
constexpr int kPollMs = 2;

// A word list line may be megabytes long; the engines would work on such a text
// for minutes while the window waits. No word or sentence the learner hears is
// anywhere near this long.
constexpr qsizetype kMaxSpokenLength = 1000;

QString spokenPart(const QString& text)
{
    if (text.size() <= kMaxSpokenLength)
        return text;
    qsizetype end = kMaxSpokenLength;
    if (text.at(end).isLowSurrogate())
        --end; // never split a surrogate pair
    return text.left(end);
}

// Processes everything but user input until the output is done; input made
// meanwhile stays queued and is handled afterwards, in order.
void waitWhileSpeaking(const AudioOutput& output, qint64 durationMs)
{
    constexpr auto flags = QEventLoop::ExcludeUserInputEvents;
    // Paints what the caller has just shown, even when speech ends at once.
    QCoreApplication::processEvents(flags);
    QTimer poll; // wakes the wait below while nothing else happens
    poll.setTimerType(Qt::PreciseTimer);
    poll.start(kPollMs);
    QElapsedTimer watchdog;
    watchdog.start();
    while (output.isSpeechPlaying() && !watchdog.hasExpired(durationMs + kStallMarginMs))
        QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    // The X connection's reader has taken the held-back input off the socket,
    // and its wake-up was spent on the waits above: without a new one the
    // input would wait for the next X event.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

} // namespace

VoiceToken VoiceCollection::Item(qint32 index) const
{
    if (index < 0 || index >= Count())
        throw ListIndexFault(index);
    return m_items[std::size_t(index)];
}

struct SpVoice::Impl
{
    AudioOutput& output;
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    std::vector<VoiceToken> voices;
    std::size_t current = 0;
};

SpVoice::SpVoice(AudioOutput& output, std::vector<std::unique_ptr<SpeechEngine>> engines)
    : d(new Impl{output, std::move(engines), {}})
{
    for (const auto& engine : d->engines) {
        engine->start();
        const QStringList descriptions = engine->voices();
        for (int i = 0; i < descriptions.size(); ++i)
            d->voices.push_back(VoiceToken(engine.get(), i, descriptions[i]));
    }
}

SpVoice::~SpVoice() = default;

std::vector<std::unique_ptr<SpeechEngine>> SpVoice::defaultEngines()
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<FliteEngine>());
    engines.push_back(std::make_unique<EspeakEngine>());
    return engines;
}

VoiceCollection SpVoice::GetVoices() const
{
    return VoiceCollection(d->voices);
}

VoiceCollection SpVoice::GetVoices(const QString&, const QString&) const
{
    return GetVoices();
}

void SpVoice::setVoice(const VoiceToken& token)
{
    const auto found = std::find_if(d->voices.begin(), d->voices.end(), [&token](const auto& v) {
        return v.m_engine == token.m_engine && v.m_voiceIndex == token.m_voiceIndex;
    });
    if (found == d->voices.end())
        throw Fault(QStringLiteral("声 \"%1\" はこの音声オブジェクトのものではありません")
                        .arg(token.m_description));
    d->current = std::size_t(found - d->voices.begin());
}

void SpVoice::setRate(double)
{
}

void SpVoice::Speak(const QString& text, int)
{
    if (d->voices.empty())
        throw Fault(QStringLiteral("音声合成の声がありません"));
    const VoiceToken& voice = d->voices[d->current];
    auto clip = std::make_shared<const AudioClip>(
        shapeSpeech(voice.m_engine->synthesize(voice.m_voiceIndex, spokenPart(text))));
    if (clip->samples.empty())
        return;
    const qint64 durationMs = clip->durationMs();
    d->output.playSpeech(std::move(clip));
    waitWhileSpeaking(d->output, durationMs);
}

qint32 findPreferredVoice(const VoiceCollection& voices)
{
    qint32 found = 999;
    for (qint32 i = 0; i < voices.Count(); ++i)
        if (voices.Item(i).GetDescription() == preferredVoiceDescription())
            found = i;
    return found;
}

} // namespace vocarin
