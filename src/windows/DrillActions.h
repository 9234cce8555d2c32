#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QPushButton;

namespace vocarin {

class Lifecycle;
class TForm1;

// The keyboard and context-menu way through the main window: every action
// presses the control a learner would click, so the exercise's rules hold.
class DrillActions : public QObject
{
    Q_OBJECT
public:
    // The rate of the slow replay; 1.0 is the voice's own.
    static constexpr double kSlowReplayRate = 0.6;

    DrillActions(TForm1& form, Lifecycle& life);

    // The actions a right-click on the main window offers.
    void fillContextMenu(QMenu& menu) const;

private:
    QAction* addAction(const QString& text, const QList<QKeySequence>& keys,
                       std::function<void()> run);
    // As a click: only on a button the learner could click now.
    static void press(QPushButton* button);
    void listenSlowly();

    TForm1& m_form;
    Lifecycle& m_life;
    QAction* m_listenAgain;
    QAction* m_listenSlowly;
    QAction* m_mistakesRound;
    QAction* m_keyGuide;
};

// Every key of the main window and what it does, for the key guide.
QString keyGuideText();

} // namespace vocarin
