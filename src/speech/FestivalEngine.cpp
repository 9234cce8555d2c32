#include "speech/FestivalEngine.h"

#include "core/Fault.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QFuture>
#include <QFutureWatcher>
#include <QPromise>
#include <QThread>

#include <festival/festival.h>

#include <memory>

namespace vocarin {

namespace {

// The interpreter's heap, in cells of about 32 bytes. Festival's library
// default (210,000) runs out as soon as a word is not in the lexicon and its
// letter-to-sound rules load (over 400,000 are needed then), and after running
// out the interpreter crashes on its next call. 20 words of such words need
// about 500,000.
constexpr int kHeapSize = 800000;
constexpr qsizetype kWordsPerPiece = 20;

// Festival's interpreter, on the thread that owns it. Requests are queued to
// it as events and run in order, the first one after the loading.
class FestivalInterpreter : public QObject
{
public:
    AudioClip speak(const QByteArray& text, double rate)
    {
        if (!m_loaded) {
            // Here, so that the interpreter's stack base is this thread's.
            festival_initialize(0, kHeapSize);
            // Festival's start-up files end by loading a default voice, the
            // first installed one of their list, which puts Debian's diphone
            // voices (kal, ked) before any HTS voice: loading one costs time and
            // memory that is never given back. Named as the only one on that
            // list before the files are read, the voice they load is ours; it
            // is chosen again in case a site or user file named another.
            festival_eval_command("(define default-voice-priority-list '(cmu_us_slt_arctic_hts))");
            m_usable = festival_load_file(EST_String(festival_datadir) + "/init.scm") &&
                       festival_eval_command("(voice_cmu_us_slt_arctic_hts)");
            m_loaded = true;
        }
        if (!m_usable)
            throw Fault(QStringLiteral("Festival の声 slt を使えません"));
        if (rate != m_rate && setRate(rate))
            m_rate = rate;
        try {
            return synthesize(text);
        } catch (...) {
            // A failed synthesis may leave the interpreter broken: no more calls.
            m_usable = false;
            throw;
        }
    }

private:
    // The HTS engine's own speed ("-r"), appended to the voice's parameters.
    static bool setRate(double rate)
    {
        return festival_eval_command(
            QStringLiteral("(set! hts_engine_params (append "
                           "cmu_us_slt_arctic_hts::hts_engine_params (list (list \"-r\" %1))))")
                .arg(rate)
                .toLatin1()
                .constData());
    }

    // One utterance holds all its words in the interpreter's heap at once: a
    // long text is spoken in pieces of kWordsPerPiece words, one after another,
    // so that no text can exhaust the heap.
    static AudioClip synthesize(const QByteArray& text)
    {
        const QList<QByteArray> words = text.simplified().split(' ');
        AudioClip clip;
        clip.channels = 1;
        for (qsizetype first = 0; first < words.size(); first += kWordsPerPiece) {
            const QByteArray piece = words.mid(first, kWordsPerPiece).join(' ');
            EST_Wave wave;
            if (!festival_text_to_wave(EST_String(piece.constData()), wave))
                throw Fault(QStringLiteral("Festival が \"%1\" を音声にできません")
                                .arg(QString::fromLatin1(piece)));
            clip.sampleRate = wave.sample_rate();
            for (int i = 0; i < wave.num_samples(); ++i)
                clip.samples.push_back(float(wave.a(i, 0)) / 32768.0f);
        }
        return clip;
    }

    bool m_loaded = false;
    bool m_usable = false;
    double m_rate = 1.0;
};

// The interpreter is one per process and its garbage collector scans the stack
// of the thread that started it: one thread, kept until the process ends.
class FestivalThread
{
public:
    static FestivalThread& instance()
    {
        static FestivalThread thread;
        return thread;
    }

    QFuture<AudioClip> post(QByteArray text, double rate)
    {
        auto promise = std::make_shared<QPromise<AudioClip>>();
        QFuture<AudioClip> answer = promise->future();
        promise->start();
        QMetaObject::invokeMethod(
            m_interpreter.get(),
            [interpreter = m_interpreter.get(), promise, text = std::move(text), rate] {
                try {
                    promise->addResult(interpreter->speak(text, rate));
                } catch (...) {
                    promise->setException(std::current_exception());
                }
                promise->finish();
            },
            Qt::QueuedConnection);
        return answer;
    }

    ~FestivalThread()
    {
        m_thread.quit();
        m_thread.wait();
    }

private:
    FestivalThread() : m_interpreter(std::make_unique<FestivalInterpreter>())
    {
        m_thread.setObjectName(QStringLiteral("Festival"));
        m_interpreter->moveToThread(&m_thread);
        m_thread.start();
    }

    QThread m_thread;
    std::unique_ptr<FestivalInterpreter> m_interpreter; // deleted after the thread ends
};

} // namespace

FestivalEngine::FestivalEngine(QString voiceFile) : m_voiceFile(std::move(voiceFile)) {}

QString FestivalEngine::installedVoiceFile()
{
    return QString::fromLocal8Bit(festival_datadir) +
           QStringLiteral("/voices/us/cmu_us_slt_arctic_hts/hts/cmu_us_slt_arctic_hts.htsvoice");
}

void FestivalEngine::start()
{
    if (!QFileInfo::exists(QString::fromLocal8Bit(festival_datadir) +
                           QStringLiteral("/init.scm")) ||
        !QFileInfo::exists(m_voiceFile))
        throw Fault(QStringLiteral("Festival の声 slt がインストールされていません"));
}

QStringList FestivalEngine::voices() const
{
    return {QStringLiteral("Festival slt HTS - English (United States)")};
}

AudioClip FestivalEngine::synthesize(int, const QString& text, double rate)
{
    QFuture<AudioClip> answer = FestivalThread::instance().post(text.toLatin1(), rate);
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        QEventLoop wait;
        QFutureWatcher<AudioClip> watcher;
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &wait, &QEventLoop::quit);
        watcher.setFuture(answer);
        if (!answer.isFinished())
            wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return answer.result(); // waits off the event thread; throws the engine's fault
}

} // namespace vocarin
