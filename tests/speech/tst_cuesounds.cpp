#include "speech/CaptureSink.h"
#include "speech/CueSounds.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace vocarin;

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
    QTest::addColumn<double>("peak");

    // The metadata chunks after "data" must not end up as samples.
    QTest::newRow("click, 16-bit mono") << "SysPu" << 1425 << 6000 << 1 << 0.2;
    QTest::newRow("buzzer, float with _PMX") << "Sysbubuu" << 5878 << 22050 << 1 << 2.0 / 3;
    QTest::newRow("chime, 16-bit stereo with LIST") << "SysPingPong" << 21023 << 44100 << 2 << 0.4;
    QTest::newRow("upper case") << "SYSPU" << 1425 << 6000 << 1 << 0.2;
    QTest::newRow("lower case") << "sysbubuu" << 5878 << 22050 << 1 << 2.0 / 3;
    QTest::newRow("mixed case") << "sYSpINGpONG" << 21023 << 44100 << 2 << 0.4;
}

void TestCueSounds::decodesEachCue()
{
    QFETCH(QString, name);
    QFETCH(int, frames);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(double, peak);

    const CueStream stream(name);
    const AudioClip& clip = *stream.clip();
    QCOMPARE(clip.frames(), frames);
    QCOMPARE(clip.sampleRate, rate);
    QCOMPARE(clip.channels, channels);
    float loudest = 0;
    for (float s : clip.samples)
        loudest = std::max(loudest, std::abs(s));
    QVERIFY2(std::abs(loudest - peak) < 0.01, qPrintable(QString::number(loudest)));
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
    try {
        CueStream stream(name);
        QFAIL("no fault");
    } catch (const ResourceNotFoundFault& fault) {
        QCOMPARE(fault.message(), name + QStringLiteral(" リソースが見つかりません"));
    }
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

void TestCueSounds::newCueReplacesTheOneSounding()
{
    const CueStream pu(QStringLiteral("SysPu")), pingPong(QStringLiteral("SysPingPong")),
        bubuu(QStringLiteral("Sysbubuu"));
    CaptureSink sink(false);
    CueStreamPlayer player(sink, pu, pingPong, bubuu);
    player.play(Cue::Pu);
    QCOMPARE(sink.cueSounding(), pu.clip());
    sink.advance(10000);
    player.play(Cue::PingPong);
    QCOMPARE(sink.cueSounding(), pingPong.clip());
    // The chime lasts 0.48 s from its own start, not from the click's.
    sink.advance(470000);
    QCOMPARE(sink.cueSounding(), pingPong.clip());
    sink.advance(20000);
    QVERIFY(!sink.cueSounding());
}

QTEST_GUILESS_MAIN(TestCueSounds)
#include "tst_cuesounds.moc"
