#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class QEventLoop;

namespace vocarin {

// The application's event loops, its termination request and the one place
// where a fault leaving a handler is caught and shown.
class Lifecycle
{
public:
    // Ends the innermost loops first, then the main loop; later loops end after
    // handling what is already queued. A second request does nothing more.
    void requestTermination();
    bool terminating() const { return m_terminating; }

    // Runs a loop until it is quit or termination reaches it. The loop's
    // events count as outside the handler that runs it.
    void runLoop(QEventLoop& loop);
    // The main event loop; not entered when termination was requested before it.
    void runMainLoop();

    // Runs one event handler: a fault that leaves it is shown by the default
    // fault display, the rest of the handler is skipped and the program goes on.
    void handle(const std::function<void()>& handler);
    bool handlerRunning() const { return m_handlerDepth > 0; }
    // A close request from the system is honoured once no handler runs any more.
    void closeAfterHandlers(QWidget* window);
    // Runs a step once no handler runs any more; at once when none runs.
    void afterHandlers(std::function<void()> step);

private:
    bool m_terminating = false;
    int m_handlerDepth = 0;
    QList<QEventLoop*> m_loops;
    QList<QPointer<QWidget>> m_pendingCloses;
    QList<std::function<void()>> m_afterHandlers;
};

} // namespace vocarin
