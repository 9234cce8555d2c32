// Prints how quickly the program reacts with sound:
//  - Speak call -> its first non-silent sample (-60 dBFS) handed to the mixer,
//    per voice, for single words (target: <= 30 ms median with the default
//    voice), the silence before the word (target: <= 20 ms) and the level
//    (target: all voices within 3 dB);
//  - the conversion to the device format that the real output adds to that;
//  - cue play call -> samples in the mixer (target: <= 2 ms).
#include "ClipMeasures.h"

#include "speech/AudioConvert.h"
#include "speech/AudioMixer.h"
#include "speech/CueSounds.h"
#include "speech/SdlAudioOutput.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "testing/CaptureSink.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>

using namespace vocarin;
using namespace vocarin::bench;
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

void speakLatency()
{
    CaptureSink sink;
    SpVoice voice(sink);
    const VoiceCollection voices = voice.GetVoices();
    const qint32 preferred = findPreferredVoice(voices);
    if (preferred != 999) {
        // Its engine's loading has only just begun, as at the program's start.
        voice.setVoice(voices.Item(preferred));
        const auto start = Clock::now();
        voice.Speak(QStringLiteral("apple"), 0);
        std::printf("First word of the default voice right after the voice object is made: "
                    "%.0f ms (loading included; the program needs it only after the course "
                    "dialog)\n",
                    ms(sink.captures().at(0).handedAt - start));
    }
    std::printf("Speak -> first non-silent sample (-60 dBFS) handed to the mixer (%d words x %d "
                "rounds); * the default voice\n",
                int(kWords.size()), kRounds);
    std::printf("  %-72s %8s %8s %8s %8s %10s\n", "voice", "median", "max", "lead", "RMS",
                "to 48k st");
    for (qint32 v = 0; v < voices.Count(); ++v) {
        voice.setVoice(voices.Item(v));
        voice.Speak(QStringLiteral("warm up"), 0);
        std::vector<double> handed, lead, level, convert;
        for (int round = 0; round < kRounds; ++round)
            for (const QString& word : kWords) {
                sink.clear();
                const auto start = Clock::now();
                voice.Speak(word, 0);
                const CaptureSink::Capture& capture = sink.captures().at(0);
                lead.push_back(leadMs(*capture.clip));
                handed.push_back(ms(capture.handedAt - start) + lead.back());
                level.push_back(rmsDb(*capture.clip));
                const auto t = Clock::now();
                convertClip(*capture.clip, 48000, 2);
                convert.push_back(ms(Clock::now() - t));
            }
        const Figures h = summarise(handed), l = summarise(lead), r = summarise(level),
                      c = summarise(convert);
        std::printf("  %c %-70s %6.1fms %6.1fms %6.1fms %6.1fdB %8.2fms\n",
                    v == preferred ? '*' : ' ', qPrintable(voices.Item(v).GetDescription()),
                    h.median, h.max, l.max, r.median, c.median);
    }
    std::printf("  (lead: silence before the word, max, included in the times; RMS: median "
                "level; to 48k st: the real output's conversion, added on top)\n\n");
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
