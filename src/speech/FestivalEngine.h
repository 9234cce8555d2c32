#pragma once

#include "speech/SpeechEngine.h"

namespace vocarin {

// Festival's HTS voice slt (US English, 32 kHz). Every Festival call is made
// on one thread of its own, kept for the process. start() only checks that
// Festival and the voice are installed; the thread starts, and loads Festival
// and the voice (about 0.1 s and 30 MB), at the first synthesize(), since the
// voice is not the default one.
class FestivalEngine : public SpeechEngine
{
public:
    // `voiceFile` is where the voice must be found for the engine to start:
    // the installed voice by default; tests name a missing one.
    explicit FestivalEngine(QString voiceFile = installedVoiceFile());
    static QString installedVoiceFile();

    void start() override;
    QStringList voices() const override;
    // Waits for Festival's thread; on the thread running Qt's event loop,
    // events other than user input are handled meanwhile, as during speech.
    AudioClip synthesize(int voice, const QString& text, double rate) override;

private:
    QString m_voiceFile;
};

} // namespace vocarin
