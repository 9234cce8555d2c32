// The real engines, heard through a capture sink.
#include "speech/EspeakEngine.h"
#include "speech/FestivalEngine.h"
#include "speech/FliteEngine.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "testing/CaptureSink.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace vocarin;

namespace {

struct Heard
{
    double leadMs;  // before the first sample at 1% of the peak
    double tailMs;  // after the last one
    double soundMs; // in between
    double rms;
};

Heard measure(const AudioClip& clip)
{
    const auto& s = clip.samples;
    float peak = 0;
    double energy = 0;
    for (float v : s) {
        peak = std::max(peak, std::abs(v));
        energy += double(v) * v;
    }
    const auto audible = [peak](float v) { return std::abs(v) >= peak * 0.01f; };
    const auto first = std::find_if(s.begin(), s.end(), audible) - s.begin();
    const auto last = std::find_if(s.rbegin(), s.rend(), audible).base() - s.begin();
    const double perMs = clip.sampleRate / 1000.0;
    return {double(first) / perMs, double(std::ptrdiff_t(s.size()) - last) / perMs,
            double(last - first) / perMs, std::sqrt(energy / double(s.size()))};
}

// How alike two utterances sound: the best normalised correlation of their
// loudness contours (5 ms steps) within 50 ms of shift. The engines add random
// noise to unvoiced sounds, so one voice never repeats its samples exactly.
double similarity(const AudioClip& a, const AudioClip& b)
{
    const auto contour = [](const AudioClip& clip) {
        const std::vector<float>& s = clip.samples;
        const std::size_t step = std::size_t(clip.sampleRate) / 200;
        std::vector<double> out;
        for (std::size_t i = 0; i + step <= s.size(); i += step) {
            double energy = 0;
            for (std::size_t j = i; j < i + step; ++j)
                energy += double(s[j]) * s[j];
            out.push_back(std::sqrt(energy / double(step)));
        }
        return out;
    };
    const auto x = contour(a), y = contour(b);
    double best = -1;
    for (int shift = -10; shift <= 10; ++shift) {
        double xy = 0, xx = 0, yy = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const std::ptrdiff_t j = std::ptrdiff_t(i) + shift;
            const double v = j >= 0 && j < std::ptrdiff_t(y.size()) ? y[std::size_t(j)] : 0.0;
            xy += x[i] * v;
            xx += x[i] * x[i];
            yy += v * v;
        }
        best = std::max(best, xy / std::sqrt(xx * yy));
    }
    return best;
}

} // namespace

class TestVoices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void listsFliteEspeakThenFestival();
    void speaksAWordPromptly_data();
    void speaksAWordPromptly();
    void textWithoutWordsIsSilent_data() { speaksAWordPromptly_data(); }
    void textWithoutWordsIsSilent();
    void voiceChangeChangesSound_data();
    void voiceChangeChangesSound();
    void unassignedVoiceIsSlt();
    void preferredVoiceIsInstalled();
    void slowerRateSpeaksLonger_data() { speaksAWordPromptly_data(); }
    void slowerRateSpeaksLonger();
    void festivalSpeaksAtItsOwnRate();
    void festivalCutsOverlongText();
    void festivalMissingLeavesTheOthers();
    void defaultVoiceAbsentLeavesTheBoxEmpty();

private:
    AudioClip spoken(const QString& text, int voiceIndex);

    CaptureSink m_sink;
    std::unique_ptr<SpVoice> m_voice;
};

void TestVoices::initTestCase()
{
    m_voice = std::make_unique<SpVoice>(m_sink);
}

void TestVoices::cleanupTestCase()
{
    m_voice.reset();
}

AudioClip TestVoices::spoken(const QString& text, int voiceIndex)
{
    m_voice->setVoice(m_voice->GetVoices().Item(voiceIndex));
    m_sink.clear();
    m_voice->Speak(text, 0);
    const auto speech = m_sink.captures(CaptureSink::Kind::Speech);
    return speech.size() == 1 ? *speech[0].clip : AudioClip{};
}

void TestVoices::listsFliteEspeakThenFestival()
{
    const VoiceCollection voices = m_voice->GetVoices();
    QStringList all;
    for (qint32 i = 0; i < voices.Count(); ++i)
        all << voices.Item(i).GetDescription();

    QCOMPARE(all.mid(0, 4), (QStringList{QStringLiteral("Flite slt - English (United States)"),
                                         QStringLiteral("Flite rms - English (United States)"),
                                         QStringLiteral("Flite kal16 - English (United States)"),
                                         QStringLiteral("Flite awb - English (United States)")}));
    QVERIFY(all.contains(QStringLiteral("Great Britain (eSpeak NG) - English (United Kingdom)")));
    QVERIFY(all.contains(QStringLiteral("America (eSpeak NG) - English (United States)")));
    QVERIFY(all.contains(
        QStringLiteral("America, New York City (eSpeak NG) - English (United States)")));
    QCOMPARE(all.last(), QStringLiteral("Festival slt HTS - English (United States)"));
    for (const QString& description : all.mid(4, all.size() - 5))
        QVERIFY2(description.contains(QStringLiteral(" (eSpeak NG) - English (")),
                 qPrintable(description));
    QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), all.size());
    QCOMPARE(all, [&] {
        const VoiceCollection again = m_voice->GetVoices(QString(), QString());
        QStringList out;
        for (qint32 i = 0; i < again.Count(); ++i)
            out << again.Item(i).GetDescription();
        return out;
    }());
}

void TestVoices::speaksAWordPromptly_data()
{
    QTest::addColumn<int>("voice");
    const VoiceCollection voices = SpVoice(*std::make_unique<CaptureSink>()).GetVoices();
    for (qint32 i = 0; i < voices.Count(); ++i)
        QTest::newRow(qPrintable(voices.Item(i).GetDescription())) << i;
}

void TestVoices::speaksAWordPromptly()
{
    QFETCH(int, voice);
    const Heard heard = measure(spoken(QStringLiteral("apple"), voice));
    QVERIFY2(heard.leadMs <= 15, qPrintable(QString::number(heard.leadMs)));
    QVERIFY2(heard.tailMs <= 15, qPrintable(QString::number(heard.tailMs)));
    QVERIFY2(heard.soundMs >= 150 && heard.soundMs <= 2500,
             qPrintable(QString::number(heard.soundMs)));
    // Levelled: about -20 dBFS, unless the peak limit held it lower.
    QVERIFY2(heard.rms > 0.06 && heard.rms < 0.11, qPrintable(QString::number(heard.rms)));

    QVERIFY(measure(spoken(QStringLiteral("environment"), voice)).soundMs > heard.soundMs);
}

// The engines answer these with faint noise; levelled up it would be a hiss.
void TestVoices::textWithoutWordsIsSilent()
{
    QFETCH(int, voice);
    for (const QString& text : {QString(), QStringLiteral(" "), QStringLiteral("...")})
        QVERIFY2(spoken(text, voice).samples.empty(), qPrintable(text));
}

void TestVoices::voiceChangeChangesSound_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("slt to rms") << 0 << 1;
    QTest::newRow("kal16 to awb") << 2 << 3;
    QTest::newRow("flite to espeak-ng") << 0 << 4;
    QTest::newRow("espeak-ng to espeak-ng") << 4 << 5;
}

void TestVoices::voiceChangeChangesSound()
{
    QFETCH(int, from);
    QFETCH(int, to);
    const auto before = spoken(QStringLiteral("Bingo!"), from);
    const double same = similarity(before, spoken(QStringLiteral("Bingo!"), from));
    const double changed = similarity(before, spoken(QStringLiteral("Bingo!"), to));
    QVERIFY2(same > 0.98 && changed < 0.95,
             qPrintable(QStringLiteral("%1 %2").arg(same).arg(changed)));
}

// Until a voice is assigned (the voice box empty), flite's slt speaks.
void TestVoices::unassignedVoiceIsSlt()
{
    CaptureSink sink;
    SpVoice fresh(sink);
    fresh.Speak(QStringLiteral("Great!"), 0);
    const AudioClip& heard = *sink.captures().at(0).clip;
    QVERIFY(similarity(heard, spoken(QStringLiteral("Great!"), 0)) > 0.98);
    QVERIFY(similarity(heard, spoken(QStringLiteral("Great!"), 1)) < 0.95);
}

// The voice box shows the default voice from the start (the window assigns
// the voice it shows).
void TestVoices::preferredVoiceIsInstalled()
{
    const VoiceCollection voices = m_voice->GetVoices();
    const qint32 preferred = findPreferredVoice(voices);
    QVERIFY(preferred != 999);
    QCOMPARE(voices.Item(preferred).GetDescription(), preferredVoiceDescription());
}

void TestVoices::slowerRateSpeaksLonger()
{
    QFETCH(int, voice);
    const double own = measure(spoken(QStringLiteral("vocabulary"), voice)).soundMs;
    m_voice->setRate(0.6);
    const double slow = measure(spoken(QStringLiteral("vocabulary"), voice)).soundMs;
    m_voice->setRate(1.0);
    const double again = measure(spoken(QStringLiteral("vocabulary"), voice)).soundMs;
    QVERIFY2(slow > own * 1.3, qPrintable(QStringLiteral("%1 -> %2").arg(own).arg(slow)));
    QVERIFY2(std::abs(again - own) < own * 0.05,
             qPrintable(QStringLiteral("%1 then %2").arg(own).arg(again)));
}

// Words outside its lexicon too: they load the letter-to-sound rules, which
// ran Festival's default heap out and crashed it on its next call.
void TestVoices::festivalSpeaksAtItsOwnRate()
{
    for (const QString& word : {QStringLiteral("apple"), QStringLiteral("Vocarinish"),
                                QStringLiteral("xyzzy"), QStringLiteral("apple")}) {
        const AudioClip clip = spoken(word, m_voice->GetVoices().Count() - 1);
        QCOMPARE(clip.sampleRate, 32000);
        QVERIFY2(measure(clip).soundMs > 200, qPrintable(word));
    }
}

// A word list line of megabytes: what is spoken is its beginning, in bounded time.
void TestVoices::festivalCutsOverlongText()
{
    QString text;
    while (text.size() < 100000)
        text += QStringLiteral("apple environment xyzzy ");
    const double sound = measure(spoken(text, m_voice->GetVoices().Count() - 1)).soundMs;
    // About 140 words, none of the other 14,000.
    QVERIFY2(sound > 30000 && sound < 150000, qPrintable(QString::number(sound)));
}

// Festival or its voice not installed: its voice is absent and nothing fails.
void TestVoices::festivalMissingLeavesTheOthers()
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<FliteEngine>());
    engines.push_back(
        std::make_unique<FestivalEngine>(QStringLiteral("/nonexistent/slt.htsvoice")));
    CaptureSink sink;
    SpVoice voice(sink, std::move(engines));
    QCOMPARE(voice.GetVoices().Count(), 4);
    QCOMPARE(voice.GetVoices().Item(3).GetDescription(),
             QStringLiteral("Flite awb - English (United States)"));
}

// Without the default voice's engine the voice box stays empty (999) and
// the first voice speaks.
void TestVoices::defaultVoiceAbsentLeavesTheBoxEmpty()
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<EspeakEngine>());
    CaptureSink sink;
    SpVoice voice(sink, std::move(engines));
    QVERIFY(voice.GetVoices().Count() > 0);
    QCOMPARE(findPreferredVoice(voice.GetVoices()), 999);
}

QTEST_GUILESS_MAIN(TestVoices)
#include "tst_voices.moc"
