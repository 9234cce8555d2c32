#pragma once

#include "exercise/Board.h"
#include "exercise/CuePlayer.h"
#include "exercise/Exercise.h"
#include "exercise/RandomSource.h"
#include "exercise/Speaker.h"

#include "TemporaryFolder.h"

#include <QList>
#include <QStringList>

#include <array>
#include <stdexcept>

namespace vocarin::testkit {

// One ordered record of everything the exercise did to the board, the speaker,
// the cue player and the generator, so ordering across them can be checked.
class EventLog
{
public:
    void add(const QString& entry) { m_entries.append(entry); }
    const QStringList& entries() const { return m_entries; }
    // The entries that start with one of the prefixes, in order.
    QStringList only(const QStringList& prefixes) const;
    void clear() { m_entries.clear(); }

private:
    QStringList m_entries;
};

struct AnswerButton
{
    QString text;
    bool visible = false;
    bool enabled = true;
};

// The main window's controls as the exercise sees them. Starts as the window
// does: random order off, English display on, no choice count checked.
class FakeBoard : public Board
{
public:
    explicit FakeBoard(EventLog& log) : m_log(log) {}

    void setCaption(const QString& caption) override;
    void setAnswerText(int button, const QString& text) override;
    QString answerText(int button) const override { return at(button).text; }
    void setAnswerVisible(int button, bool visible) override;
    void setAnswerEnabled(int button, bool enabled) override;
    void setEnglishText(const QString& text) override;
    void setShownAnswer(const QString& text) override;
    QString shownAnswer() const override { return lbJap; }
    void setQuestNumText(const QString& text) override;
    void setCorrectNumText(const QString& text) override;
    void setWrongNumText(const QString& text) override;
    void setCircleVisible(bool visible) override;
    void setNextEnabled(bool enabled) override;
    void setListenAgainEnabled(bool enabled) override;
    bool isRandomOrderOn() const override { return randomOrderOn; }
    bool isEnglishOn() const override { return englishOn; }
    bool isEnglishOff() const override { return !englishOn; }
    void checkChoiceCount(int count) override;
    void showMessage(const QString& text) override;
    void closeMainWindow() override;

    // Texts of the visible answer buttons, from btnWord1 on.
    QStringList visibleAnswers() const;
    const AnswerButton& at(int button) const;

    std::array<AnswerButton, 6> buttons{};
    QString caption;
    QString lbEnglish;
    QString lbJap;
    QString lbQuestNum;
    QString lbCorrectNum;
    QString lbWrongNum;
    bool circle = false;
    bool next = false;
    bool listenAgain = false;
    bool randomOrderOn = false;
    bool englishOn = true;
    int checkedChoice = 0;
    QStringList messages;
    bool closed = false;

private:
    AnswerButton& mutableAt(int button);
    void setLabel(QString& label, const QString& name, const QString& text);
    void setFlag(bool& flag, const QString& name, bool on);
    EventLog& m_log;
};

class RecordingSpeaker : public Speaker
{
public:
    explicit RecordingSpeaker(EventLog& log) : m_log(log) {}
    void speak(const QString& text) override;

    QStringList spoken;

private:
    EventLog& m_log;
};

class RecordingCuePlayer : public CuePlayer
{
public:
    explicit RecordingCuePlayer(EventLog& log) : m_log(log) {}
    void play(Cue cue) override;

private:
    EventLog& m_log;
};

// A draw the test did not script: the exercise drew more than it should.
class ScriptExhausted : public std::logic_error
{
public:
    using std::logic_error::logic_error;
};

// Returns the queued values in order and records every n asked. Running out
// of values, or a queued value outside 0 <= r < n, throws.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(EventLog& log) : m_log(log) {}
    qint32 Random(qint32 n) override;
    void queue(const QList<qint32>& values) { m_script.append(values); }
    qsizetype left() const { return m_script.size(); }

    QList<qint32> asked;

private:
    QList<qint32> m_script;
    EventLog& m_log;
};

// An exercise wired to recording doubles, its course list's paths in courses.
struct Rig
{
    testkit::TemporaryFolder courses;
    EventLog log;
    FakeBoard board{log};
    RecordingSpeaker speaker{log};
    RecordingCuePlayer cues{log};
    ScriptedRandom random{log};
    Exercise exercise{board, speaker, cues, random, courses.dir()};

    ExerciseState& state() { return exercise.state(); }
    // Fills the state as a course load would: English words, their meanings
    // (the meaning list may be shorter) and the option file's choice count.
    void setCourse(const QStringList& english, const QStringList& meanings, qint32 selectNum);
    // Words "w1" ... "wN" with meanings "m1" ... "mN".
    void setNumberedCourse(int count, qint32 selectNum);
    QStringList order() const { return exercise.state().QNumList.lines(); }
};

// "w1", "w2", ... as a list of count entries.
QStringList numbered(const QString& stem, int count);

} // namespace vocarin::testkit
