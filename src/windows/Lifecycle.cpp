#include "windows/Lifecycle.h"

#include "windows/Displays.h"

#include <QEventLoop>
#include <QTimer>

#include <exception>
#include <utility>

namespace vocarin {

void Lifecycle::requestTermination()
{
    if (m_terminating)
        return;
    m_terminating = true;
    for (QEventLoop* loop : std::as_const(m_loops))
        loop->quit();
}

void Lifecycle::runLoop(QEventLoop& loop)
{
    if (m_terminating)
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
    m_loops.append(&loop);
    // The handler that runs this loop waits in it: events the loop dispatches
    // are handled as at the top, and the system's closes are not held back.
    const int outerHandlers = std::exchange(m_handlerDepth, 0);
    loop.exec();
    m_handlerDepth = outerHandlers;
    m_loops.removeOne(&loop);
}

void Lifecycle::runMainLoop()
{
    if (m_terminating)
        return;
    QEventLoop loop;
    runLoop(loop);
}

void Lifecycle::handle(const std::function<void()>& handler)
{
    ++m_handlerDepth;
    try {
        handler();
    } catch (const std::exception& fault) {
        showFault(messageOf(fault));
    }
    --m_handlerDepth;
    if (m_handlerDepth > 0)
        return;
    const auto closes = std::exchange(m_pendingCloses, {});
    for (const auto& window : closes) {
        if (window)
            window->close();
    }
    const auto steps = std::exchange(m_afterHandlers, {});
    for (const auto& step : steps)
        step();
}

void Lifecycle::closeAfterHandlers(QWidget* window)
{
    if (!m_pendingCloses.contains(window))
        m_pendingCloses.append(window);
}

void Lifecycle::afterHandlers(std::function<void()> step)
{
    if (handlerRunning())
        m_afterHandlers.append(std::move(step));
    else
        step();
}

} // namespace vocarin
