#pragma once

#include <QStringList>

namespace vocarin {

class VoiceCollection;

// KeyVoice when the preferred voice is not installed.
inline constexpr qint32 kNoPreferredVoice = 999;

// The voices chosen at start-up, best first: the first one installed is
// chosen. On Windows, the system's US English voice where it is installed
// (English Windows, or the English speech pack); then ours, the clearest of
// the English voices by bench_intelligibility (words recognised by
// pocketsphinx, docs/measured.md).
inline QStringList preferredVoiceDescriptions()
{
    QStringList descriptions;
#ifdef Q_OS_WIN
    descriptions << QStringLiteral("Microsoft Zira Desktop - English (United States)");
#endif
    descriptions << QStringLiteral("Flite rms - English (United States)");
    return descriptions;
}

// The best of them.
inline QString preferredVoiceDescription()
{
    return preferredVoiceDescriptions().first();
}

// Shown at start-up when there is no voice at all; the program then ends.
QString noVoiceMessage();

// The index of the voice described exactly (case and spaces count) as the
// best preferred voice installed, the last one when several are; 999 when
// there is none.
qint32 findPreferredVoice(const VoiceCollection& voices);

// What the voice list of the main window offers at start-up.
struct VoiceList
{
    // One entry a voice, in the collection's order.
    QStringList descriptions;
    // The entry to select: the preferred voice, or none.
    qint32 KeyVoice = kNoPreferredVoice;
};

VoiceList listVoices(const VoiceCollection& voices);

} // namespace vocarin
