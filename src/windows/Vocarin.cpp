#include "windows/Vocarin.h"

#include "windows/Displays.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"
#include "windows/Lifecycle.h"
#include "windows/Look.h"

#include <QApplication>

#include <exception>
#include <memory>

using namespace Qt::StringLiterals;

namespace vocarin {

int runVocarin(const Platform& platform)
{
    // The main window's close ends the program, not the last window hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    look::applyJapaneseDefaultFont();

    Lifecycle life;
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    QString stage = u"FormCreate"_s;
    try {
        Form1 = std::make_unique<TForm1>(life, platform);
        Form1->FormCreate();
        Form2 = std::make_unique<TForm2>(*Form1, life);
        Form1->setForm2(Form2.get());
        stage = u"FormShow"_s;
        Form1->showOnStart();
    } catch (const std::exception& fault) {
        showFatalReport(fault, stage);
        return 1;
    }
    life.runMainLoop();
    Form2.reset();
    Form1.reset();
    return 0;
}

} // namespace vocarin
