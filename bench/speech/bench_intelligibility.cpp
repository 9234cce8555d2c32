// How clearly each voice speaks single words, as the program hands them to the
// mixer: every word of words.txt is spoken by every voice, and pocketsphinx
// (its US English model, trained on human speech: a proxy for a learner's ear)
// tries to recognise it twice: with its whole vocabulary and language model
// ("open"), and with a grammar of the list's words only ("closed"). Also the
// silence before each word (first sample at -60 dBFS) and the level.
// Usage: bench_intelligibility [words.txt]
#include "ClipMeasures.h"

#include "speech/AudioConvert.h"
#include "speech/SpVoice.h"
#include "testing/CaptureSink.h"
#include "testing/WaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace vocarin;
using namespace vocarin::bench;

namespace {

const QString kModel = QStringLiteral("/usr/share/pocketsphinx/model/en-us");

QStringList readWords(const QString& path)
{
    QFile file(path);
    QStringList words;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return words;
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line))
        if (!line.trimmed().isEmpty())
            words << line.trimmed();
    return words;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Starts pocketsphinx_batch over the control file; the hypotheses go to `hyp`.
void startRecogniser(QProcess& process, const QString& folder, const QString& control,
                     const QString& hyp, const QStringList& model)
{
    process.start(
        QStringLiteral("pocketsphinx_batch"),
        QStringList{QStringLiteral("-hmm"), kModel + QStringLiteral("/en-us"),
                    QStringLiteral("-dict"), kModel + QStringLiteral("/cmudict-en-us.dict"),
                    QStringLiteral("-ctl"), control, QStringLiteral("-cepdir"), folder,
                    QStringLiteral("-cepext"), QStringLiteral(".wav"), QStringLiteral("-adcin"),
                    QStringLiteral("yes"), QStringLiteral("-adchdr"), QStringLiteral("44"),
                    QStringLiteral("-hyp"), hyp, QStringLiteral("-logfn"),
                    QStringLiteral("/dev/null")} +
            model);
}

// Per voice, the share of its utterances whose hypothesis is exactly the word.
std::vector<double> recognised(const QString& hypFile, const QStringList& words, qint32 voices)
{
    std::vector<double> right(std::size_t(voices), 0.0);
    QFile file(hypFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return right;
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line)) {
        // "apple (3_17 -1234)": the word heard, then voice 3, word 17 of the list
        const qsizetype open = line.lastIndexOf(u'(');
        if (open < 0)
            continue;
        const QString heard = line.left(open).trimmed();
        const QString utterance = line.mid(open + 1).section(u' ', 0, 0);
        const int v = utterance.section(u'_', 0, 0).toInt();
        const int w = utterance.section(u'_', 1, 1).toInt();
        if (v >= 0 && v < voices && w >= 0 && w < words.size() &&
            heard.compare(words[w], Qt::CaseInsensitive) == 0)
            right[std::size_t(v)] += 100.0 / double(words.size());
    }
    return right;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString listPath =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VOCARIN_WORD_LIST);
    const QStringList words = readWords(listPath);
    if (words.isEmpty()) {
        std::fprintf(stderr, "bench_intelligibility: no words in %s\n", qPrintable(listPath));
        return 2;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pocketsphinx_batch")).isEmpty() ||
        !QDir(kModel).exists()) {
        std::printf("pocketsphinx (pocketsphinx, pocketsphinx-en-us) is not installed: skipped\n");
        return 0;
    }

    QTemporaryDir work;
    const QString grammar = work.filePath(QStringLiteral("words.gram"));
    {
        QFile file(grammar);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QStringList lower;
        for (const QString& word : words)
            lower << word.toLower();
        file.write("#JSGF V1.0;\ngrammar words;\npublic <word> = " +
                   lower.join(QStringLiteral(" | ")).toUtf8() + ";\n");
    }

    // Every voice's words first, then one recogniser run per mode over all of
    // them: loading the language model takes longer than hearing a voice.
    CaptureSink sink;
    SpVoice voice(sink);
    const VoiceCollection voices = voice.GetVoices();
    const QString folder = work.filePath(QStringLiteral("words"));
    QDir().mkpath(folder);
    const QString control = work.filePath(QStringLiteral("words.ctl"));
    QFile controlFile(control);
    if (!controlFile.open(QIODevice::WriteOnly))
        return 1;
    std::vector<std::vector<double>> leads(std::size_t(voices.Count()));
    std::vector<std::vector<double>> levels(std::size_t(voices.Count()));
    for (qint32 v = 0; v < voices.Count(); ++v) {
        voice.setVoice(voices.Item(v));
        for (qsizetype w = 0; w < words.size(); ++w) {
            sink.clear();
            voice.Speak(words[w], 0);
            const AudioClip clip =
                sink.captures().empty() ? AudioClip{16000, 1, {}} : *sink.captures().back().clip;
            if (!clip.samples.empty()) {
                leads[std::size_t(v)].push_back(leadMs(clip));
                levels[std::size_t(v)].push_back(rmsDb(clip));
            }
            // A little silence around the word, as a recogniser expects.
            AudioClip at16k = convertClip(clip, 16000, 1);
            at16k.samples.insert(at16k.samples.begin(), 3200, 0.0f);
            at16k.samples.insert(at16k.samples.end(), 3200, 0.0f);
            const QByteArray utterance = QStringLiteral("%1_%2").arg(v).arg(w).toLatin1();
            QFile wav(folder + u'/' + QString::fromLatin1(utterance) + QStringLiteral(".wav"));
            if (!wav.open(QIODevice::WriteOnly))
                return 1;
            wav.write(waveImage({1, 1, 16000, 16, false}, pcm16(at16k.samples)));
            controlFile.write(utterance + '\n');
        }
    }
    controlFile.close();

    QProcess open, closed;
    const QString openHyp = work.filePath(QStringLiteral("open.hyp"));
    const QString closedHyp = work.filePath(QStringLiteral("closed.hyp"));
    startRecogniser(open, folder, control, openHyp,
                    {QStringLiteral("-lm"), kModel + QStringLiteral("/en-us.lm.bin")});
    startRecogniser(closed, folder, control, closedHyp, {QStringLiteral("-jsgf"), grammar});
    open.waitForFinished(-1);
    closed.waitForFinished(-1);
    const auto openShare = recognised(openHyp, words, voices.Count());
    const auto closedShare = recognised(closedHyp, words, voices.Count());

    std::printf("%d words of %s, each spoken alone; recognised by pocketsphinx (en-us)\n",
                int(words.size()), qPrintable(QFileInfo(listPath).fileName()));
    std::printf("  %-70s %6s %7s %10s %9s %8s\n", "voice", "open", "closed", "lead med", "lead max",
                "RMS");
    for (qint32 v = 0; v < voices.Count(); ++v) {
        const std::vector<double>& lead = leads[std::size_t(v)];
        std::printf("  %-70s %5.1f%% %6.1f%% %8.1fms %7.1fms %5.1fdB\n",
                    qPrintable(voices.Item(v).GetDescription()), openShare[std::size_t(v)],
                    closedShare[std::size_t(v)], median(lead),
                    lead.empty() ? 0 : *std::max_element(lead.begin(), lead.end()),
                    median(levels[std::size_t(v)]));
    }
    std::printf("  (lead: silence before the first sample at -60 dBFS; RMS: median level of "
                "the words)\n");
    return 0;
}
