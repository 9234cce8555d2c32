#include "CourseFiles.h"
#include "SoundFiles.h"
#include "TemporaryFolder.h"

#include "speech/CourseSpeaker.h"
#include "speech/SpVoice.h"
#include "testing/CaptureSink.h"
#include "testing/ToneEngine.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace vocarin;
using namespace vocarin::testkit;
using namespace Qt::StringLiterals;

namespace {

double rmsDb(const AudioClip& clip)
{
    double energy = 0;
    for (float s : clip.samples)
        energy += double(s) * s;
    return 10 * std::log10(energy / double(clip.samples.size()));
}

// Sign changes per second over [fromMs, toMs): twice the frequency of a tone.
double crossingsPerSecond(const AudioClip& clip, qint64 fromMs, qint64 toMs)
{
    const auto at = [&clip](qint64 ms) { return std::size_t(ms * clip.sampleRate / 1000); };
    int crossings = 0;
    for (std::size_t i = at(fromMs) + 1; i < at(toMs) && i < clip.samples.size(); ++i)
        crossings += (clip.samples[i - 1] < 0) != (clip.samples[i] < 0);
    return crossings * 1000.0 / double(toMs - fromMs);
}

// A course in a temporary folder whose option file carries `third` on line 3,
// a tone voice over a capture sink, and the speaker between them.
struct Rig
{
    testkit::TemporaryFolder folder;
    CaptureSink sink;
    ToneEngine* tone = nullptr;
    std::unique_ptr<SpVoice> voice;
    QStringList told;
    std::unique_ptr<CourseSpeaker> speaker;

    explicit Rig(bool autoAdvance = true) : sink(autoAdvance)
    {
        auto engine = std::make_unique<ToneEngine>();
        tone = engine.get();
        std::vector<std::unique_ptr<SpeechEngine>> engines;
        engines.push_back(std::move(engine));
        voice = std::make_unique<SpVoice>(sink, std::move(engines));
        speaker = std::make_unique<CourseSpeaker>(*voice, sink,
                                                  [this](const QString& text) { told << text; });
    }
    // Loads the course again, as the exercise does at each course load.
    void load(const QString& third = u"mp3"_s)
    {
        StringList options;
        for (const QString& line : {u"Animals"_s, u"a"_s, third, u"3"_s})
            options.add(line);
        speaker->setRecordings(findRecordings({folder.dir(), u".\\"_s}, options));
    }
    QStringList voiced() const
    {
        QStringList texts;
        for (const auto& request : tone->requests())
            texts << request.second;
        return texts;
    }
    std::shared_ptr<const AudioClip> lastHeard() const
    {
        return sink.captures(CaptureSink::Kind::Speech).back().clip;
    }
};

} // namespace

class TestRecordings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void playsTheRecording_data();
    void playsTheRecording();
    void voiceSpeaksTheRest_data();
    void voiceSpeaksTheRest();
    void unplayableIsToldOnce_data();
    void unplayableIsToldOnce();
    void slowReplayKeepsThePitch();
    void returnsOnlyAfterPlayback();
};

void TestRecordings::playsTheRecording_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("WAV") << u"cat.wav"_s << sweepFile(u"wav"_s);
    QTest::newRow("FLAC") << u"cat.flac"_s << sweepFile(u"flac"_s);
    QTest::newRow("Ogg Vorbis") << u"cat.ogg"_s << sweepFile(u"ogg"_s);
    QTest::newRow("MP3, in sounds") << u"sounds/cat.mp3"_s << sweepFile(u"mp3"_s);
    QTest::newRow("stereo WAV, other case")
        << u"Sounds/CAT.WAV"_s
        << soxFile(u"wav"_s,
                   {u"synth"_s, u"0.5"_s, u"sine"_s, u"300-3000"_s, u"vol"_s, u"0.05"_s, u"pad"_s,
                    u"0.2"_s, u"0.3"_s},
                   {u"-r"_s, u"22050"_s, u"-c"_s, u"2"_s});
}

// The recording is heard, not the voice: the sweep trimmed to itself and
// brought to the voices' level.
void TestRecordings::playsTheRecording()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QVERIFY(!bytes.isEmpty());

    Rig rig;
    rig.folder.create(file, bytes);
    rig.load();
    rig.speaker->speakWord(u"cat"_s);
    QCOMPARE(rig.voiced(), QStringList());
    QCOMPARE(rig.told, QStringList());
    const AudioClip heard = *rig.lastHeard();
    QCOMPARE(heard.sampleRate, 22050);
    QCOMPARE(heard.channels, 1);
    QVERIFY2(heard.durationMs() >= kSweepMs && heard.durationMs() <= kSweepMs + 60,
             qPrintable(QString::number(heard.durationMs())));
    QVERIFY(crossingsPerSecond(heard, 400, 480) > 4 * crossingsPerSecond(heard, 20, 100));

    rig.speaker->speak(u"dog"_s);
    QCOMPARE(rig.voiced(), QStringList{u"dog"_s});
    QVERIFY2(
        std::abs(rmsDb(heard) - rmsDb(*rig.lastHeard())) < 1.0,
        qPrintable(
            u"%1 dB against the voice's %2 dB"_s.arg(rmsDb(heard)).arg(rmsDb(*rig.lastHeard()))));
}

void TestRecordings::voiceSpeaksTheRest_data()
{
    QTest::addColumn<QString>("third");
    QTest::addColumn<bool>("asWord"); // speakWord, else speak

    QTest::newRow("course without the marker") << u"3"_s << true;
    QTest::newRow("praise and other texts") << u"mp3"_s << false;
}

void TestRecordings::voiceSpeaksTheRest()
{
    QFETCH(QString, third);
    QFETCH(bool, asWord);

    Rig rig;
    rig.folder.create(u"cat.mp3"_s, sweepFile(u"mp3"_s));
    rig.load(third);
    if (asWord)
        rig.speaker->speakWord(u"cat"_s);
    else
        rig.speaker->speak(u"cat"_s);
    rig.speaker->speakWord(u"dog"_s); // a word without a recording
    QCOMPARE(rig.voiced(), (QStringList{u"cat"_s, u"dog"_s}));
    QCOMPARE(rig.told, QStringList());
}

void TestRecordings::unplayableIsToldOnce_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("grownTo"); // 0: as it is
    QTest::addColumn<QString>("reason");

    const QByteArray wave = sweepFile(u"wav"_s);
    QTest::newRow("text named .mp3") << QByteArray("not a sound\r\n") << 0ll << u"音声として"_s;
    QTest::newRow("empty") << QByteArray() << 0ll << u"音声として"_s;
    QTest::newRow("WAV cut in its header") << wave.left(30) << 0ll << u"音声として"_s;
    QTest::newRow("silence only") << soxFile(u"mp3"_s, {u"trim"_s, u"0"_s, u"1"_s}) << 0ll
                                  << u"聞こえる音"_s;
    QTest::newRow("over a minute") << soxFile(u"mp3"_s, {u"synth"_s, u"61"_s, u"sine"_s, u"440"_s},
                                              {u"-r"_s, u"8000"_s, u"-c"_s, u"1"_s})
                                   << 0ll << u"60 秒"_s;
    QTest::newRow("over 20 MB") << wave << 20ll * 1024 * 1024 + 1 << u"20 MB"_s;
}

// A recording that cannot be played: the learner is told once, naming the
// file, and hears the voice; a new course load tells again.
void TestRecordings::unplayableIsToldOnce()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, grownTo);
    QFETCH(QString, reason);

    Rig rig;
    rig.folder.create(u"sounds/cat.mp3"_s, bytes);
    if (grownTo > 0)
        QVERIFY(QFile::resize(rig.folder.filePath(u"sounds/cat.mp3"_s), grownTo));
    rig.load();
    rig.speaker->speakWord(u"cat"_s);
    rig.speaker->speakWord(u"cat"_s);
    QCOMPARE(rig.voiced(), QStringList(2, u"cat"_s));
    QCOMPARE(rig.told.size(), 1);
    const QString path = QDir::toNativeSeparators(rig.folder.filePath(u"sounds/cat.mp3"_s));
    QVERIFY2(rig.told[0].contains(path) && rig.told[0].contains(reason), qPrintable(rig.told[0]));

    rig.load();
    rig.speaker->speakWord(u"cat"_s);
    QCOMPARE(rig.told.size(), 2);
}

// A slow replay (Shift+R) slows the recording as much as the voice, at the
// same pitch.
void TestRecordings::slowReplayKeepsThePitch()
{
    Rig rig;
    rig.folder.create(u"cat.wav"_s, toneFile(u"wav"_s, 440, 1.0));
    rig.load();
    rig.speaker->speakWord(u"cat"_s);
    const AudioClip own = *rig.lastHeard();
    rig.speaker->speakWordSlowly(u"cat"_s);
    const AudioClip slow = *rig.lastHeard();
    rig.speaker->speakWord(u"cat"_s);

    QVERIFY2(std::abs(slow.durationMs() - own.durationMs() / 0.6) < 60,
             qPrintable(u"%1 ms from %2 ms"_s.arg(slow.durationMs()).arg(own.durationMs())));
    const double ownPitch = crossingsPerSecond(own, 100, 900);
    const double slowPitch = crossingsPerSecond(slow, 100, 1500);
    QVERIFY2(std::abs(slowPitch / ownPitch - 1) < 0.03,
             qPrintable(u"%1 against %2"_s.arg(slowPitch).arg(ownPitch)));
    QCOMPARE(rig.lastHeard()->durationMs(), own.durationMs());
    QCOMPARE(rig.voiced(), QStringList());
}

// As with the voices, the speaker returns once the output has played the
// recording; the sink's clock moves on only from a timer.
void TestRecordings::returnsOnlyAfterPlayback()
{
    Rig rig(false);
    rig.folder.create(u"cat.wav"_s, sweepFile(u"wav"_s));
    rig.load();
    bool playingMidway = false;
    QTimer::singleShot(5, this, [&] {
        playingMidway = rig.sink.isSpeechPlaying();
        rig.sink.advance(10'000'000);
    });
    rig.speaker->speakWord(u"cat"_s);
    QVERIFY(playingMidway);
    QVERIFY(!rig.sink.isSpeechPlaying());
}

QTEST_GUILESS_MAIN(TestRecordings)
#include "tst_recordings.moc"
