#include "speech/FliteEngine.h"

#include "core/Fault.h"

#include <flite/flite.h>

#include <QLibrary>

#include <array>
#include <iterator>
#include <mutex>

namespace vocarin {

namespace {

// All four run on flite's US English front end (lexicon and phone set), awb's
// Scottish timbre included, so each is described as US English.
constexpr const char* kVoices[] = {"slt", "rms", "kal16", "awb"};

// Each voice is a library of its own, with some 40,000 addresses to relocate
// as it loads: a voice is loaded when it first speaks, not at start-up.
// flite keeps each registered voice in a global of its own, shared by every
// caller: voices are registered once per process and never released.
cst_voice* registeredVoice(std::size_t index)
{
    static std::mutex registering;
    static std::array<cst_voice*, std::size(kVoices)> voices{};
    const std::lock_guard lock(registering);
    if (!voices.at(index)) {
        const QString name = QLatin1StringView(kVoices[index]);
        QLibrary library(QStringLiteral("flite_cmu_us_") + name, 1);
        using Register = cst_voice* (*)(const char*);
        const auto registerVoice = reinterpret_cast<Register>(
            library.resolve(QStringLiteral("register_cmu_us_%1").arg(name).toLatin1().constData()));
        if (!registerVoice || !(voices[index] = registerVoice(nullptr)))
            throw Fault(QStringLiteral("Flite の声 %1 を開始できません").arg(name));
    }
    return voices[index];
}

} // namespace

void FliteEngine::start()
{
    static std::once_flag initialised;
    std::call_once(initialised, flite_init);
}

QStringList FliteEngine::voices() const
{
    QStringList out;
    for (const char* name : kVoices)
        out << QStringLiteral("Flite %1 - English (United States)").arg(QLatin1StringView(name));
    return out;
}

AudioClip FliteEngine::synthesize(int voice, const QString& text, double rate)
{
    cst_voice* v = registeredVoice(std::size_t(voice));
    feat_set_float(v->features, "duration_stretch", float(1.0 / rate));
    cst_wave* wave = flite_text_to_wave(text.toUtf8().constData(), v);
    if (!wave)
        throw Fault(QStringLiteral("Flite が \"%1\" を音声にできません").arg(text));
    AudioClip clip;
    clip.sampleRate = wave->sample_rate;
    clip.channels = 1;
    const int count = wave->num_samples * wave->num_channels;
    clip.samples.reserve(std::size_t(count));
    for (int i = 0; i < count; i += wave->num_channels)
        clip.samples.push_back(float(wave->samples[i]) / 32768.0f);
    delete_wave(wave);
    return clip;
}

} // namespace vocarin
