#pragma once

#include "exercise/ExerciseState.h"

#include <QDir>
#include <QList>
#include <QString>

namespace vocarin {

class Board;
class Speaker;
class CuePlayer;
class RandomSource;

enum class LoadOutcome { Loaded, TooFewWords };

// The word exercise: the logic behind the main window's handlers, working on
// one ExerciseState. The window's handlers of the same names call these.
class Exercise
{
public:
    // courseRoot: the folder the course list's paths (".\" or ".\name\") are in.
    Exercise(Board& board, Speaker& speaker, CuePlayer& cues, RandomSource& random,
             const QDir& courseRoot);

    const QDir& courseRoot() const { return m_courseRoot; }
    ExerciseState& state() { return m_state; }
    const ExerciseState& state() const { return m_state; }

    // Loads the course folder and begins a run; a fault leaves at once.
    // With fewer than three words, shows the message and closes the main window.
    void InitialGame(const QString& subDirectory);
    // The first half of InitialGame: reads the whole course folder, then puts
    // it into the state and sets the caption. A fault changes nothing.
    LoadOutcome loadCourse(const QString& subDirectory);
    // Puts a loaded course of at least three words at its first question:
    // what InitialGame does after a successful load.
    void beginRun();
    void StartGame();

    void btnResetClick();
    void btnWord1Click(int button); // the pressed answer button, 1 to 6
    void btnNextClick();
    void bbtnListenAgainClick();
    // What bbtnListenAgainClick does, the word said slower.
    void listenAgainSlowly();

    void rbItemClick(int count); // rbItem1Click ... rbItem6Click: the clicked button's count
    void rbRndOffChange();
    void rbEnglishOnChange();

    // The main window's close releases the lists: they are empty afterwards.
    void releaseLists();

    // Plays again only the words whose first press in this run was wrong, in
    // the order they were asked (shuffled when random order is on). With none,
    // says so and changes nothing. Reset replays the round; an option or
    // course change returns to the whole course.
    void startMistakesRound();

private:
    // A run exists once a course of at least three words has its question order.
    bool hasRun() const;
    void buildOrder();
    void resetStatus();
    void restartRun();
    void goToRoundStart();

    // Where the current question stands in the round being played, and how
    // many questions the round has: the whole course unless a mistakes round runs.
    qint32 roundPosition() const;
    qint32 roundLength() const;

    qint32 wordAt(qint32 position) const; // word number at a 1-based order position
    const QString& englishOf(qint32 word) const;
    const QString& meaningOf(qint32 word) const;

    void drawChoices(qint32 currentWord);
    qint32 distinctOthersUpTo(qint32 currentWord, qint32 wanted) const;
    void place(qint32 word); // its English text and meaning go on the next button
    void arrangeButtons();

    Board& m_board;
    Speaker& m_speaker;
    CuePlayer& m_cues;
    RandomSource& m_random;
    const QDir m_courseRoot;
    ExerciseState m_state;

    QList<qint32> m_round;    // order positions of a mistakes round; empty: the whole course
    qint32 m_roundIndex = 0;  // 1-based place in m_round
    QList<qint32> m_mistakes; // order positions answered wrong at the first press, as asked
};

} // namespace vocarin
