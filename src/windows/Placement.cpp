#include "windows/Placement.h"

#include "windows/WindowManager.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace vocarin {

namespace {

// Watches the application's events until the window's first exposure: the
// window's native handle is made only when it is first shown.
class FirstExposure : public QObject
{
public:
    FirstExposure(QWidget& window, std::function<void()> step)
        : QObject(&window), m_window(window), m_step(std::move(step))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && watched == m_window.windowHandle() &&
            m_window.windowHandle()->isExposed()) {
            qApp->removeEventFilter(this);
            deleteLater();
            std::exchange(m_step, {})();
        }
        return false;
    }

private:
    QWidget& m_window;
    std::function<void()> m_step;
};

} // namespace

void showMaximised(QWidget* window, QSize clientSize, bool firstShowing)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    if (firstShowing) {
        window->resize(clientSize);
        window->move(available.center() - QPoint(clientSize.width() / 2, clientSize.height() / 2));
    }
    static const bool managed = windowManagerRunning();
    if (managed) {
        window->showMaximized();
    } else {
        window->setGeometry(available);
        window->show();
    }
}

void afterFirstExposed(QWidget& window, std::function<void()> step)
{
    new FirstExposure(window, std::move(step));
}

} // namespace vocarin
