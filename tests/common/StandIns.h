#pragma once

// The one stand-in platform of the tests that run the real windows: a capture
// sink for the sound device, tone voices for the speech engines and a
// fixed-seed generator. The sink and the voices outlive the program run, for
// the test to look at afterwards; the program gets forwarders to them.

#include "app/Platform.h"
#include "exercise/RandomSource.h"
#include "testing/CaptureSink.h"
#include "testing/ToneEngine.h"

#include <QStringList>

#include <memory>
#include <random>

namespace vocarin::testkit {

class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(unsigned seed = 20240611) : m_engine(seed) {}
    qint32 Random(qint32 n) override
    {
        return std::uniform_int_distribution<qint32>(0, n - 1)(m_engine);
    }

private:
    std::mt19937 m_engine;
};

struct Made
{
    std::unique_ptr<CaptureSink> sink; // null with the system's own output
    std::unique_ptr<ToneEngine> tones;
};

class SinkForwarder : public AudioOutput
{
public:
    explicit SinkForwarder(CaptureSink& sink) : m_sink(sink)
    {
        connect(&sink, &AudioOutput::speechFinished, this, &AudioOutput::speechFinished);
    }
    void prepareCue(const std::shared_ptr<const AudioClip>& clip) override
    {
        m_sink.prepareCue(clip);
    }
    void playCue(std::shared_ptr<const AudioClip> clip) override
    {
        m_sink.playCue(std::move(clip));
    }
    void playSpeech(std::shared_ptr<const AudioClip> clip) override
    {
        m_sink.playSpeech(std::move(clip));
    }
    bool isSpeechPlaying() const override { return m_sink.isSpeechPlaying(); }
    void stopAll() override { m_sink.stopAll(); }
    void openInBackground() override { m_sink.openInBackground(); }

private:
    CaptureSink& m_sink;
};

class EngineForwarder : public SpeechEngine
{
public:
    explicit EngineForwarder(SpeechEngine& engine) : m_engine(engine) {}
    void start() override { m_engine.start(); }
    QStringList voices() const override { return m_engine.voices(); }
    AudioClip synthesize(int voice, const QString& text, double rate) override
    {
        return m_engine.synthesize(voice, text, rate);
    }

private:
    SpeechEngine& m_engine;
};

// Tones: the tone voices. NoVoices: an engine with none. Broken: only an engine
// that cannot start. BrokenThenTones: that one, then the tone voices.
enum class Engines { Tones, NoVoices, Broken, BrokenThenTones };

struct StandInOptions
{
    QStringList voices{QStringLiteral("Tone A - English"), QStringLiteral("Tone B - English")};
    Engines engines = Engines::Tones;
    bool autoAdvance = true; // speech ends at once, or when the test moves the sink's clock
    unsigned seed = 20240611;
    bool systemAudio = false; // the system's own output instead of the sink
};

inline Platform standInPlatform(Made& made, StandInOptions options = {})
{
    return Platform{
        .openAudioOutput = [&made, options]() -> std::unique_ptr<AudioOutput> {
            if (options.systemAudio)
                return openSystemAudioOutput();
            made.sink = std::make_unique<CaptureSink>(options.autoAdvance);
            return std::make_unique<SinkForwarder>(*made.sink);
        },
        .speechEngines =
            [&made, options] {
                std::vector<std::unique_ptr<SpeechEngine>> list;
                if (options.engines == Engines::Broken ||
                    options.engines == Engines::BrokenThenTones)
                    list.push_back(std::make_unique<BrokenEngine>());
                if (options.engines == Engines::Broken)
                    return list;
                made.tones = std::make_unique<ToneEngine>(
                    options.engines == Engines::NoVoices ? QStringList{} : options.voices, 5);
                list.push_back(std::make_unique<EngineForwarder>(*made.tones));
                return list;
            },
        .makeRandom = [seed = options.seed] { return std::make_unique<SeededRandom>(seed); },
    };
}

} // namespace vocarin::testkit
