// How soon a cue is heard at the sound server's sink: after the output has
// been quiet long enough to close its device, and, for comparison in the same
// run, while the device is still open. Run inside tests/sound/sound-session
// (a private PulseAudio server with a null sink, whose monitor is recorded
// with parec); bench/speech/idle.sh does that.
//
// The time a sample reached the sink is taken from when parec handed it over:
// the arrival of the block holding it, less the samples after it in the block.
// The monitor's own delay is counted in, so the figures are upper bounds.
#include "speech/AudioOutput.h"
#include "speech/CueSounds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace vocarin;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRate = 48000;
constexpr int kRounds = 8;
constexpr int kQuietMs = 4500; // longer than the output stays open after a sound
constexpr int kSoonMs = 1000;  // the device still open
constexpr int kListenMs = 300;

struct Block
{
    qint64 end;  // samples recorded up to the end of this block
    qint64 atNs; // when parec handed it over
};

class Recorder
{
public:
    explicit Recorder(const QElapsedTimer& clock) : m_clock(clock)
    {
        QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, [this] { read(); });
        m_parec.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_parec.start(u"parec"_s, {u"--device=null.monitor"_s, u"--format=s16le"_s,
                                   u"--rate="_s + QString::number(kRate), u"--channels=1"_s,
                                   u"--latency-msec=5"_s, u"--raw"_s});
    }
    ~Recorder()
    {
        m_parec.terminate();
        m_parec.waitForFinished();
    }
    qint64 recorded() const { return qint64(m_samples.size()); }

    // When the first sample above -40 dBFS at or after `from` reached the sink, or -1.
    qint64 firstSoundNs(qint64 from) const
    {
        for (qint64 i = from; i < recorded(); ++i) {
            if (std::abs(m_samples[std::size_t(i)]) < 328)
                continue;
            const auto block = std::upper_bound(m_blocks.begin(), m_blocks.end(), i,
                                                [](qint64 n, const Block& b) { return n < b.end; });
            return block->atNs - (block->end - i) * 1000000000 / kRate;
        }
        return -1;
    }

private:
    void read()
    {
        m_pending += m_parec.readAllStandardOutput();
        const qsizetype whole = m_pending.size() / 2 * 2;
        const std::size_t old = m_samples.size();
        m_samples.resize(old + std::size_t(whole / 2));
        std::memcpy(m_samples.data() + old, m_pending.constData(), std::size_t(whole));
        m_pending.remove(0, whole);
        m_blocks.push_back({recorded(), m_clock.nsecsElapsed()});
    }

    const QElapsedTimer& m_clock;
    QProcess m_parec;
    QByteArray m_pending;
    std::vector<qint16> m_samples;
    std::vector<Block> m_blocks;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QElapsedTimer clock;
    clock.start();
    Recorder recorder(clock);
    const std::unique_ptr<AudioOutput> output = openSystemAudioOutput();
    const CueStream chime(u"SysPingPong"_s);
    output->prepareCue(chime.clip());

    std::vector<double> afterQuiet, whileOpen;
    // Plays the chime and notes when the sink got it, once it has sounded.
    const auto measure = [&](std::vector<double>& into) {
        const qint64 from = recorder.recorded();
        const qint64 startNs = clock.nsecsElapsed();
        output->playCue(chime.clip());
        QTimer::singleShot(kListenMs, [&, from, startNs] {
            const qint64 heard = recorder.firstSoundNs(from);
            if (heard >= 0)
                into.push_back(double(heard - startNs) / 1e6);
        });
    };
    for (int round = 0; round < kRounds; ++round) {
        const int at = round * (kQuietMs + kSoonMs + 2 * kListenMs);
        QTimer::singleShot(at + kQuietMs, [&] { measure(afterQuiet); });
        QTimer::singleShot(at + kQuietMs + kSoonMs, [&] { measure(whileOpen); });
    }
    QTimer::singleShot(kRounds * (kQuietMs + kSoonMs + 2 * kListenMs) + kListenMs, &application,
                       &QCoreApplication::quit);
    application.exec();

    if (afterQuiet.empty() || whileOpen.empty()) {
        std::puts("first sound: nothing reached the sink");
        return 1;
    }
    std::printf("Cue play -> heard at the sink (median / max of %zu)\n", afterQuiet.size());
    std::printf("  after %.1f s of quiet (device closed)  %5.1f / %5.1f ms\n", kQuietMs / 1000.0,
                median(afterQuiet), *std::max_element(afterQuiet.begin(), afterQuiet.end()));
    std::printf("  %.1f s after a sound (device open)      %5.1f / %5.1f ms\n", kSoonMs / 1000.0,
                median(whileOpen), *std::max_element(whileOpen.begin(), whileOpen.end()));
    return 0;
}
