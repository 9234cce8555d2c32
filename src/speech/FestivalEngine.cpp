#include "speech/FestivalEngine.h"

#include "course/Fault.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>

#include <festival/festival.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace vocarin {

namespace {

// The interpreter's heap, in cells of about 32 bytes. Festival's library
// default (210,000) runs out as soon as a word is not in the lexicon and its
// letter-to-sound rules load (over 400,000 are needed then), and after running
// out the interpreter crashes on its next call. 20 words of such words need
// about 500,000.
constexpr int kHeapSize = 800000;
constexpr qsizetype kWordsPerPiece = 20;

// One thread owns Festival. Requests run in order, after the loading.
class FestivalThread
{
public:
    struct Request
    {
        QByteArray text; // Latin-1: Festival reads bytes
        double rate;
        std::function<void()> aboutToAnswer; // called on the thread, before the answer
        std::promise<AudioClip> answer;
    };

    static FestivalThread& instance()
    {
        static FestivalThread thread;
        return thread;
    }

    std::future<AudioClip> post(Request request)
    {
        std::future<AudioClip> answer = request.answer.get_future();
        {
            const std::lock_guard lock(m_mutex);
            m_requests.push_back(std::move(request));
        }
        m_wake.notify_one();
        return answer;
    }

    ~FestivalThread()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

private:
    FestivalThread() : m_thread([this] { run(); }) {}

    void run()
    {
        // Here, so that the interpreter's stack base is this thread's.
        festival_initialize(1, kHeapSize);
        bool usable = festival_eval_command("(voice_cmu_us_slt_arctic_hts)");
        double rate = 1.0;
        for (;;) {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_requests.empty(); });
            if (m_requests.empty())
                return;
            Request request = std::move(m_requests.front());
            m_requests.pop_front();
            lock.unlock();

            try {
                if (!usable)
                    throw Fault(QStringLiteral("Festival の声 slt を使えません"));
                if (request.rate != rate && setRate(request.rate))
                    rate = request.rate;
                AudioClip clip = synthesize(request.text);
                request.aboutToAnswer();
                request.answer.set_value(std::move(clip));
            } catch (...) {
                // A failed synthesis may leave the interpreter broken: no more calls.
                usable = false;
                request.aboutToAnswer();
                request.answer.set_exception(std::current_exception());
            }
        }
    }

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

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Request> m_requests;
    bool m_stopping = false;
    std::thread m_thread; // last: starts once the rest is ready
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
    QCoreApplication* app = QCoreApplication::instance();
    const bool onEventThread = app && QThread::currentThread() == app->thread();
    std::optional<QEventLoop> wait;
    if (onEventThread)
        wait.emplace();
    // The loop is told to quit before the answer is given, so it outlives the call.
    QEventLoop* loop = wait ? &*wait : nullptr;
    std::future<AudioClip> answer = FestivalThread::instance().post(
        {text.toLatin1(),
         rate,
         [loop] {
             if (loop)
                 QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
         },
         {}});
    if (loop)
        loop->exec(QEventLoop::ExcludeUserInputEvents);
    return answer.get();
}

} // namespace vocarin
