#pragma once

// Sound files as a teacher's recorder or editor saves them, made with
// Debian's sox (MP3 through its LAME module).

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace vocarin::testkit {

// The file sox writes for `effects` (after "synth ..."), at 22.05 kHz mono,
// in the format of `extension`; empty when sox fails.
inline QByteArray soxFile(const QString& extension, const QStringList& effects,
                          const QStringList& format = {QStringLiteral("-r"),
                                                       QStringLiteral("22050"),
                                                       QStringLiteral("-c"), QStringLiteral("1")})
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("made.") + extension);
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              QStringList{QStringLiteral("-n")} + format + QStringList{path} + effects);
    if (!sox.waitForFinished() || sox.exitCode() != 0) {
        qWarning("sox: %s", sox.readAllStandardError().constData());
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A rising sweep from 300 to 3000 Hz of kSweepMs at -26 dBFS, between 200 ms
// of silence before and 300 ms after: a recording no voice would make, quieter
// than the voices, with room to trim.
inline constexpr int kSweepMs = 500;
inline QByteArray sweepFile(const QString& extension)
{
    return soxFile(extension, {QStringLiteral("synth"), QString::number(kSweepMs / 1000.0),
                               QStringLiteral("sine"), QStringLiteral("300-3000"),
                               QStringLiteral("vol"), QStringLiteral("0.05"), QStringLiteral("pad"),
                               QStringLiteral("0.2"), QStringLiteral("0.3")});
}

// A steady tone of `hz` for `seconds`, at -6 dBFS.
inline QByteArray toneFile(const QString& extension, int hz, double seconds)
{
    return soxFile(extension,
                   {QStringLiteral("synth"), QString::number(seconds), QStringLiteral("sine"),
                    QString::number(hz), QStringLiteral("vol"), QStringLiteral("0.5")});
}

} // namespace vocarin::testkit
