#pragma once

#include "speech/AudioClip.h"

#include <QByteArray>
#include <QString>

namespace vocarin {

// A recording's sound, or why it cannot be played.
struct DecodedRecording
{
    AudioClip clip; // mono, at the file's own rate; empty with a fault
    QString fault;  // empty when decoded; otherwise the reason, in Japanese
    bool decoded() const { return fault.isEmpty(); }
};

// No word's recording comes near these; larger files are refused unread.
inline constexpr qint64 kMaxRecordingBytes = 20 * 1024 * 1024;
inline constexpr int kMaxRecordingSeconds = 60;

// The sound of a WAV, FLAC, Ogg (Vorbis or Opus) or MP3 file image, the
// channels mixed to one. Anything else, a damaged file, one longer than
// kMaxRecordingSeconds or one with nothing above silence is a fault.
DecodedRecording decodeRecording(const QByteArray& bytes);

// The same for a file, refused when it is larger than kMaxRecordingBytes.
DecodedRecording readRecording(const QString& path);

} // namespace vocarin
