#pragma once

#include "course/StringList.h"
#include "exercise/Exercise.h"
#include "widgets/AnswerButton.h"
#include "windows/MainBoard.h"

#include <QHash>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vocarin {

class CircleShape;
class DrillActions;
class Lifecycle;
class ScaledView;
class SpVoice;
class TForm2;

// What the main window works with from FormCreate on, made by the program.
struct FormParts
{
    SpVoice& voice;                       // the speech object: the voice list chooses its voice
    Exercise& exercise;                   // the handlers' engine, on this window's board
    std::function<void()> releaseOnClose; // FormClose's release of playback, cues and lists
};

// The main window: the exercise is played here. Its controls are the
// exercise's board (MainBoard), and its handlers are thin calls into the
// exercise or the speech object.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize kDesignSize{650, 399};

    // Builds every control of the layout; FormCreate is the caller's next step.
    explicit TForm1(Lifecycle& life);
    ~TForm1() override;

    void btnCloseClick();
    void StartGame();
    void InitialGame(const QString& SubDirectory);
    // Fills the voice list and selects the preferred voice; the handlers
    // reach the exercise from here on.
    void FormCreate(FormParts parts);
    void rbEnglishOnChange();
    void rbRndOffChange();
    void FormClose();
    void btnResetClick();
    void bbtnListenAgainClick();
    void listenAgainSlowly(); // the context menu's and Shift+R's slow replay
    void btnWord1Click(QObject* Sender);
    void btnNextClick();
    void rbItemClick(int count); // rbItem1Click ... rbItem6Click: the clicked button's count
    void btnChangeCourseClick();
    void FormShow();
    void FormDestroy();
    void ComboBox1Change();
    void actMistakesRoundExecute();

    void setForm2(TForm2* form2) { Form2 = form2; }
    // Start-up's showing: maximised and centred, FormShow, then activated.
    void showOnStart();

    // Finding a control by name; null when there is none or it is not a Control.
    template <typename Control = QWidget> Control* control(const QString& name) const
    {
        return qobject_cast<Control*>(m_controls.value(name));
    }
    // The view that shows the controls stretched over the window.
    ScaledView* view() const { return ScaledLayout1; }
    // The exercise's state, from FormCreate on.
    const ExerciseState& state() const { return m_exercise->state(); }
    // The exercise's board on this window's controls.
    Board& board() { return *m_board; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Layout; // FmainLayout.cpp: the table of the controls below

    ScaledView* ScaledLayout1;
    QFrame* Panel1;
    AnswerButton* btnWord1;
    AnswerButton* btnWord2;
    AnswerButton* btnWord3;
    AnswerButton* btnWord4;
    AnswerButton* btnWord5;
    AnswerButton* btnWord6;
    QPushButton* btnNext;
    QPushButton* btnReset;
    QGroupBox* gbRandom;
    QGroupBox* gbEnglishView;
    QRadioButton* rbRndOff;
    QRadioButton* rbRndOn;
    QRadioButton* rbEnglishOff;
    QRadioButton* rbEnglishOn;
    QLabel* lbQuestNum;
    QLabel* lbCorrectNum;
    QLabel* lbWrongNum;
    QFrame* Panel2;
    QLabel* lbEnglish;
    QFrame* Panel3;
    QLabel* lbJap;
    QPushButton* bbtnListenAgain;
    QPushButton* btnClose;
    QLabel* Label6;
    CircleShape* shpCircle;
    QGroupBox* gbItemNum;
    QRadioButton* rbItem1;
    QRadioButton* rbItem2;
    QRadioButton* rbItem3;
    QRadioButton* rbItem4;
    QRadioButton* rbItem5;
    QRadioButton* rbItem6;
    QPushButton* btnChangeCourse;
    QComboBox* ComboBox1;
    QLabel* Label1;

    void buildLayout(); // in FmainLayout.cpp
    void bindHandlers();
    // The course dialog, modally; OK there loads the chosen course.
    void chooseCourse();
    // Runs one of the exercise's handlers; none runs before FormCreate or after the close.
    template <typename... Params, typename... Args>
    void forward(void (Exercise::*handler)(Params...), Args... args);

    std::array<AnswerButton*, 7> btnQArray{}; // 1 to 6
    Lifecycle& m_life;
    TForm2* Form2 = nullptr;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QButtonGroup*> m_radioGroups;
    QButtonGroup* m_choiceCounts = nullptr; // rbItem1 ... rbItem6, their counts as ids
    bool m_closing = false;                 // the close has begun: FormClose has run or is running
    DrillActions* m_drill = nullptr;
    std::unique_ptr<MainBoard> m_board;

    SpVoice* voice = nullptr;       // from FormCreate until FormDestroy
    Exercise* m_exercise = nullptr; // from FormCreate until FormDestroy
    std::function<void()> m_releaseOnClose;
    StringList SubDirectoryList; // course folder paths, parallel to the dialog's titles
};

} // namespace vocarin
