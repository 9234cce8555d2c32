#include "speech/AudioConvert.h"
#include "speech/AudioMixer.h"
#include "speech/PendingAudioOutput.h"

#include <QTest>

#include <cmath>
#include <csignal>
#include <future>

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
    void speechPlaysUntilItsLastSample();
    void stopSilencesBoth();
    void convertsToDeviceFormat_data();
    void convertsToDeviceFormat();
    void systemOutputPlaysOrStaysSilent();
    void deviceLeavesTerminationSignalsAlone();
    void pendingOutputPreparesCuesOnceOpen();
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
    QTest::newRow("clipped high") << 0.75f << 0.5f << 1.0f;
    QTest::newRow("clipped low") << -0.75f << -0.5f << -1.0f;
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

void TestAudioMixer::speechPlaysUntilItsLastSample()
{
    AudioMixer mixer(2);
    QVERIFY(!mixer.speechPlaying());
    mixer.setSpeech(stereo(std::vector<float>(10 * 2, 0.1f)));
    mixed(mixer, 9);
    QVERIFY(mixer.speechPlaying());
    // A cue does not stop speech.
    mixer.setCue(stereo({0.2f, 0.2f}));
    mixed(mixer, 1);
    QVERIFY(!mixer.speechPlaying());
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

// With a sound card it plays, without one it stays silent; either way it
// neither fails nor hangs.
void TestAudioMixer::systemOutputPlaysOrStaysSilent()
{
    const auto output = openSystemAudioOutput();
    output->playCue(std::make_shared<const AudioClip>(AudioClip{8000, 1, {0.0f, 0.0f}}));
    output->playSpeech(
        std::make_shared<const AudioClip>(AudioClip{8000, 1, std::vector<float>(400, 0.0f)}));
    QTRY_VERIFY_WITH_TIMEOUT(!output->isSpeechPlaying(), 2000);
    output->stopAll();
}

// SDL turns SIGTERM and SIGINT into events of its own by default: the program
// would then outlive a logout, a kill and Ctrl+C. SDL's dummy driver opens a
// device on any machine.
void TestAudioMixer::deviceLeavesTerminationSignalsAlone()
{
    // SDL takes only signals left at their default, as in the program; QtTest
    // has handlers of its own, put back afterwards.
    struct sigaction termination = {}, interruption = {}, standard = {};
    standard.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &standard, &termination);
    sigaction(SIGINT, &standard, &interruption);
    qputenv("SDL_AUDIODRIVER", "dummy");
    const auto output = openSystemAudioOutput();
    qunsetenv("SDL_AUDIODRIVER");
    struct sigaction afterTermination = {}, afterInterruption = {};
    sigaction(SIGTERM, &termination, &afterTermination);
    sigaction(SIGINT, &interruption, &afterInterruption);
    QVERIFY(afterTermination.sa_handler == SIG_DFL);
    QVERIFY(afterInterruption.sa_handler == SIG_DFL);
}

// Cues prepared while the device is still opening reach it before anything plays.
void TestAudioMixer::pendingOutputPreparesCuesOnceOpen()
{
    std::promise<std::unique_ptr<AudioOutput>> opening;
    PendingAudioOutput output(opening.get_future());
    const auto cue = std::make_shared<const AudioClip>(AudioClip{8000, 1, {0.5f}});
    output.prepareCue(cue);

    auto recording = std::make_unique<RecordingOutput>();
    const std::vector<QString>& calls = recording->calls;
    opening.set_value(std::move(recording));
    output.playCue(cue);
    output.prepareCue(cue);
    QCOMPARE(calls, (std::vector<QString>{u"prepare"_s, u"cue"_s, u"prepare"_s}));
}

QTEST_GUILESS_MAIN(TestAudioMixer)
#include "tst_audiomixer.moc"
