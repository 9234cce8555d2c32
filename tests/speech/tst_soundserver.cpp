// Speech and cues through a real PulseAudio server of the test's own (a null
// sink whose monitor is recorded with parec): their levels as the learner
// hears them, and what happens when that server dies and comes back, as when
// PipeWire or PulseAudio crashes, is upgraded or is restarted to mend a
// headset. Skipped where PulseAudio is not installed.
#include "speech/AudioOutput.h"
#include "speech/CueSounds.h"
#include "speech/FliteEngine.h"
#include "speech/SpVoice.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <vector>

using namespace vocarin;
using namespace Qt::StringLiterals;

namespace {

constexpr int kSkipped = 77; // the test's SKIP_RETURN_CODE
const QStringList kTools{u"pulseaudio"_s, u"pactl"_s, u"parec"_s};

constexpr int kRecordRate = 16000;
// Speech reaches well above this; the null sink's monitor is exact zeros when nothing plays.
constexpr int kHeardPeak = 1000;

// A private PulseAudio server (tests/sound/pulse-server): its own runtime
// folder and socket, one null sink, nothing from the user's session.
class SoundServer
{
public:
    SoundServer()
    {
        QFile config(m_runtime.filePath(u"client.conf"_s));
        // libpulse would otherwise start a server of the user's own when ours is away.
        if (config.open(QIODevice::WriteOnly))
            config.write("autospawn = no\n");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("PULSE_RUNTIME_PATH", QFile::encodeName(m_runtime.filePath(u"pulse"_s)));
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(socketPath()));
        qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(config.fileName()));
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.setStandardOutputFile(QProcess::nullDevice());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, m_runtime.path()); // its cookie and state stay here
        m_server.setProcessEnvironment(environment);
    }
    ~SoundServer() { kill(); }

    // Starts the server and waits until it takes clients.
    bool start()
    {
        m_server.start(QStringLiteral(VOCARIN_PULSE_SERVER), {socketPath()});
        if (!m_server.waitForStarted())
            return false;
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (takesClients())
                return true;
            if (m_server.state() != QProcess::Running)
                return false;
            QTest::qWait(100);
        }
        return false;
    }

    // Ends the server at once, as a crash does.
    void kill()
    {
        m_server.kill();
        m_server.waitForFinished();
    }

private:
    static bool takesClients()
    {
        QProcess pactl;
        pactl.setStandardOutputFile(QProcess::nullDevice());
        pactl.setStandardErrorFile(QProcess::nullDevice());
        pactl.start(u"pactl"_s, {u"info"_s});
        return pactl.waitForFinished() && pactl.exitStatus() == QProcess::NormalExit &&
               pactl.exitCode() == 0;
    }

    QString socketPath() const { return m_runtime.filePath(u"pulse/native"_s); }

    QTemporaryDir m_runtime;
    QProcess m_server;
};

// What the null sink played while `act` ran, as samples of full scale 1:
// recorded from its monitor, from before `act` until a little after.
std::vector<float> playedWhile(const std::function<void()>& act)
{
    QProcess parec;
    parec.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    parec.start(u"parec"_s, {u"--device=null.monitor"_s, u"--format=s16le"_s,
                             u"--rate="_s + QString::number(kRecordRate), u"--channels=1"_s,
                             u"--latency-msec=20"_s, u"--raw"_s});
    QByteArray recorded;
    // The recording runs once the first silence comes in.
    for (int attempt = 0; attempt < 100 && recorded.size() < kRecordRate / 10; ++attempt) {
        parec.waitForReadyRead(100);
        recorded += parec.readAllStandardOutput();
    }
    if (recorded.isEmpty())
        return {};
    act();
    // What the server still holds for the sink comes through the monitor a moment later.
    QTest::qWait(400);
    parec.terminate();
    parec.waitForFinished();
    recorded += parec.readAllStandardOutput();

    std::vector<qint16> samples(std::size_t(recorded.size()) / sizeof(qint16));
    std::memcpy(samples.data(), recorded.constData(), samples.size() * sizeof(qint16));
    std::vector<float> played;
    for (const qint16 sample : samples)
        played.push_back(float(sample) / 32768);
    return played;
}

int loudestWhile(const std::function<void()>& act)
{
    int loudest = 0;
    for (const float sample : playedWhile(act))
        loudest = std::max(loudest, int(std::abs(sample) * 32768));
    return loudest;
}

float peakOf(const std::vector<float>& played)
{
    float peak = 0;
    for (const float sample : played)
        peak = std::max(peak, std::abs(sample));
    return peak;
}

// The level of what sounded, in dBFS: RMS from the first sample above -40 dBFS
// to the last, the span the program levels a word over.
double levelDb(const std::vector<float>& played)
{
    const auto loud = [](float v) { return std::abs(v) > 0.01f; };
    const auto first = std::find_if(played.begin(), played.end(), loud);
    const auto last = std::find_if(played.rbegin(), played.rend(), loud).base();
    if (first >= last)
        return -200;
    double energy = 0;
    for (auto it = first; it != last; ++it)
        energy += double(*it) * *it;
    return 10 * std::log10(energy / double(last - first));
}

std::vector<std::unique_ptr<SpeechEngine>> flite()
{
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<FliteEngine>());
    return engines;
}

} // namespace

class TestSoundServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cuesSitJustUnderTheWords();
    void heardAgainAfterTheServerRestarts();
};

// A learner sets the volume for the words: the chime and the buzzer come within
// 3 dB of a word, and the praise or "No!" spoken over them is no quieter than
// the cue and comes through the mixer unbent.
void TestSoundServer::cuesSitJustUnderTheWords()
{
    SoundServer server;
    QVERIFY2(server.start(), "the private PulseAudio server did not start");
    const std::unique_ptr<AudioOutput> output = openSystemAudioOutput();
    SpVoice voice(*output, flite());
    const CueStream pu(u"SysPu"_s), pingPong(u"SysPingPong"_s), bubuu(u"Sysbubuu"_s);
    CueStreamPlayer cues(*output, pu, pingPong, bubuu);
    const auto cueAlone = [&](Cue cue) {
        return playedWhile([&] {
            cues.play(cue);
            QTest::qWait(600);
        });
    };
    const auto spoken = [&](const QString& text) {
        return playedWhile([&] { voice.Speak(text, 0); });
    };

    const double word = levelDb(spoken(u"apple"_s));
    const double chime = levelDb(cueAlone(Cue::PingPong));
    const double buzzer = levelDb(cueAlone(Cue::Bubuu));
    const double praise = levelDb(spoken(u"Excellent!"_s));
    const double no = levelDb(spoken(u"No!"_s));
    qInfo("dBFS at the sink: word %.1f, chime %.1f, buzzer %.1f, praise %.1f, \"No!\" %.1f", word,
          chime, buzzer, praise, no);
    QCOMPARE_LE(std::abs(chime - word), 3.0);
    QCOMPARE_LE(std::abs(buzzer - word), 3.0);
    QCOMPARE_GE(praise, chime);
    QCOMPARE_GE(no, buzzer);

    // As after an answer: the cue, then the feedback spoken over it.
    for (const auto& [cue, text] :
         {std::pair{Cue::PingPong, u"Excellent!"_s}, std::pair{Cue::Bubuu, u"No!"_s}}) {
        const std::vector<float> answer = playedWhile([&] {
            cues.play(cue);
            voice.Speak(text, 0);
        });
        QCOMPARE_GT(peakOf(answer), 0.05f);
        // Below the mixer's knee (0.9), where the sum is passed unchanged.
        QCOMPARE_LT(peakOf(answer), 0.85f);
    }
}

void TestSoundServer::heardAgainAfterTheServerRestarts()
{
    SoundServer server;
    QVERIFY2(server.start(), "the private PulseAudio server did not start");
    const std::unique_ptr<AudioOutput> output = openSystemAudioOutput();
    SpVoice voice(*output, flite());
    const auto click =
        std::make_shared<const AudioClip>(AudioClip{48000, 1, std::vector<float>(4800, 0.5f)});

    QCOMPARE_GT(loudestWhile([&] { voice.Speak(u"apple"_s, 0); }), kHeardPeak);

    server.kill();
    // Answers go on, silently: a cue and the feedback word come back without a device.
    output->playCue(click);
    voice.Speak(u"No!"_s, 0);
    output->playCue(click);
    voice.Speak(u"Excellent!"_s, 0);
    QVERIFY(!output->isSpeechPlaying());

    QVERIFY2(server.start(), "the private PulseAudio server did not start again");
    // The first word after the server is back may still fall silent (a failed
    // reopen is tried again a second later); the learner's next "listen
    // again" is heard.
    int loudest = loudestWhile([&] { voice.Speak(u"apple"_s, 0); });
    if (loudest <= kHeardPeak) {
        QTest::qWait(1500);
        loudest = loudestWhile([&] { voice.Speak(u"apple"_s, 0); });
    }
    QCOMPARE_GT(loudest, kHeardPeak);
}

int main(int argc, char** argv)
{
    for (const QString& tool : kTools) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            std::cout << "SKIP: " << tool.toStdString() << " is not installed\n";
            return kSkipped;
        }
    }
    QCoreApplication application(argc, argv);
    TestSoundServer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soundserver.moc"
