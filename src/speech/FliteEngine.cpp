#include "speech/FliteEngine.h"

#include "course/Fault.h"

#include <flite/flite.h>

extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_rms(const char* voxdir);
cst_voice* register_cmu_us_kal16(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
}

namespace vocarin {

namespace {

struct FliteVoice
{
    const char* name;
    cst_voice* (*registerVoice)(const char*);
};

// All four run on flite's US English front end (lexicon and phone set), awb's
// Scottish timbre included, so each is described as US English.
constexpr FliteVoice kVoices[] = {
    {"slt", register_cmu_us_slt},
    {"rms", register_cmu_us_rms},
    {"kal16", register_cmu_us_kal16},
    {"awb", register_cmu_us_awb},
};

// flite keeps each registered voice in a global of its own, shared by every
// caller: voices are registered once per process and never released.
const std::array<cst_voice*, 4>& registeredVoices()
{
    static const std::array<cst_voice*, 4> voices = [] {
        flite_init();
        std::array<cst_voice*, 4> out{};
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = kVoices[i].registerVoice(nullptr);
        return out;
    }();
    return voices;
}

} // namespace

void FliteEngine::start()
{
    m_voices = registeredVoices();
    for (std::size_t i = 0; i < m_voices.size(); ++i)
        if (!m_voices[i])
            throw Fault(QStringLiteral("Flite の声 %1 を開始できません")
                            .arg(QLatin1StringView(kVoices[i].name)));
}

QStringList FliteEngine::voices() const
{
    QStringList out;
    for (const FliteVoice& voice : kVoices)
        out << QStringLiteral("Flite %1 - English (United States)")
                   .arg(QLatin1StringView(voice.name));
    return out;
}

AudioClip FliteEngine::synthesize(int voice, const QString& text, double rate)
{
    cst_voice* v = m_voices.at(std::size_t(voice));
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
