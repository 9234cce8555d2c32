#pragma once

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>
#include <memory>

class QEvent;
class QWidget;
class QWindow;

namespace vocarin {

class Lifecycle;

// The learner's keys, clicks and wheel turns for a window, made while the
// program speaks or shows a message over it, are handled afterwards: once, in
// the order they were made, and each only when no handler runs any more, so
// that a key that speaks keeps the next one waiting until it has been spoken.
//
// While a word is spoken the input stays in the window system's queue. A
// message box would block the window, and the input queued for it would be
// lost to the box; so before the box shows, that input is taken and held
// here, and handed back one event at a time once the box has closed and the
// window is active again. Until all of it has been handed back, later input
// for the window is held behind it.
class HeldInput : public QObject
{
    Q_OBJECT
public:
    HeldInput(QWidget& window, Lifecycle& life);
    ~HeldInput() override;

    // The held input of a window, null for a window without one.
    static HeldInput* of(QWidget* window);

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    friend class HoldForBox;
    void boxShowing();
    void boxClosed();
    bool holding() const { return m_boxes > 0 || !m_held.empty(); }
    // The next event is handed back from the event loop, not from here.
    void handBackSoon();
    void handBackNext();

    QWidget& m_window;
    Lifecycle& m_life;
    QPointer<QWindow> m_watched; // the window's native window, whose input is held
    std::deque<std::function<std::unique_ptr<QEvent>()>> m_held; // each makes a held event again
    int m_boxes = 0;
    bool m_stepQueued = false;
    const QEvent* m_handingBack = nullptr; // passes the filter; no other is handed back meanwhile
};

// The input of the window a message box belongs to, held while the box shows:
// what is queued for the window when it comes up, and what reaches the
// window until it has closed.
class HoldForBox
{
public:
    explicit HoldForBox(QWidget* window);
    ~HoldForBox();
    HoldForBox(const HoldForBox&) = delete;
    HoldForBox& operator=(const HoldForBox&) = delete;

private:
    QPointer<HeldInput> m_held;
};

} // namespace vocarin
