// The yardstick for the program's memory: a bare Qt Widgets window over the
// whole available screen, as the program's main window is, with or without a
// window manager.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
