#pragma once

#include "windows/Lifecycle.h"
#include "windows/Platform.h"

#include <memory>

namespace vocarin {

class TForm1;
class TForm2;

// The program's two windows made, shown, run and destroyed in the program's
// own order; runVocarin and the tests that run the whole program take these
// steps. Needs a QApplication.
class Program
{
public:
    explicit Program(Platform platform);
    // The course dialog first, then the main window.
    ~Program();

    // The main window (its FormCreate included), then the course dialog.
    void create();
    // The main window's first showing (its FormShow, which shows the dialog).
    void show();
    // The main loop, then the dialog and the main window are destroyed.
    void run();

    Lifecycle& life() { return m_life; }
    // Null before create and after run.
    TForm1* form() const { return m_form.get(); }
    TForm2* dialog() const { return m_dialog.get(); }

private:
    void destroyWindows();

    const Platform m_platform;
    Lifecycle m_life;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<TForm2> m_dialog;
};

// The program block: creates, shows and runs the program. Returns the exit
// code: 0, or 1 after the fatal fault report of a fault while the windows are
// created or first shown.
int runVocarin(const Platform& platform);

} // namespace vocarin
