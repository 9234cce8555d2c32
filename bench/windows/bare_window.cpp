// The yardstick for start-up time: a bare Qt window, started the way Vocarin
// starts, shown maximised with a title to wait for.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.showMaximized();
    return app.exec();
}
