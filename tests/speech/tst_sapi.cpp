// The Windows system voices through SAPI 5, beside our own engines. Under Wine
// the list is missing or empty; on Windows it holds the installed voices.
#include "core/Fault.h"
#include "speech/FliteEngine.h"
#include "speech/SapiEngine.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "testing/CaptureSink.h"

#include <QTest>

using namespace vocarin;
using namespace Qt::StringLiterals;

class TestSapi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void systemVoicesComeFirstAndTheOthersStay();
    void ziraIsChosenWhereInstalled();
    void eachSystemVoiceSpeaksIntoMemory();
};

namespace {

// Empty when SAPI is missing altogether: the program then lists the others alone.
QStringList systemVoices()
{
    SapiEngine sapi;
    try {
        sapi.start();
    } catch (const Fault&) {
        return {};
    }
    return sapi.voices();
}

// SAPI's voices, then flite's, over a capture sink: the program's list on Windows.
struct SystemVoice
{
    CaptureSink sink;
    std::unique_ptr<SpVoice> voice;

    SystemVoice()
    {
        std::vector<std::unique_ptr<SpeechEngine>> engines;
        engines.push_back(std::make_unique<SapiEngine>());
        engines.push_back(std::make_unique<FliteEngine>());
        voice = std::make_unique<SpVoice>(sink, std::move(engines));
    }
};

} // namespace

void TestSapi::systemVoicesComeFirstAndTheOthersStay()
{
    const QStringList system = systemVoices();
    SystemVoice speech;
    SpVoice& voice = *speech.voice;

    const VoiceCollection voices = voice.GetVoices();
    QCOMPARE(voices.Count(), qint32(system.size()) + 4);
    for (qint32 i = 0; i < system.size(); ++i)
        QCOMPARE(voices.Item(i).GetDescription(), system.at(i));
    const qint32 rms = qint32(system.size()) + 1;
    QCOMPARE(voices.Item(rms).GetDescription(), u"Flite rms - English (United States)"_s);

    // Our voice speaks, whatever SAPI has.
    voice.setVoice(voices.Item(rms));
    voice.Speak(u"apple"_s, 0);
    QCOMPARE(speech.sink.captures(CaptureSink::Kind::Speech).size(), 1u);
    QVERIFY(speech.sink.captures().back().clip->durationMs() > 200);
}

void TestSapi::ziraIsChosenWhereInstalled()
{
    const QStringList system = systemVoices();
    const SystemVoice speech;

    const qint32 zira = qint32(system.lastIndexOf(preferredVoiceDescription()));
    const qint32 expected = zira >= 0 ? zira : qint32(system.size()) + 1; // else Flite rms
    QCOMPARE(listVoices(speech.voice->GetVoices()).KeyVoice, expected);
}

void TestSapi::eachSystemVoiceSpeaksIntoMemory()
{
    const QStringList system = systemVoices();
    if (system.isEmpty())
        QSKIP("No SAPI voice installed");
    SapiEngine sapi;
    sapi.start();
    for (int i = 0; i < system.size(); ++i) {
        const AudioClip normal = sapi.synthesize(i, u"vocabulary"_s, 1.0);
        const AudioClip slow = sapi.synthesize(i, u"vocabulary"_s, 0.5);
        QVERIFY2(normal.durationMs() > 200, qPrintable(system.at(i)));
        QVERIFY2(slow.durationMs() > normal.durationMs() * 3 / 2, qPrintable(system.at(i)));
    }
}

QTEST_MAIN(TestSapi)
#include "tst_sapi.moc"
