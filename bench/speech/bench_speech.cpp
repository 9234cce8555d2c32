// Prints how quickly the program reacts with sound:
//  - Speak call -> its clip (first non-silent sample included) handed to the
//    mixer, per voice, for single words (target: <= 30 ms with slt);
//  - the conversion to the device format that the real output adds to that;
//  - cue play call -> samples in the mixer (target: <= 2 ms).
#include "speech/AudioConvert.h"
#include "speech/AudioMixer.h"
#include "speech/CaptureSink.h"
#include "speech/CueSounds.h"
#include "speech/SdlAudioOutput.h"
#include "speech/SpVoice.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>

using namespace vocarin;
using Clock = std::chrono::steady_clock;

namespace {

const QStringList kWords = {
    QStringLiteral("apple"),    QStringLiteral("environment"), QStringLiteral("cat"),
    QStringLiteral("No!"),      QStringLiteral("Excellent!"),  QStringLiteral("vocabulary"),
    QStringLiteral("strength"), QStringLiteral("Bingo!"),
};
constexpr int kRounds = 5;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Figures
{
    double median;
    double max;
};

Figures summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// Time from the start of the clip to its first sample at 1% of its peak.
double leadMs(const AudioClip& clip)
{
    float peak = 0;
    for (float s : clip.samples)
        peak = std::max(peak, std::abs(s));
    const auto first = std::find_if(clip.samples.begin(), clip.samples.end(),
                                    [peak](float s) { return std::abs(s) >= peak * 0.01f; });
    return double(first - clip.samples.begin()) * 1000 / clip.sampleRate;
}

void speakLatency()
{
    CaptureSink sink;
    SpVoice voice(sink);
    const VoiceCollection voices = voice.GetVoices();
    std::printf("Speak -> first non-silent sample handed to the mixer (%d words x %d rounds)\n",
                int(kWords.size()), kRounds);
    std::printf("  %-70s %8s %8s %8s %10s\n", "voice", "median", "max", "lead", "to 48k st");
    for (qint32 v = 0; v < voices.Count(); ++v) {
        voice.setVoice(voices.Item(v));
        voice.Speak(QStringLiteral("warm up"), 0);
        std::vector<double> handed, lead, convert;
        for (int round = 0; round < kRounds; ++round)
            for (const QString& word : kWords) {
                sink.clear();
                const auto start = Clock::now();
                voice.Speak(word, 0);
                const CaptureSink::Capture& capture = sink.captures().at(0);
                handed.push_back(ms(capture.handedAt - start));
                lead.push_back(leadMs(*capture.clip));
                const auto t = Clock::now();
                convertClip(*capture.clip, 48000, 2);
                convert.push_back(ms(Clock::now() - t));
            }
        const Figures h = summarise(handed), l = summarise(lead), c = summarise(convert);
        std::printf("  %-70s %6.1fms %6.1fms %6.1fms %8.2fms\n",
                    qPrintable(voices.Item(v).GetDescription()), h.median, h.max, l.max, c.median);
    }
    std::printf("  (lead: silence kept before the word, max; to 48k st: the real output's "
                "conversion, added on top)\n\n");
}

void cueLatency()
{
    const CueStream cues[] = {CueStream(QStringLiteral("SysPu")),
                              CueStream(QStringLiteral("Sysbubuu")),
                              CueStream(QStringLiteral("SysPingPong"))};
    std::printf("Cue play -> samples in the mixer\n");
    for (const CueStream& cue : cues) {
        const auto t = Clock::now();
        convertClip(*cue.clip(), 48000, 2);
        std::printf("  conversion to 48 kHz stereo, done once at load: %.2f ms (%d frames)\n",
                    ms(Clock::now() - t), cue.clip()->frames());
    }

    std::vector<double> played;
    if (auto device = SdlAudioOutput::open()) {
        for (const CueStream& cue : cues)
            device->prepareCue(cue.clip());
        for (int i = 0; i < 300; ++i) {
            const auto t = Clock::now();
            device->playCue(cues[i % 3].clip());
            played.push_back(ms(Clock::now() - t));
        }
        device->stopAll();
        std::printf("  on the audio device: ");
    } else {
        // No sound card: the same hand-over the device does, lock included.
        AudioMixer mixer(2);
        std::mutex lock;
        const std::shared_ptr<const AudioClip> ready[] = {
            std::make_shared<const AudioClip>(convertClip(*cues[0].clip(), 48000, 2)),
            std::make_shared<const AudioClip>(convertClip(*cues[1].clip(), 48000, 2)),
            std::make_shared<const AudioClip>(convertClip(*cues[2].clip(), 48000, 2))};
        for (int i = 0; i < 300; ++i) {
            const auto t = Clock::now();
            const std::lock_guard guard(lock);
            mixer.setCue(ready[i % 3]);
            played.push_back(ms(Clock::now() - t));
        }
        std::printf("  no audio device here; mixer hand-over: ");
    }
    const Figures f = summarise(played);
    std::printf("median %.4f ms, max %.4f ms (target <= 2 ms)\n", f.median, f.max);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    speakLatency();
    cueLatency();
    return 0;
}
