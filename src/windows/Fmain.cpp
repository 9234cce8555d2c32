#include "windows/Fmain.h"

#include "course/CourseDiscovery.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "widgets/CircleShape.h"
#include "widgets/ScaledView.h"
#include "windows/Displays.h"
#include "windows/DrillActions.h"
#include "windows/Fselect.h"
#include "windows/HeldInput.h"
#include "windows/Lifecycle.h"
#include "windows/Placement.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vocarin {

TForm1::TForm1(Lifecycle& life) : m_life(life)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Form1"_s);
    buildLayout();
    bindHandlers();
    m_board = std::make_unique<MainBoard>(BoardControls{.window = this,
                                                        .answers = btnQArray,
                                                        .english = lbEnglish,
                                                        .shownAnswer = lbJap,
                                                        .questNum = lbQuestNum,
                                                        .correctNum = lbCorrectNum,
                                                        .wrongNum = lbWrongNum,
                                                        .circle = shpCircle,
                                                        .next = btnNext,
                                                        .listenAgain = bbtnListenAgain,
                                                        .randomOn = rbRndOn,
                                                        .englishOn = rbEnglishOn,
                                                        .englishOff = rbEnglishOff,
                                                        .choiceCounts = m_choiceCounts});
    m_drill = new DrillActions({.window = this,
                                .answers = btnQArray,
                                .next = btnNext,
                                .reset = btnReset,
                                .listenAgain = bbtnListenAgain,
                                .listenSlowly = [this] { listenAgainSlowly(); },
                                .mistakesRound = [this] { actMistakesRoundExecute(); }},
                               m_life);
    new HeldInput(*this, m_life);
}

TForm1::~TForm1()
{
    FormDestroy();
}

template <typename... Params, typename... Args>
void TForm1::forward(void (Exercise::*handler)(Params...), Args... args)
{
    // The exercise plays through the cue streams and works on the lists that
    // the close releases: it answers from FormCreate until then.
    if (m_exercise && !m_closing)
        (m_exercise->*handler)(args...);
}

void TForm1::bindHandlers()
{
    const auto bind = [this](auto* control, auto signal, void (TForm1::*handler)()) {
        connect(control, signal, this,
                [this, handler] { m_life.handle([this, handler] { (this->*handler)(); }); });
    };
    for (AnswerButton* button : btnQArray) {
        if (!button)
            continue;
        connect(button, &QPushButton::clicked, this,
                [this, button] { m_life.handle([this, button] { btnWord1Click(button); }); });
    }
    bind(btnNext, &QPushButton::clicked, &TForm1::btnNextClick);
    bind(btnReset, &QPushButton::clicked, &TForm1::btnResetClick);
    bind(rbRndOff, &QRadioButton::toggled, &TForm1::rbRndOffChange);
    bind(rbEnglishOff, &QRadioButton::toggled, &TForm1::rbEnglishOnChange);
    bind(rbEnglishOn, &QRadioButton::toggled, &TForm1::rbEnglishOnChange);
    bind(bbtnListenAgain, &QPushButton::clicked, &TForm1::bbtnListenAgainClick);
    bind(btnClose, &QPushButton::clicked, &TForm1::btnCloseClick);
    // The choice-count buttons' group tells the one handler the count clicked.
    const std::array<QRadioButton*, 6> counts{rbItem1, rbItem2, rbItem3, rbItem4, rbItem5, rbItem6};
    m_choiceCounts = m_radioGroups.value(gbItemNum->objectName());
    for (int count = 1; count <= int(counts.size()); ++count)
        m_choiceCounts->setId(counts.at(count - 1), count);
    connect(m_choiceCounts, &QButtonGroup::idClicked, this,
            [this](int count) { m_life.handle([this, count] { rbItemClick(count); }); });
    bind(btnChangeCourse, &QPushButton::clicked, &TForm1::btnChangeCourseClick);
    bind(ComboBox1, &QComboBox::currentIndexChanged, &TForm1::ComboBox1Change);
}

void TForm1::btnCloseClick()
{
    close();
}

void TForm1::StartGame()
{
    forward(&Exercise::StartGame);
}

void TForm1::InitialGame(const QString& SubDirectory)
{
    forward(&Exercise::InitialGame, SubDirectory);
    // A new course starts with every key the window's: Enter is Next, not a
    // press of the button that last had the focus (問題を変える, say).
    if (QWidget* focused = ScaledLayout1->canvas()->focusWidget())
        focused->clearFocus();
}

void TForm1::FormCreate(FormParts parts)
{
    voice = &parts.voice;
    m_releaseOnClose = std::move(parts.releaseOnClose);
    const VoiceList voices = listVoices(voice->GetVoices());
    if (voices.descriptions.isEmpty()) {
        vocarin::showMessage(noVoiceMessage());
        m_life.requestTermination();
    }
    {
        // Filling an empty list would select its first entry on its own. The
        // preferred voice's selection runs the change handler here, where a
        // fault ends start-up with the fatal report, not through the list's
        // signal, whose handler would show it as a fault the program goes on
        // from.
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->addItems(voices.descriptions);
        ComboBox1->setCurrentIndex(-1);
        if (voices.KeyVoice != kNoPreferredVoice) {
            ComboBox1->setCurrentIndex(voices.KeyVoice);
            ComboBox1Change();
        }
    }
    // The handlers reach the exercise once the voice is chosen.
    m_exercise = &parts.exercise;
}

void TForm1::rbEnglishOnChange()
{
    forward(&Exercise::rbEnglishOnChange);
}

void TForm1::rbRndOffChange()
{
    forward(&Exercise::rbRndOffChange);
}

void TForm1::FormClose()
{
    if (m_releaseOnClose)
        m_releaseOnClose();
    SubDirectoryList.clear();
}

void TForm1::btnResetClick()
{
    forward(&Exercise::btnResetClick);
}

void TForm1::bbtnListenAgainClick()
{
    forward(&Exercise::bbtnListenAgainClick);
}

void TForm1::listenAgainSlowly()
{
    forward(&Exercise::listenAgainSlowly);
}

void TForm1::btnWord1Click(QObject* Sender)
{
    const auto pressed = std::find(btnQArray.begin(), btnQArray.end(), Sender);
    forward(&Exercise::btnWord1Click, int(pressed - btnQArray.begin()));
}

void TForm1::btnNextClick()
{
    forward(&Exercise::btnNextClick);
}

void TForm1::rbItemClick(int count)
{
    forward(&Exercise::rbItemClick, count);
}

void TForm1::btnChangeCourseClick()
{
    chooseCourse();
}

void TForm1::chooseCourse()
{
    Form2->ShowModal([this](int item) { InitialGame(SubDirectoryList.get(item)); });
}

void TForm1::FormShow()
{
    // Discovery reads the option files through a list of its own: the
    // exercise's OptionList is the load's.
    StringList optionFile;
    const CourseCatalogue courses = discoverCourses(m_exercise->courseRoot(), optionFile);
    Form2->setCourses(courses.titles);
    for (const QString& folder : courses.folders)
        SubDirectoryList.add(folder);
    // The first course is ready for OK, the only one too: OK with nothing
    // selected could only fail. Changing course needs a second one.
    if (!courses.titles.isEmpty())
        Form2->setItemIndex(0);
    if (courses.titles.size() > 1)
        btnChangeCourse->setEnabled(true);
    chooseCourse();
}

void TForm1::FormDestroy()
{
    // The program releases the exercise and the voice after the window.
    m_exercise = nullptr;
    voice = nullptr;
}

void TForm1::ComboBox1Change()
{
    voice->setVoice(voice->GetVoices(QString(), QString()).Item(ComboBox1->currentIndex()));
}

void TForm1::actMistakesRoundExecute()
{
    forward(&Exercise::startMistakesRound);
}

void TForm1::showOnStart()
{
    showMaximised(this, kDesignSize, true);
    FormShow();
    activateWindow();
}

void TForm1::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu;
    m_drill->fillContextMenu(menu);
    menu.exec(event->globalPos());
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The window stays on screen until it is destroyed at the end.
    event->ignore();
    if (event->spontaneous() && m_life.handlerRunning()) {
        m_life.closeAfterHandlers(this);
        return;
    }
    if (m_closing)
        return;
    m_closing = true;
    FormClose();
    m_life.requestTermination();
}

} // namespace vocarin
