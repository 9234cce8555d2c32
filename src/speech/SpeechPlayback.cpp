#include "speech/SpeechPlayback.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace vocarin {

namespace {

// How long past the clip's own length a stalled device is waited for.
constexpr qint64 kStallMarginMs = 1000;

} // namespace

void playSpeechToEnd(AudioOutput& output, std::shared_ptr<const AudioClip> clip)
{
    if (clip->samples.empty())
        return;
    // Ended by the output's word that the clip has played, or by the
    // watchdog when the device stalls.
    QEventLoop speaking;
    QObject::connect(&output, &AudioOutput::speechFinished, &speaking, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QTimer::singleShot(clip->durationMs() + kStallMarginMs, &speaking, &QEventLoop::quit);
    output.playSpeech(std::move(clip));
    // Input made meanwhile stays queued and is handled afterwards, in order.
    constexpr auto flags = QEventLoop::ExcludeUserInputEvents;
    // Paints what the caller has just shown, even when speech ends at once.
    QCoreApplication::processEvents(flags);
    if (output.isSpeechPlaying())
        speaking.exec(flags);
}

WakeForInputAfterwards::~WakeForInputAfterwards()
{
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

} // namespace vocarin
