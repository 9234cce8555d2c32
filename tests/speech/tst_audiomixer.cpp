#include "DiskDevice.h"
#include "speech/AudioConvert.h"
#include "speech/AudioMixer.h"
#include "speech/CueSounds.h"
#include "speech/PendingAudioOutput.h"
#include "speech/SpVoice.h"
#include "testing/CaptureSink.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <numbers>

using namespace vocarin;
using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<const AudioClip> stereo(std::vector<float> samples)
{
    return std::make_shared<const AudioClip>(AudioClip{48000, 2, std::move(samples)});
}

std::vector<float> mixed(AudioMixer& mixer, int frames)
{
    std::vector<float> out(std::size_t(frames) * 2, 99.0f);
    mixer.mix(out.data(), frames);
    return out;
}

// Names the calls it gets, in order.
struct RecordingOutput : AudioOutput
{
    std::vector<QString> calls;
    void prepareCue(const std::shared_ptr<const AudioClip>&) override
    {
        calls.push_back(u"prepare"_s);
    }
    void playCue(std::shared_ptr<const AudioClip>) override { calls.push_back(u"cue"_s); }
    void playSpeech(std::shared_ptr<const AudioClip>) override { calls.push_back(u"speech"_s); }
    bool isSpeechPlaying() const override { return false; }
    void stopAll() override { calls.push_back(u"stop"_s); }
};

} // namespace

class TestAudioMixer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newCueStartsFromItsBeginning();
    void cueAndSpeechSoundTogether_data();
    void cueAndSpeechSoundTogether();
    void sumStaysBelowFullScale();
    void buzzerUnderEveryVoiceStaysBelowFullScale();
    void speechPlaysUntilItsLastSample();
    void stopSilencesBoth();
    void convertsToDeviceFormat_data();
    void convertsToDeviceFormat();
    void systemOutputReachesTheDevice();
    void deviceLeavesTerminationSignalsAlone();
    void pendingOutputOpensWhenAsked();
    void pendingOutputOpensAtOnceWhenASoundComesFirst();
};

void TestAudioMixer::newCueStartsFromItsBeginning()
{
    AudioMixer mixer(2);
    mixer.setCue(stereo({0.1f, 0.1f, 0.2f, 0.2f, 0.3f, 0.3f}));
    QCOMPARE(mixed(mixer, 1), (std::vector<float>{0.1f, 0.1f}));
    mixer.setCue(stereo({0.5f, 0.5f, 0.6f, 0.6f}));
    QCOMPARE(mixed(mixer, 3), (std::vector<float>{0.5f, 0.5f, 0.6f, 0.6f, 0, 0}));
    QVERIFY(!mixer.cuePlaying());
}

void TestAudioMixer::cueAndSpeechSoundTogether_data()
{
    QTest::addColumn<float>("cue");
    QTest::addColumn<float>("speech");
    QTest::addColumn<float>("expected");
    QTest::newRow("sum") << 0.25f << 0.5f << 0.75f;
    QTest::newRow("negative sum") << -0.25f << -0.5f << -0.75f;
    QTest::newRow("speech at its peak alone") << 0.0f << 0.9f << 0.9f;
    QTest::newRow("cancelling") << 0.5f << -0.5f << 0.0f;
}

void TestAudioMixer::cueAndSpeechSoundTogether()
{
    QFETCH(float, cue);
    QFETCH(float, speech);
    QFETCH(float, expected);
    AudioMixer mixer(2);
    mixer.setCue(stereo({cue, cue}));
    mixer.setSpeech(stereo({speech, speech, speech, speech}));
    QCOMPARE(mixed(mixer, 2), (std::vector<float>{expected, expected, speech, speech}));
}

// Louder sums come out louder, and never at full scale.
void TestAudioMixer::sumStaysBelowFullScale()
{
    float previous = 0.9f;
    for (float sum = 0.95f; sum <= 8.0f; sum += 0.05f) {
        AudioMixer mixer(2);
        mixer.setCue(stereo({sum / 2, -sum / 2}));
        mixer.setSpeech(stereo({sum / 2, -sum / 2}));
        const std::vector<float> out = mixed(mixer, 1);
        QVERIFY2(out[0] < 1.0f && out[0] >= previous, qPrintable(QString::number(sum)));
        QCOMPARE(out[1], -out[0]);
        previous = out[0];
    }
}

// The loudest case the learner meets: the buzzer under "No!", in every voice,
// as handed to the output and mixed for a 48 kHz stereo device.
void TestAudioMixer::buzzerUnderEveryVoiceStaysBelowFullScale()
{
    const auto buzzer =
        std::make_shared<const AudioClip>(convertClip(*CueStream(u"Sysbubuu"_s).clip(), 48000, 2));
    CaptureSink sink;
    SpVoice voice(sink);
    const VoiceCollection voices = voice.GetVoices();
    QVERIFY(voices.Count() > 0);
    for (qint32 i = 0; i < voices.Count(); ++i) {
        sink.clear();
        voice.setVoice(voices.Item(i));
        voice.Speak(u"No!"_s, 0);
        const auto no = std::make_shared<const AudioClip>(
            convertClip(*sink.captures(CaptureSink::Kind::Speech).at(0).clip, 48000, 2));
        AudioMixer mixer(2);
        mixer.setCue(buzzer);
        mixer.setSpeech(no);
        const std::vector<float> out = mixed(mixer, no->frames());
        const float peak = std::abs(*std::max_element(
            out.begin(), out.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }));
        QVERIFY2(peak < 1.0f, qPrintable(voices.Item(i).GetDescription()));
    }
}

void TestAudioMixer::speechPlaysUntilItsLastSample()
{
    AudioMixer mixer(2);
    QVERIFY(!mixer.speechPlaying());
    mixer.setSpeech(stereo(std::vector<float>(10 * 2, 0.1f)));
    std::vector<float> out(16 * 2);
    // The end is told once, in the buffer that plays the last sample.
    QVERIFY(!mixer.mix(out.data(), 9));
    QVERIFY(mixer.speechPlaying());
    // A cue does not stop speech.
    mixer.setCue(stereo({0.2f, 0.2f}));
    QVERIFY(mixer.mix(out.data(), 1));
    QVERIFY(!mixer.speechPlaying());
    QVERIFY(!mixer.mix(out.data(), 16));
    // Stopped speech has not played to its end.
    mixer.setSpeech(stereo(std::vector<float>(10 * 2, 0.1f)));
    mixer.stop();
    QVERIFY(!mixer.mix(out.data(), 16));
}

void TestAudioMixer::stopSilencesBoth()
{
    AudioMixer mixer(2);
    mixer.setCue(stereo({0.1f, 0.1f}));
    mixer.setSpeech(stereo({0.1f, 0.1f}));
    mixer.stop();
    QVERIFY(!mixer.speechPlaying());
    QCOMPARE(mixed(mixer, 1), (std::vector<float>{0, 0}));
}

void TestAudioMixer::convertsToDeviceFormat_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("toRate");
    QTest::newRow("click to 48 kHz") << 6000 << 1 << 48000;
    QTest::newRow("speech to 44.1 kHz") << 16000 << 1 << 44100;
    QTest::newRow("chime, already stereo") << 44100 << 2 << 48000;
    QTest::newRow("same rate") << 48000 << 1 << 48000;
}

void TestAudioMixer::convertsToDeviceFormat()
{
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, toRate);
    AudioClip clip{rate, channels, std::vector<float>(std::size_t(rate * channels / 10), 0.25f)};
    const AudioClip out = convertClip(clip, toRate, 2);
    QCOMPARE(out.sampleRate, toRate);
    QCOMPARE(out.channels, 2);
    QVERIFY2(std::abs(out.frames() - toRate / 10) <= toRate / 500,
             qPrintable(QString::number(out.frames())));
    QVERIFY(std::abs(out.samples[out.samples.size() / 2] - 0.25f) < 1e-3f);
}

// The tone handed over as speech must arrive at the device.
void TestAudioMixer::systemOutputReachesTheDevice()
{
    const std::vector<float> played = playedOnDisk([](AudioOutput& output) {
        AudioClip tone{8000, 1, {}};
        for (int i = 0; i < 800; ++i) // 0.1 s at 500 Hz
            tone.samples.push_back(0.5f * float(std::sin(2 * std::numbers::pi * 500 * i / 8000.0)));
        output.playSpeech(std::make_shared<const AudioClip>(std::move(tone)));
        QTRY_VERIFY_WITH_TIMEOUT(!output.isSpeechPlaying(), 3000);
    });
    float peak = 0;
    std::size_t loud = 0;
    for (float v : played) {
        peak = std::max(peak, std::abs(v));
        loud += std::abs(v) > 0.25f;
    }
    QVERIFY2(std::abs(peak - 0.5f) < 0.02f, qPrintable(QString::number(peak)));
    // About 0.1 s of a sine above half its peak, in two channels at 48 kHz.
    QVERIFY2(loud > 5000 && loud < 7000, qPrintable(QString::number(loud)));
}

// SDL turns SIGTERM and SIGINT into events of its own by default: the program
// would then outlive a logout, a kill and Ctrl+C. SDL's dummy driver opens a
// device on any machine.
void TestAudioMixer::deviceLeavesTerminationSignalsAlone()
{
    // SDL takes only signals left at their default, as in the program; QtTest
    // has handlers of its own, put back afterwards. (std::signal: Windows has
    // these two signals but no sigaction.)
    const auto termination = std::signal(SIGTERM, SIG_DFL);
    const auto interruption = std::signal(SIGINT, SIG_DFL);
    qputenv("SDL_AUDIODRIVER", "dummy");
    const auto output = openSystemAudioOutput();
    qunsetenv("SDL_AUDIODRIVER");
    QVERIFY(std::signal(SIGTERM, termination) == SIG_DFL);
    QVERIFY(std::signal(SIGINT, interruption) == SIG_DFL);
}

// Counts the devices it opens; each is a RecordingOutput whose calls it shows.
struct CountingOpener
{
    std::atomic<int> opened = 0;
    const std::vector<QString>* calls = nullptr;

    PendingAudioOutput::Opener opener()
    {
        return [this]() -> std::unique_ptr<AudioOutput> {
            auto device = std::make_unique<RecordingOutput>();
            calls = &device->calls;
            ++opened;
            return device;
        };
    }
};

// The device opens when asked (at start-up, once the course dialog is on
// screen), not when the output is made; cues prepared before then reach it
// before anything plays.
void TestAudioMixer::pendingOutputOpensWhenAsked()
{
    CountingOpener devices;
    PendingAudioOutput output(devices.opener());
    const auto cue = std::make_shared<const AudioClip>(AudioClip{8000, 1, {0.5f}});
    output.prepareCue(cue);
    QTest::qWait(20);
    QCOMPARE(devices.opened.load(), 0);

    output.openInBackground();
    QTRY_COMPARE(devices.opened.load(), 1);
    output.playCue(cue);
    output.prepareCue(cue);
    QCOMPARE(*devices.calls, (std::vector<QString>{u"prepare"_s, u"cue"_s, u"prepare"_s}));
    QCOMPARE(devices.opened.load(), 1);
}

// A sound wanted before the device was asked for opens it at once, and only once.
void TestAudioMixer::pendingOutputOpensAtOnceWhenASoundComesFirst()
{
    CountingOpener devices;
    PendingAudioOutput output(devices.opener());
    const auto cue = std::make_shared<const AudioClip>(AudioClip{8000, 1, {0.5f}});
    output.playCue(cue);
    QCOMPARE(devices.opened.load(), 1);
    QCOMPARE(*devices.calls, std::vector<QString>{u"cue"_s});

    output.openInBackground();
    QTest::qWait(20);
    QCOMPARE(devices.opened.load(), 1);
}

QTEST_GUILESS_MAIN(TestAudioMixer)
#include "tst_audiomixer.moc"
