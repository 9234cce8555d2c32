#include "DiskDevice.h"
#include "Faults.h"

#include "speech/AudioConvert.h"
#include "speech/CueSounds.h"
#include "speech/SpeechShaping.h"
#include "testing/CaptureSink.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace vocarin;
using vocarin::testkit::faultOf;

namespace {

double rmsOf(const AudioClip& clip)
{
    double energy = 0;
    for (float v : clip.samples)
        energy += double(v) * v;
    return std::sqrt(energy / double(clip.samples.size()));
}

float peakOf(const AudioClip& clip)
{
    float peak = 0;
    for (float v : clip.samples)
        peak = std::max(peak, std::abs(v));
    return peak;
}

// A word as every voice's clip reaches the mixer: a loud 300 Hz tone, shaped.
double wordRms()
{
    AudioClip raw{16000, 1, {}};
    for (int i = 0; i < 8000; ++i)
        raw.samples.push_back(0.7f * float(std::sin(2 * M_PI * 300 * i / 16000.0)));
    return rmsOf(shapeSpeech(std::move(raw)));
}

} // namespace

class TestCueSounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesEachCue_data();
    void decodesEachCue();
    void missingCueRaisesFault_data();
    void missingCueRaisesFault();
    void playerPlaysTheCueAsked_data();
    void playerPlaysTheCueAsked();
    void newCueReplacesTheOneSounding();
};

void TestCueSounds::decodesEachCue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    // Peak over RMS, as in the image: a sample format read wrongly changes it.
    QTest::addColumn<double>("crest");

    // The metadata chunks after "data" must not end up as samples.
    QTest::newRow("click, 16-bit mono") << "SysPu" << 1425 << 6000 << 1 << 2.45;
    QTest::newRow("buzzer, float with _PMX") << "Sysbubuu" << 5878 << 22050 << 1 << 1.35;
    QTest::newRow("chime, 16-bit stereo with LIST") << "SysPingPong" << 21023 << 44100 << 2 << 3.62;
    QTest::newRow("upper case") << "SYSPU" << 1425 << 6000 << 1 << 2.45;
    QTest::newRow("lower case") << "sysbubuu" << 5878 << 22050 << 1 << 1.35;
    QTest::newRow("mixed case") << "sYSpINGpONG" << 21023 << 44100 << 2 << 3.62;
}

void TestCueSounds::decodesEachCue()
{
    QFETCH(QString, name);
    QFETCH(int, frames);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(double, crest);

    const CueStream stream(name);
    const AudioClip& clip = *stream.clip();
    QCOMPARE(clip.frames(), frames);
    QCOMPARE(clip.sampleRate, rate);
    QCOMPARE(clip.channels, channels);
    const double rms = rmsOf(clip);
    QVERIFY2(std::abs(peakOf(clip) / rms - crest) < 0.05,
             qPrintable(QString::number(peakOf(clip) / rms)));
    // Whatever level the image has (the buzzer's is 14 dB above a word's), the
    // cue sounds a little under the words, within 3 dB.
    const double belowWordDb = 20 * std::log10(wordRms() / rms);
    QVERIFY2(belowWordDb >= 0.5 && belowWordDb <= 3, qPrintable(QString::number(belowWordDb)));
}

void TestCueSounds::missingCueRaisesFault_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("unknown") << "SysBeep";
    QTest::newRow("empty") << "";
    QTest::newRow("file name") << "SysPu.wav";
    QTest::newRow("leading space") << " SysPu";
    QTest::newRow("path") << "../sounds/SysPu";
}

void TestCueSounds::missingCueRaisesFault()
{
    QFETCH(QString, name);
    QCOMPARE(faultOf<ResourceNotFoundFault>([&] { CueStream stream(name); }),
             name + QStringLiteral(" リソースが見つかりません"));
}

void TestCueSounds::playerPlaysTheCueAsked_data()
{
    QTest::addColumn<int>("cue");
    QTest::addColumn<int>("frames");
    QTest::newRow("click") << int(Cue::Pu) << 1425;
    QTest::newRow("chime") << int(Cue::PingPong) << 21023;
    QTest::newRow("buzzer") << int(Cue::Bubuu) << 5878;
}

void TestCueSounds::playerPlaysTheCueAsked()
{
    QFETCH(int, cue);
    QFETCH(int, frames);
    const CueStream pu(QStringLiteral("SysPu")), pingPong(QStringLiteral("SysPingPong")),
        bubuu(QStringLiteral("Sysbubuu"));
    CaptureSink sink;
    CueStreamPlayer player(sink, pu, pingPong, bubuu);
    player.play(Cue(cue));
    QCOMPARE(sink.captures().size(), 1u);
    QCOMPARE(sink.captures()[0].kind, CaptureSink::Kind::Cue);
    QCOMPARE(sink.captures()[0].clip->frames(), frames);
}

// Played through the program's real output: once the chime starts, the device
// plays the chime alone from its first sample to its last (the click, 0.24 s
// long, no longer sounds under it), and nothing after it.
void TestCueSounds::newCueReplacesTheOneSounding()
{
    const CueStream pu(QStringLiteral("SysPu")), pingPong(QStringLiteral("SysPingPong")),
        bubuu(QStringLiteral("Sysbubuu"));
    const std::vector<float> played = playedOnDisk([&](AudioOutput& output) {
        output.prepareCue(pu.clip());
        output.prepareCue(pingPong.clip());
        CueStreamPlayer player(output, pu, pingPong, bubuu);
        player.play(Cue::Pu);
        QTest::qWait(30);
        player.play(Cue::PingPong);
        QTest::qWait(700);
    });
    const std::vector<float> chime = convertClip(*pingPong.clip(), 48000, 2).samples;
    const auto loud = [](float v) { return std::abs(v) > 0.01f; };
    const auto clickStart = std::find_if(played.begin(), played.end(), loud) - played.begin();
    QVERIFY(clickStart < std::ptrdiff_t(played.size()));

    // Where the chime begins: the offset after the click's start (stereo frames)
    // at which the chime's opening matches best.
    const auto mismatch = [&](std::ptrdiff_t at, std::size_t length) {
        double sum = 0;
        for (std::size_t i = 0; i < length; ++i)
            sum += std::abs(played.at(std::size_t(at) + i) - chime[i]);
        return sum / double(length);
    };
    std::ptrdiff_t chimeStart = -1;
    double best = 1e9;
    for (std::ptrdiff_t at = clickStart;
         at < clickStart + 48000 &&
         at + std::ptrdiff_t(chime.size()) <= std::ptrdiff_t(played.size());
         at += 2) {
        const double m = mismatch(at, 2000);
        if (m < best)
            best = m, chimeStart = at;
    }
    QVERIFY(chimeStart > clickStart);
    QVERIFY2(mismatch(chimeStart, chime.size()) < 1e-4, qPrintable(QString::number(best)));
    QVERIFY(std::none_of(played.begin() + chimeStart + std::ptrdiff_t(chime.size()), played.end(),
                         loud));
}

QTEST_GUILESS_MAIN(TestCueSounds)
#include "tst_cuesounds.moc"
