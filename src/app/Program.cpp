#include "app/Program.h"

#include "widgets/Look.h"
#include "windows/Displays.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"

#include <QApplication>

#include <exception>

using namespace Qt::StringLiterals;

namespace vocarin {

Program::Program(Platform platform) : m_platform(std::move(platform)) {}

Program::~Program()
{
    destroyWindows();
}

void Program::create()
{
    m_form = std::make_unique<TForm1>(m_life, m_platform);
    m_form->FormCreate();
    m_dialog = std::make_unique<TForm2>(*m_form, m_life);
    m_form->setForm2(m_dialog.get());
}

void Program::show()
{
    m_form->showOnStart();
}

void Program::run()
{
    m_life.runMainLoop();
    destroyWindows();
}

void Program::destroyWindows()
{
    m_dialog.reset();
    m_form.reset();
}

int runVocarin(const Platform& platform)
{
    // The main window's close ends the program, not the last window hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    look::applyJapaneseDefaultFont();

    Program program(platform);
    QString stage = u"FormCreate"_s;
    try {
        program.create();
        stage = u"FormShow"_s;
        program.show();
    } catch (const std::exception& fault) {
        showFatalReport(fault, stage);
        return 1;
    }
    program.run();
    return 0;
}

} // namespace vocarin
