// The yardstick for start-up time and memory: a bare Qt Widgets window,
// started the way Vocarin starts and shown over the whole available screen as
// its main window is, with or without a window manager.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
