#pragma once

#include "exercise/Board.h"

#include <array>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QRadioButton;
class QWidget;

namespace vocarin {

class AnswerButton;
class CircleShape;

// The main window's controls that the exercise reads and changes.
struct BoardControls
{
    QWidget* window;                      // its caption, its close
    std::array<AnswerButton*, 7> answers; // btnQArray: 1 to 6; entry 0 is empty
    QLabel* english;                      // lbEnglish
    QLabel* shownAnswer;                  // lbJap
    QLabel* questNum;                     // lbQuestNum
    QLabel* correctNum;                   // lbCorrectNum
    QLabel* wrongNum;                     // lbWrongNum
    CircleShape* circle;                  // shpCircle
    QAbstractButton* next;                // btnNext
    QAbstractButton* listenAgain;         // bbtnListenAgain
    QRadioButton* randomOn;               // rbRndOn
    QRadioButton* englishOn;              // rbEnglishOn
    QRadioButton* englishOff;             // rbEnglishOff
    QButtonGroup* choiceCounts;           // rbItem1 ... rbItem6, their counts as ids
};

// The exercise's board on the main window: each call is one control's
// property read or set, as the window's designer bound them.
class MainBoard : public Board
{
public:
    explicit MainBoard(const BoardControls& controls) : m_controls(controls) {}

    void setCaption(const QString& caption) override;
    void setAnswerText(int button, const QString& text) override;
    QString answerText(int button) const override;
    void setAnswerVisible(int button, bool visible) override;
    void setAnswerEnabled(int button, bool enabled) override;
    void setEnglishText(const QString& text) override;
    void setShownAnswer(const QString& text) override;
    QString shownAnswer() const override;
    void setQuestNumText(const QString& text) override;
    void setCorrectNumText(const QString& text) override;
    void setWrongNumText(const QString& text) override;
    void setCircleVisible(bool visible) override;
    void setNextEnabled(bool enabled) override;
    void setListenAgainEnabled(bool enabled) override;
    bool isRandomOrderOn() const override;
    bool isEnglishOn() const override;
    bool isEnglishOff() const override;
    void checkChoiceCount(int count) override;
    void showMessage(const QString& text) override;
    void closeMainWindow() override;

private:
    const BoardControls m_controls;
};

} // namespace vocarin
