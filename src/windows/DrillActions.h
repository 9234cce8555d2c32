#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <array>
#include <functional>

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace vocarin {

class AnswerButton;
class Lifecycle;

// What the keys and the menu work on in the main window.
struct DrillControls
{
    QWidget* window;                      // takes the keys
    std::array<AnswerButton*, 7> answers; // 1 to 6; entry 0 is empty
    QPushButton* next;
    QPushButton* reset;
    QPushButton* listenAgain;
    std::function<void()> listenSlowly;  // the handler of the slow replay
    std::function<void()> mistakesRound; // the handler of the mistakes round
};

// The main window's own keys, one row an action, in the key guide's order.
enum class DrillAction { Answer, Next, ListenAgain, ListenSlowly, Reset, MistakesRound };
struct DrillKey
{
    QString keysText;         // the keys as the key guide and the tooltips write them
    QList<QKeySequence> keys; // Answer: the digits 1 to 6, each button its own
    QString action;           // what the key guide and the menu call the action
};
const DrillKey& drillKey(DrillAction action);
// Every row, in the key guide's order.
const QList<DrillKey>& drillKeys();

// The keyboard and context-menu way through the main window: every action
// presses the control a learner would click, so the exercise's rules hold.
class DrillActions : public QObject
{
    Q_OBJECT
public:
    DrillActions(DrillControls controls, Lifecycle& life);

    // The actions a right-click on the main window offers.
    void fillContextMenu(QMenu& menu) const;

private:
    QAction* addAction(const QString& text, const QList<QKeySequence>& keys,
                       std::function<void()> run);
    QAction* addAction(DrillAction action, std::function<void()> run);
    // As a click: only on a button the learner could click now.
    static void press(QPushButton* button);

    DrillControls m_controls;
    Lifecycle& m_life;
    QAction* m_listenAgain;
    QAction* m_listenSlowly;
    QAction* m_mistakesRound;
    QAction* m_keyGuide;
};

// Every key of the main window and what it does, for the key guide.
QString keyGuideText();

} // namespace vocarin
