// Frame time of the real main window: from a synthetic press of an answer
// button (or of Next) until the repaint it causes has reached the X server.
// Speech and sound are stand-ins that take no time, so what is measured is the
// handler and the painting. Run under an X server of the size to measure, with
// the working folder holding one course (frametime.sh does both).
#include "app/Platform.h"
#include "app/Program.h"
#include "exercise/RandomSource.h"
#include "testing/CaptureSink.h"
#include "testing/ToneEngine.h"
#include "widgets/ScaledView.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace vocarin;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRounds = 50;

TForm1* mainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TForm1*>(w))
            return form;
    return nullptr;
}

// Handles everything the press caused, then waits for the X server to have
// drawn it: a round trip returns only after every earlier request.
void settle()
{
    while (QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents)) {
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) {
        xcb_connection_t* c = x11->connection();
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
}

void press(TForm1* form, QWidget* control)
{
    ScaledView* view = form->view();
    const QPoint at = view->mapFromScene(view->canvasRect(control).center());
    QWidget* target = view->viewport();
    const QPointF global = target->mapToGlobal(QPointF(at));
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(target, &down);
    QCoreApplication::sendEvent(target, &up);
}

double timed(TForm1* form, QWidget* control)
{
    QElapsedTimer clock;
    clock.start();
    press(form, control);
    settle();
    return double(clock.nsecsElapsed()) / 1e6;
}

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-26s median %6.2f ms, worst %6.2f ms (%zu presses)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

void measure(TForm1* form)
{
    std::vector<double> answers;
    std::vector<double> nexts;
    for (int round = 0; round < kRounds; ++round) {
        QPushButton* right = nullptr;
        for (int k = 1; k <= 6; ++k) {
            auto* button =
                qobject_cast<QPushButton*>(form->control(QStringLiteral("btnWord%1").arg(k)));
            if (button->isVisible() && button->text() == form->state().AnsCheckString)
                right = button;
        }
        answers.push_back(timed(form, right));
        // The last question's Next ends the run with a message box: start over instead.
        if (form->state().CurrentNum == form->state().AllQuestNum)
            timed(form, form->control<QPushButton>(u"btnReset"_s));
        else
            nexts.push_back(timed(form, form->control<QPushButton>(u"btnNext"_s)));
    }
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("screen %dx%d, window %dx%d\n", screen.width(), screen.height(), form->width(),
                form->height());
    report("answer press to frame:", answers);
    report("Next press to frame:", nexts);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const Platform platform{
        .openAudioOutput =
            [] { return std::unique_ptr<AudioOutput>(std::make_unique<CaptureSink>()); },
        .speechEngines =
            [] {
                std::vector<std::unique_ptr<SpeechEngine>> engines;
                engines.push_back(
                    std::make_unique<ToneEngine>(QStringList{QStringLiteral("Tone")}, 1));
                return engines;
            },
        .makeRandom = [] { return std::make_unique<ClockSeededRandom>(); },
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&poll] {
        auto* dialog = qobject_cast<TForm2*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        dialog->setItemIndex(0);
        dialog->control<QPushButton>(u"Button1"_s)->click();
        QTimer::singleShot(500, [] {
            TForm1* form = mainWindow();
            settle();
            measure(form);
            form->close();
        });
    });
    poll.start(10);
    return runVocarin(platform);
}
