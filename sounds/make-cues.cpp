// Writes the three answer cues into the folder given as the argument. Run by
// hand when the sounds change; the .wav files it makes are kept in the repo.
#include "testing/WaveFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

using namespace vocarin;

namespace {

constexpr double kTau = 2 * std::numbers::pi;

std::vector<float> render(int frames, int rate, const std::function<double(double)>& wave,
                          double peak)
{
    std::vector<float> out(std::size_t(frames), 0.0f);
    double max = 0;
    for (int i = 0; i < frames; ++i) {
        out[std::size_t(i)] = float(wave(double(i) / rate));
        max = std::max(max, double(std::abs(out[std::size_t(i)])));
    }
    for (float& s : out)
        s = float(s * peak / max);
    return out;
}

// Rises over `ms` from t0, so no note starts with a click.
double attack(double t, double t0, double ms)
{
    return std::clamp((t - t0) * 1000 / ms, 0.0, 1.0);
}

std::vector<float> interleaveTwice(const std::vector<float>& mono)
{
    std::vector<float> out;
    for (float s : mono)
        out.insert(out.end(), {s, s});
    return out;
}

QByteArray floatData(const std::vector<float>& samples)
{
    return QByteArray(reinterpret_cast<const char*>(samples.data()),
                      qsizetype(samples.size() * sizeof(float)));
}

// Click: a soft 525 Hz tone fading linearly to silence.
QByteArray pu()
{
    constexpr int rate = 6000, frames = 1425;
    const double length = double(frames) / rate;
    const auto samples = render(
        frames, rate,
        [length](double t) {
            return attack(t, 0, 3) * (1 - t / length) * std::sin(kTau * 525 * t);
        },
        0.2);
    return waveImage({1, 1, rate, 16, false}, pcm16(samples));
}

// Buzzer: two low buzzes (odd harmonics of 165 Hz) with a short gap between.
QByteArray bubuu()
{
    constexpr int rate = 22050, frames = 5878;
    const double end = double(frames) / rate;
    const auto buzz = [](double t) {
        double s = 0;
        for (int k = 1; k <= 9; k += 2)
            s += std::sin(kTau * 165 * k * t) / k;
        return s;
    };
    const auto gate = [end](double t) {
        if (t < 0.09)
            return std::min(attack(t, 0, 5), attack(0.09, t, 5));
        if (t < 0.13)
            return 0.0;
        return std::min(attack(t, 0.13, 5), attack(end, t, 5));
    };
    const auto samples = render(
        frames, rate, [&](double t) { return gate(t) * buzz(t); }, 2.0 / 3);
    const QByteArray xmp =
        "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
        "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'><rdf:Description "
        "xmlns:dc='http://purl.org/dc/elements/1.1/' dc:title='Sysbubuu'/></rdf:RDF>"
        "</x:xmpmeta><?xpacket end='r'?>!";
    return waveImage({3, 1, rate, 32, true}, floatData(samples), {{"_PMX", xmp}});
}

// Chime: 875 Hz, then 700 Hz from 0.15 s, each decaying.
QByteArray pingPong()
{
    constexpr int rate = 44100, frames = 21023;
    const double end = double(frames) / rate;
    const auto note = [](double t, double t0, double hz, double decay) {
        if (t < t0)
            return 0.0;
        const double u = t - t0;
        return attack(t, t0, 2) * std::exp(-u / decay) *
               (std::sin(kTau * hz * u) + 0.25 * std::sin(kTau * 2 * hz * u));
    };
    const auto samples = render(
        frames, rate,
        [&](double t) {
            return attack(end, t, 10) * (note(t, 0, 875, 0.12) + note(t, 0.15, 700, 0.14));
        },
        0.4);
    const QByteArray info = "INFO" + riffChunk("ISFT", QByteArrayLiteral("Vocarin make-cues\0"));
    return waveImage({1, 2, rate, 16, true}, pcm16(interleaveTwice(samples)), {{"LIST", info}});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make_cues <folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::pair<const char*, QByteArray> cues[] = {
        {"SysPu.wav", pu()}, {"Sysbubuu.wav", bubuu()}, {"SysPingPong.wav", pingPong()}};
    for (const auto& [name, image] : cues) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
            std::fprintf(stderr, "make_cues: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
