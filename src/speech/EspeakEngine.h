#pragma once

#include "speech/SpeechEngine.h"

#include <QByteArray>

#include <vector>

namespace vocarin {

// espeak-ng's English voices, in espeak-ng's own order. espeak-ng keeps one
// state per process; it is initialised for the first word it speaks and kept.
class EspeakEngine : public SpeechEngine
{
public:
    void start() override;
    QStringList voices() const override;
    AudioClip synthesize(int voice, const QString& text, double rate) override;

private:
    struct Voice
    {
        QByteArray identifier;
        QString description;
    };
    std::vector<Voice> m_voices;
};

} // namespace vocarin
