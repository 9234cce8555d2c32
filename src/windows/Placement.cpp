#include "windows/Placement.h"

#include "windows/WindowManager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vocarin {

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

} // namespace vocarin
