#pragma once

#include <QStringList>

namespace vocarin {

class VoiceCollection;

// KeyVoice when the preferred voice is not installed.
inline constexpr qint32 kNoPreferredVoice = 999;

// Our default voice: the clearest of the installed English voices by
// bench_intelligibility (words recognised by pocketsphinx, docs/measured.md).
inline const QString preferredVoiceDescription()
{
    return QStringLiteral("Flite rms - English (United States)");
}

// Shown at start-up when there is no voice at all; the program then ends.
QString noVoiceMessage();

// The index of the voice described exactly (case and spaces count) as the
// preferred voice, the last one when several are; 999 when there is none.
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
