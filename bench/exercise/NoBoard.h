#pragma once

// The exercise's window and cue player doing nothing, for benchmarks that
// measure the exercise and what it speaks through.

#include "exercise/Board.h"
#include "exercise/CuePlayer.h"

namespace vocarin::bench {

class NoBoard : public Board
{
public:
    void setCaption(const QString&) override {}
    void setAnswerText(int, const QString&) override {}
    QString answerText(int) const override { return {}; }
    void setAnswerVisible(int, bool) override {}
    void setAnswerEnabled(int, bool) override {}
    void setEnglishText(const QString&) override {}
    void setShownAnswer(const QString&) override {}
    QString shownAnswer() const override { return {}; }
    void setQuestNumText(const QString&) override {}
    void setCorrectNumText(const QString&) override {}
    void setWrongNumText(const QString&) override {}
    void setCircleVisible(bool) override {}
    void setNextEnabled(bool) override {}
    void setListenAgainEnabled(bool) override {}
    bool isRandomOrderOn() const override { return true; }
    bool isEnglishOn() const override { return true; }
    bool isEnglishOff() const override { return false; }
    void checkChoiceCount(int) override {}
    void showMessage(const QString&) override {}
    void closeMainWindow() override {}
};

class NoCues : public CuePlayer
{
public:
    void play(Cue) override {}
};

} // namespace vocarin::bench
