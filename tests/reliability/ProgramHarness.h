#pragma once

// The real main window and course dialog, brought up and shut down in the
// program's own order on the offscreen platform, with stand-ins for the sound
// device and the voices; message boxes are answered as they appear.

#include "WindowTestKit.h"
#include "app/Program.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vocarin::testkit {

using namespace Qt::StringLiterals;

// The program's own steps, with a course dialog that `inDialog` acts in.
class RunningProgram : public Program
{
public:
    explicit RunningProgram(Platform platform) : Program(std::move(platform)) { create(); }
    ~RunningProgram()
    {
        if (form())
            close();
    }

    // The first showing; `inDialog` acts while the course dialog is up.
    void show(std::function<void(TForm2&)> inDialog)
    {
        whileDialogUp(std::move(inDialog));
        Program::show();
    }
    // "問題を変える" with `inDialog` acting in the dialog.
    void changeCourse(std::function<void(TForm2&)> inDialog)
    {
        whileDialogUp(std::move(inDialog));
        form()->control<QPushButton>(u"btnChangeCourse"_s)->click();
    }
    // "終了", then the shutdown: the main loop sees the termination, the
    // dialog is destroyed, then the main window.
    void close()
    {
        form()->control<QPushButton>(u"btnClose"_s)->click();
        run();
    }

private:
    void whileDialogUp(std::function<void(TForm2&)> inDialog)
    {
        TForm2* const shown = dialog();
        QTimer::singleShot(0, shown, [shown, act = std::move(inDialog)] {
            QVERIFY(QApplication::activeModalWidget() == shown);
            act(*shown);
        });
    }
};

// OK on each row in turn: a course that fails to load leaves the dialog up.
inline void pressOk(TForm2& dialog, std::initializer_list<int> rows)
{
    for (int row : rows) {
        dialog.setItemIndex(row);
        dialog.control<QPushButton>(u"Button1"_s)->click();
    }
}

} // namespace vocarin::testkit
