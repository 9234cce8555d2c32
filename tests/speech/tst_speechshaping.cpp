// The shaping every voice's clip goes through, on made-up clips whose loud part
// is known to the sample.
#include "speech/SpeechShaping.h"

#include <QTest>

#include <cmath>

using namespace vocarin;

namespace {

constexpr int kRate = 16000;
constexpr int kPerMs = kRate / 1000;

// Silence, a 500 Hz tone of the given amplitude, silence; every channel alike.
AudioClip toneBetweenSilences(int leadMs, int loudMs, int tailMs, int channels, float amplitude)
{
    AudioClip clip;
    clip.sampleRate = kRate;
    clip.channels = channels;
    const auto add = [&](int frames, auto value) {
        for (int i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c)
                clip.samples.push_back(value(i));
    };
    add(leadMs * kPerMs, [](int) { return 0.0f; });
    // Whole milliseconds are whole half periods: the tone starts and ends at a crest.
    add(loudMs * kPerMs,
        [amplitude](int i) { return amplitude * float(std::cos(2 * M_PI * 500 * i / kRate)); });
    add(tailMs * kPerMs, [](int) { return 0.0f; });
    return clip;
}

int silentFramesAtStart(const AudioClip& clip)
{
    int frames = 0;
    while (frames < clip.frames() && clip.samples[std::size_t(frames * clip.channels)] == 0.0f)
        ++frames;
    return frames;
}

int silentFramesAtEnd(const AudioClip& clip)
{
    int frames = 0;
    while (frames < clip.frames() &&
           clip.samples[std::size_t((clip.frames() - 1 - frames) * clip.channels)] == 0.0f)
        ++frames;
    return frames;
}

} // namespace

class TestSpeechShaping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void silenceCutToTenMs_data();
    void silenceCutToTenMs();
    void levelled_data();
    void levelled();
    void silenceAloneComesOutEmpty_data();
    void silenceAloneComesOutEmpty();
};

void TestSpeechShaping::silenceCutToTenMs_data()
{
    QTest::addColumn<int>("leadMs");
    QTest::addColumn<int>("tailMs");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("keptLeadMs");
    QTest::addColumn<int>("keptTailMs");

    QTest::newRow("long silences, mono") << 300 << 200 << 1 << 10 << 10;
    QTest::newRow("long silences, stereo") << 300 << 200 << 2 << 10 << 10;
    QTest::newRow("shorter silences kept whole") << 4 << 7 << 1 << 4 << 7;
    QTest::newRow("no silence") << 0 << 0 << 2 << 0 << 0;
}

void TestSpeechShaping::silenceCutToTenMs()
{
    QFETCH(int, leadMs);
    QFETCH(int, tailMs);
    QFETCH(int, channels);
    QFETCH(int, keptLeadMs);
    QFETCH(int, keptTailMs);

    const int loudMs = 125;
    const AudioClip shaped =
        shapeSpeech(toneBetweenSilences(leadMs, loudMs, tailMs, channels, 0.3f));
    QCOMPARE(shaped.sampleRate, kRate);
    QCOMPARE(shaped.channels, channels);
    QCOMPARE(silentFramesAtStart(shaped), keptLeadMs * kPerMs);
    QCOMPARE(silentFramesAtEnd(shaped), keptTailMs * kPerMs);
    QCOMPARE(shaped.frames(), (keptLeadMs + loudMs + keptTailMs) * kPerMs);
}

void TestSpeechShaping::levelled_data()
{
    QTest::addColumn<float>("amplitude");

    QTest::newRow("quiet voice raised") << 0.02f;
    QTest::newRow("loud voice lowered") << 0.95f;
}

void TestSpeechShaping::levelled()
{
    QFETCH(float, amplitude);

    const AudioClip shaped = shapeSpeech(toneBetweenSilences(100, 500, 100, 1, amplitude));
    double energy = 0;
    float peak = 0;
    for (float v : shaped.samples) {
        energy += double(v) * v;
        peak = std::max(peak, std::abs(v));
    }
    QCOMPARE_LE(peak, 0.9f);
    QVERIFY2(std::abs(std::sqrt(energy / double(shaped.samples.size())) - 0.1) < 0.002,
             "every clip comes out at one level, about -20 dBFS");
}

void TestSpeechShaping::silenceAloneComesOutEmpty_data()
{
    QTest::addColumn<float>("amplitude");

    QTest::newRow("digital silence") << 0.0f;
    QTest::newRow("noise below -40 dBFS is not raised into a hiss") << 0.009f;
}

void TestSpeechShaping::silenceAloneComesOutEmpty()
{
    QFETCH(float, amplitude);

    QVERIFY(shapeSpeech(toneBetweenSilences(50, 300, 50, 1, amplitude)).samples.empty());
}

QTEST_GUILESS_MAIN(TestSpeechShaping)
#include "tst_speechshaping.moc"
