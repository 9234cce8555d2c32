// The yardsticks for start-up time and memory: a bare Qt Widgets window,
// started the way Vocarin starts and shown over the whole available screen as
// its main window is, with or without a window manager. Given "japanese", it
// also shows one line of Japanese text in each face the program draws with,
// the least any window of the program must load before it can be drawn.
#include "widgets/Look.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    if (argc > 1 && std::strcmp(argv[1], "japanese") == 0) {
        window.setWindowTitle(QStringLiteral("Japanese window"));
        vocarin::look::applyJapaneseDefaultFont();
        auto* lines = new QVBoxLayout(&window);
        for (const bool gothic : {false, true})
            for (const bool bold : {false, true}) {
                auto* line = new QLabel(QStringLiteral("問題の変更"));
                line->setFont(vocarin::look::designFont(gothic, 0, bold));
                lines->addWidget(line);
            }
    } else {
        window.setWindowTitle(QStringLiteral("bare window"));
    }
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
