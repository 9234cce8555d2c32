#pragma once

// The real main window and course dialog, brought up and shut down in the
// program's own order on the offscreen platform, with stand-ins for the sound
// device and the voices; message boxes are answered as they appear.

#include "../windows/WindowTestKit.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"
#include "windows/Lifecycle.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace vocarin::harness {

using testkit::BoxAnswerer;
using testkit::Engines;
using testkit::Made;
using testkit::standInPlatform;
using testkit::utf8Lines;
using testkit::writeFile;

// The two windows made as the program makes them (FormCreate included).
class RunningProgram
{
public:
    explicit RunningProgram(const Platform& platform)
        : form(std::make_unique<TForm1>(life, platform))
    {
        form->FormCreate();
        dialog = std::make_unique<TForm2>(*form, life);
        form->setForm2(dialog.get());
    }
    ~RunningProgram()
    {
        if (form)
            close();
    }

    // The first showing; `inDialog` acts while the course dialog is up.
    void show(std::function<void(TForm2&)> inDialog)
    {
        whileDialogUp(std::move(inDialog));
        form->showOnStart();
    }
    // "問題を変える" with `inDialog` acting in the dialog.
    void changeCourse(std::function<void(TForm2&)> inDialog)
    {
        whileDialogUp(std::move(inDialog));
        form->btnChangeCourse->click();
    }
    // "終了", then the shutdown: the main loop sees the termination, the
    // dialog is destroyed, then the main window.
    void close()
    {
        form->btnClose->click();
        life.runMainLoop();
        dialog.reset();
        form.reset();
    }

    Lifecycle life;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> dialog;

private:
    void whileDialogUp(std::function<void(TForm2&)> inDialog)
    {
        TForm2* const shown = dialog.get();
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
        dialog.Button1->click();
    }
}

} // namespace vocarin::harness
