// Prints how soon a question is heard when its word has a recording: from the
// question's start (Next) to the recording's first sound (-60 dBFS) handed to
// the mixer, for a 1-second MP3 (target: <= 30 ms median, as for the voices),
// plus the conversion to the device format that the real output adds; for a
// small MP3 as the bundled example has them and for one as recorders save them.
#include "ClipMeasures.h"
#include "NoBoard.h"

#include "course/StringList.h"
#include "exercise/Exercise.h"
#include "exercise/RandomSource.h"
#include "speech/AudioConvert.h"
#include "speech/CourseSpeaker.h"
#include "speech/SpVoice.h"
#include "testing/CaptureSink.h"
#include "testing/ToneEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace vocarin;
using namespace vocarin::bench;
using namespace Qt::StringLiterals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWords = 40;

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void writeLines(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write("\xEF\xBB\xBF" + lines.join(u"\r\n"_s).toUtf8() + "\r\n");
}

// A course of kWords words in the working folder, each with a copy of a
// 1-second MP3 that sox makes with `format` (rate, channels, bit rate): a
// 0.9-second sweep after 50 ms of silence.
bool writeCourse(const QStringList& format)
{
    QStringList words, meanings;
    for (int i = 0; i < kWords; ++i) {
        words << u"word%1"_s.arg(i, 2, 10, QChar(u'0'));
        meanings << u"意味%1"_s.arg(i);
    }
    writeLines(u"Option.txt"_s, {u"録音"_s, u"w"_s, u"mp3"_s, u"4"_s});
    writeLines(u"wE.txt"_s, words);
    writeLines(u"wJ.txt"_s, meanings);
    QDir().mkpath(u"sounds"_s);
    const QString first = u"sounds/"_s + words.first() + u".mp3"_s;
    QFile::remove(first);
    if (QProcess::execute(u"sox"_s,
                          QStringList{u"-n"_s} + format +
                              QStringList{first, u"synth"_s, u"0.9"_s, u"sine"_s, u"200-2000"_s,
                                          u"pad"_s, u"0.05"_s, u"0.05"_s}) != 0)
        return false;
    for (const QString& word : words.mid(1)) {
        QFile::remove(u"sounds/"_s + word + u".mp3"_s);
        QFile::copy(first, u"sounds/"_s + word + u".mp3"_s);
    }
    return true;
}

void questionToSound(const char* label, const QStringList& format)
{
    if (!writeCourse(format)) {
        std::printf("  %s: sox could not make the MP3\n", label);
        return;
    }
    CaptureSink sink;
    std::vector<std::unique_ptr<SpeechEngine>> engines;
    engines.push_back(std::make_unique<ToneEngine>());
    SpVoice voice(sink, std::move(engines));
    CourseSpeaker speaker(voice, sink, [](const QString& text) {
        qFatal("unexpected message: %s", qPrintable(text));
    });
    NoBoard board;
    NoCues cues;
    ClockSeededRandom random;
    Exercise exercise(board, speaker, cues, random, QDir::current());
    exercise.InitialGame(u".\\"_s); // the first question, warming up

    std::vector<double> heard, converted;
    for (int question = 2; question <= kWords; ++question) {
        sink.clear();
        const auto start = Clock::now();
        exercise.btnNextClick();
        const CaptureSink::Capture& capture = sink.captures().at(0);
        heard.push_back(ms(capture.handedAt - start) + leadMs(*capture.clip));
        const auto t = Clock::now();
        convertClip(*capture.clip, 48000, 2);
        converted.push_back(heard.back() + ms(Clock::now() - t));
    }
    std::sort(heard.begin(), heard.end());
    std::sort(converted.begin(), converted.end());
    std::printf("  %-44s median %5.1f ms, max %5.1f ms; with the conversion to 48 kHz stereo "
                "median %5.1f ms, max %5.1f ms (%d questions)\n",
                label, heard[heard.size() / 2], heard.back(), converted[converted.size() / 2],
                converted.back(), int(heard.size()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path()))
        qFatal("cannot make a working folder");
    std::printf("Question start (Next) -> the recording's first sound (-60 dBFS) handed to the "
                "mixer, 1-second MP3 (target <= 30 ms median)\n");
    questionToSound("16 kHz mono, 24 kbit/s (as the example's)",
                    {u"-r"_s, u"16000"_s, u"-c"_s, u"1"_s, u"-C"_s, u"24"_s});
    questionToSound("44.1 kHz stereo, 128 kbit/s (as recorders save)",
                    {u"-r"_s, u"44100"_s, u"-c"_s, u"2"_s, u"-C"_s, u"128"_s});
    return 0;
}
