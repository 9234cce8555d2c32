#include "speech/SpVoice.h"

#include "core/Fault.h"
#include "speech/SpeechPlayback.h"
#include "speech/SpeechShaping.h"

#include <algorithm>
#include <exception>

namespace vocarin {

namespace {

// A word list line may be megabytes long; the engines would work on such a text
// for minutes while the window waits. No word or sentence the learner hears is
// anywhere near this long.
constexpr qsizetype kMaxSpokenLength = 1000;

// Beyond these the engines' voices break up or refuse.
constexpr double kSlowestRate = 0.25;
constexpr double kFastestRate = 4.0;

QString spokenPart(const QString& text)
{
    if (text.size() <= kMaxSpokenLength)
        return text;
    qsizetype end = kMaxSpokenLength;
    if (text.at(end).isLowSurrogate())
        --end; // never split a surrogate pair
    return text.left(end);
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
    double rate = 1.0;
};

SpVoice::SpVoice(AudioOutput& output, std::vector<std::unique_ptr<SpeechEngine>> engines)
    : d(new Impl{output, {}, {}})
{
    // One engine failing (its data missing or broken) must not silence the
    // others: its voices are left out. Only when none starts is there no
    // voice object.
    std::exception_ptr firstFailure;
    for (auto& engine : engines) {
        try {
            engine->start();
        } catch (const std::exception&) {
            if (!firstFailure)
                firstFailure = std::current_exception();
            continue;
        }
        const QStringList descriptions = engine->voices();
        for (int i = 0; i < descriptions.size(); ++i)
            d->voices.push_back(VoiceToken(engine.get(), i, descriptions[i]));
        d->engines.push_back(std::move(engine));
    }
    if (d->engines.empty()) {
        if (firstFailure)
            std::rethrow_exception(firstFailure);
        throw Fault(QStringLiteral("音声合成エンジンがありません"));
    }
}

SpVoice::~SpVoice() = default;

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

void SpVoice::Speak(const QString& text, int)
{
    speakAt(text, d->rate);
}

void SpVoice::speakAt(const QString& text, double rate)
{
    if (d->voices.empty())
        throw Fault(QStringLiteral("音声合成の声がありません"));
    // Also after an engine's own wait (Festival's thread) when nothing is played.
    const WakeForInputAfterwards wake;
    const VoiceToken& voice = d->voices[d->current];
    playSpeechToEnd(
        d->output,
        std::make_shared<const AudioClip>(shapeSpeech(voice.m_engine->synthesize(
            voice.m_voiceIndex, spokenPart(text), std::clamp(rate, kSlowestRate, kFastestRate)))));
}

void SpVoice::setRate(double rate)
{
    d->rate = std::clamp(rate, kSlowestRate, kFastestRate);
}

double SpVoice::rate() const
{
    return d->rate;
}

} // namespace vocarin
