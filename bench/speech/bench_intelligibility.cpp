// How clearly each voice speaks single words, as the program hands them to the
// mixer: every word of words.txt is spoken by every voice, and pocketsphinx
// (its US English model, trained on human speech: a proxy for a learner's ear)
// tries to recognise it twice: with its whole vocabulary and language model
// ("open"), and with a grammar of the list's words only ("closed"). Also the
// silence before each word (first sample at -60 dBFS) and the level.
// With --courses, every word of each generated course (folders "words-*") by the
// default voice, recognised with a grammar of that course's words: each course's
// share recognised as itself, and the words heard as another.
// Usage: bench_intelligibility [words.txt] | --courses FOLDER
#include "ClipMeasures.h"

#include "course/CourseDiscovery.h"
#include "course/CourseLoad.h"
#include "speech/AudioConvert.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "testing/CaptureSink.h"
#include "testing/WaveFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

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

// The clip as the recogniser reads it, 16 kHz with a little silence around
// the word, in path + ".wav".
bool writeUtterance(const AudioClip& clip, const QString& path)
{
    AudioClip at16k = convertClip(clip, 16000, 1);
    at16k.samples.insert(at16k.samples.begin(), 3200, 0.0f);
    at16k.samples.insert(at16k.samples.end(), 3200, 0.0f);
    QFile wav(path + QStringLiteral(".wav"));
    if (!wav.open(QIODevice::WriteOnly))
        return false;
    wav.write(waveImage({1, 1, 16000, 16, false}, pcm16(at16k.samples)));
    return true;
}

bool writeGrammar(const QString& path, const QStringList& words)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QStringList lower;
    for (const QString& word : words)
        lower << word.toLower();
    file.write("#JSGF V1.0;\ngrammar words;\npublic <word> = " +
               lower.join(QStringLiteral(" | ")).toUtf8() + ";\n");
    return true;
}

// The words the recogniser's dictionary knows: a grammar may hold no other.
QSet<QString> dictionaryWords()
{
    QSet<QString> known;
    QFile file(kModel + QStringLiteral("/cmudict-en-us.dict"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return known;
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line))
        known.insert(line.section(u' ', 0, 0).section(u'(', 0, 0));
    return known;
}

// Flite's voices draw the noise of their voicing from rand(), so a word sounds a
// little different each time and depends on what was spoken before it. Each
// word is spoken this many times, take t after srand(t + 1): a course's figure
// then depends neither on its neighbours nor on one draw of the noise.
constexpr qint32 kTakes = 3;

// Each generated course's words by the default voice, recognised with a grammar
// of that course's words.
int courseWords(const QString& root)
{
    StringList optionList;
    const QDir rootDir(root);
    const CourseCatalogue catalogue = discoverCourses(rootDir, optionList);
    const QSet<QString> known = dictionaryWords();
    CaptureSink sink;
    SpVoice voice(sink);
    const VoiceCollection voices = voice.GetVoices();
    const qint32 preferred = findPreferredVoice(voices);
    voice.setVoice(voices.Item(preferred == kNoPreferredVoice ? 0 : preferred));
    std::printf(
        "Every word of the generated courses by %s, %d takes each, recognised by pocketsphinx "
        "(en-us) with a grammar of its course's words\n",
        qPrintable(voices.Item(preferred == kNoPreferredVoice ? 0 : preferred).GetDescription()),
        int(kTakes));

    QTemporaryDir work;
    std::vector<std::pair<int, QString>> missed; // takes heard as another, the line
    qsizetype allWords = 0;
    double allRight = 0;
    double lowest = 100;
    for (qsizetype c = 0; c < catalogue.folders.size(); ++c) {
        if (!catalogue.folders[c].startsWith(QStringLiteral(".\\words-")))
            continue;
        const CourseFolder course{rootDir, catalogue.folders[c]};
        const QStringList courseWords =
            readCourseLists(course, listPrefix(readOptionFile(course))).words.lines();
        QStringList words;
        for (const QString& word : courseWords) {
            if (known.contains(word.toLower()))
                words << word;
            else
                std::printf("  %s: not in the recogniser's dictionary, left out\n",
                            qPrintable(word));
        }
        const QString folder = work.filePath(QString::number(c));
        QDir().mkpath(folder);
        const QString control = folder + QStringLiteral("/words.ctl");
        QFile controlFile(control);
        if (!controlFile.open(QIODevice::WriteOnly) ||
            !writeGrammar(folder + QStringLiteral("/words.gram"), words))
            return 1;
        for (qint32 take = 0; take < kTakes; ++take) {
            for (qsizetype w = 0; w < words.size(); ++w) {
                std::srand(unsigned(take + 1));
                sink.clear();
                voice.Speak(words[w], 0);
                const AudioClip clip = sink.captures().empty() ? AudioClip{16000, 1, {}}
                                                               : *sink.captures().back().clip;
                const QByteArray utterance = QStringLiteral("%1_%2").arg(take).arg(w).toLatin1();
                if (!writeUtterance(clip, folder + u'/' + QString::fromLatin1(utterance)))
                    return 1;
                controlFile.write(utterance + '\n');
            }
        }
        controlFile.close();
        QProcess recogniser;
        const QString hyp = folder + QStringLiteral("/words.hyp");
        startRecogniser(recogniser, folder, control, hyp,
                        {QStringLiteral("-jsgf"), folder + QStringLiteral("/words.gram")});
        recogniser.waitForFinished(-1);
        const std::vector<double> takes = recognised(hyp, words, kTakes);
        const double share = std::accumulate(takes.begin(), takes.end(), 0.0) / kTakes;
        // The words heard as another in any take, with what was heard last.
        std::vector<int> wrongTakes(std::size_t(words.size()), 0);
        std::vector<QString> heardAs(std::size_t(words.size()));
        QFile hypFile(hyp);
        if (hypFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&hypFile);
            QString line;
            while (in.readLineInto(&line)) {
                const qsizetype open = line.lastIndexOf(u'(');
                const int w = line.mid(open + 1).section(u' ', 0, 0).section(u'_', 1, 1).toInt();
                const QString heard = line.left(open).trimmed();
                if (open >= 0 && w < words.size() &&
                    heard.compare(words[w], Qt::CaseInsensitive) != 0) {
                    ++wrongTakes[std::size_t(w)];
                    heardAs[std::size_t(w)] = heard;
                }
            }
        }
        for (qsizetype w = 0; w < words.size(); ++w)
            if (wrongTakes[std::size_t(w)] > 0)
                missed.emplace_back(
                    wrongTakes[std::size_t(w)],
                    QStringLiteral("%1 (%2 of %3 takes heard as another, last as \"%4\", %5)")
                        .arg(words[w])
                        .arg(wrongTakes[std::size_t(w)])
                        .arg(kTakes)
                        .arg(heardAs[std::size_t(w)], catalogue.titles[c]));
        std::printf("  %5.1f%%  %3d words  %s\n", share, int(words.size()),
                    qPrintable(catalogue.titles[c]));
        allWords += words.size();
        allRight += share * double(words.size()) / 100.0;
        lowest = std::min(lowest, share);
    }
    std::printf("All: %.1f%% of %d words; the lowest course %.1f%%\n",
                allWords ? 100.0 * allRight / double(allWords) : 0.0, int(allWords), lowest);
    // The worst first: the words heard as another in the most takes.
    std::stable_sort(missed.begin(), missed.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::printf("Heard as another word in some take (%d; the worst 20):\n", int(missed.size()));
    for (std::size_t i = 0; i < std::min<std::size_t>(missed.size(), 20); ++i)
        std::printf("  %s\n", qPrintable(missed[i].second));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool courses = argc > 2 && QByteArray(argv[1]) == "--courses";
    const QString listPath =
        argc > 1 && !courses ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VOCARIN_WORD_LIST);
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
    if (courses)
        return courseWords(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir work;
    const QString grammar = work.filePath(QStringLiteral("words.gram"));
    if (!writeGrammar(grammar, words))
        return 1;

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
            const QByteArray utterance = QStringLiteral("%1_%2").arg(v).arg(w).toLatin1();
            if (!writeUtterance(clip, folder + u'/' + QString::fromLatin1(utterance)))
                return 1;
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
