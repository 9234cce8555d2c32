#pragma once

#include <QString>

namespace vocarin {

// The controls of the main window that the exercise reads and changes.
// Answer buttons are numbered 1 to 6 (btnWord1 ... btnWord6).
class Board
{
public:
    virtual ~Board() = default;

    virtual void setCaption(const QString& caption) = 0; // of the main window Form1
    virtual void setAnswerText(int button, const QString& text) = 0;
    virtual QString answerText(int button) const = 0;
    virtual void setAnswerVisible(int button, bool visible) = 0;
    virtual void setAnswerEnabled(int button, bool enabled) = 0;

    virtual void setEnglishText(const QString& text) = 0; // lbEnglish
    virtual void setShownAnswer(const QString& text) = 0; // lbJap
    virtual QString shownAnswer() const = 0;

    virtual void setQuestNumText(const QString& text) = 0;   // lbQuestNum
    virtual void setCorrectNumText(const QString& text) = 0; // lbCorrectNum
    virtual void setWrongNumText(const QString& text) = 0;   // lbWrongNum

    virtual void setCircleVisible(bool visible) = 0;      // shpCircle
    virtual void setNextEnabled(bool enabled) = 0;        // btnNext
    virtual void setListenAgainEnabled(bool enabled) = 0; // bbtnListenAgain

    virtual bool isRandomOrderOn() const = 0; // rbRndOn checked (else rbRndOff)
    virtual bool isEnglishOn() const = 0;     // rbEnglishOn checked
    virtual bool isEnglishOff() const = 0;    // rbEnglishOff checked

    // The program's own check of rbItem1 ... rbItem6: runs no click handler.
    virtual void checkChoiceCount(int count) = 0;

    // Message box: returns when the learner has dismissed it.
    virtual void showMessage(const QString& text) = 0;
    // Closes the main window, which ends the program.
    virtual void closeMainWindow() = 0;
};

} // namespace vocarin
