// Writes each English word read from standard input (one a line) as a WAV
// file, 16-bit mono at the voice's own rate, trimmed and levelled exactly as
// the program hands it to the mixer: a way to listen to and measure what
// learners hear.
#include "core/Fault.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "testing/CaptureSink.h"
#include "testing/WaveFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

using namespace vocarin;

namespace {

// Letters, digits, spaces, hyphens and apostrophes stay; anything else, path
// separators included, becomes "_". Long lines are cut to fit a file name.
QString fileNameFor(const QString& word)
{
    QString name = word.trimmed().left(100);
    for (QChar& c : name)
        if (!c.isLetterOrNumber() && c != u' ' && c != u'-' && c != u'\'')
            c = u'_';
    return name + u".wav";
}

int run(const QCommandLineParser& args, SpVoice& voice, CaptureSink& sink)
{
    const VoiceCollection voices = voice.GetVoices();
    QTextStream out(stdout);
    if (args.isSet(QStringLiteral("list"))) {
        for (qint32 i = 0; i < voices.Count(); ++i)
            out << voices.Item(i).GetDescription() << Qt::endl;
        return 0;
    }
    if (args.positionalArguments().size() != 1) {
        std::fputs(qPrintable(args.helpText()), stderr);
        return 2;
    }
    const QDir folder(args.positionalArguments().constFirst());
    if (!folder.exists()) {
        std::fprintf(stderr, "vocarin-say: no folder %s\n", qPrintable(folder.path()));
        return 2;
    }
    if (args.isSet(QStringLiteral("voice"))) {
        const QString wanted = args.value(QStringLiteral("voice"));
        qint32 i = 0;
        while (i < voices.Count() && voices.Item(i).GetDescription() != wanted)
            ++i;
        if (i == voices.Count()) {
            std::fprintf(stderr, "vocarin-say: no voice \"%s\" (see --list)\n", qPrintable(wanted));
            return 2;
        }
        voice.setVoice(voices.Item(i));
    } else if (const qint32 preferred = findPreferredVoice(voices);
               preferred != kNoPreferredVoice) {
        voice.setVoice(voices.Item(preferred)); // as the program starts
    }
    if (args.isSet(QStringLiteral("rate"))) {
        bool ok = false;
        const double rate = args.value(QStringLiteral("rate")).toDouble(&ok);
        if (!ok || rate <= 0) {
            std::fprintf(stderr, "vocarin-say: the rate must be a number above 0\n");
            return 2;
        }
        voice.setRate(rate);
    }

    QTextStream in(stdin);
    QString word;
    while (in.readLineInto(&word)) {
        if (word.trimmed().isEmpty())
            continue;
        sink.clear();
        voice.Speak(word, 0);
        if (sink.captures().empty()) {
            std::fprintf(stderr, "vocarin-say: \"%s\" gives no sound\n", qPrintable(word));
            continue;
        }
        const AudioClip& clip = *sink.captures().back().clip;
        QFile file(folder.filePath(fileNameFor(word)));
        const QByteArray image =
            waveImage({1, 1, quint32(clip.sampleRate), 16, false}, pcm16(clip.samples));
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
            std::fprintf(stderr, "vocarin-say: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
        out << file.fileName() << u'\t' << clip.durationMs() << QStringLiteral(" ms") << Qt::endl;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral(
        "Speaks the words on standard input, one a line, into WAV files in FOLDER."));
    args.addHelpOption();
    args.addOption({QStringLiteral("voice"),
                    QStringLiteral("The voice, by its description; the program's default voice "
                                   "when not given."),
                    QStringLiteral("description")});
    args.addOption({QStringLiteral("rate"),
                    QStringLiteral("Speaking rate: 1 is the voice's own, 0.6 slower."),
                    QStringLiteral("R")});
    args.addOption({QStringLiteral("list"), QStringLiteral("Lists the voices' descriptions.")});
    args.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("Where the files go."));
    args.process(app);

    CaptureSink sink;
    try {
        SpVoice voice(sink);
        return run(args, voice, sink);
    } catch (const Fault& fault) {
        std::fprintf(stderr, "vocarin-say: %s\n", fault.what());
        return 1;
    }
}
