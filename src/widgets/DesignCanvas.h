#pragma once

#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

class QAbstractButton;
class QKeyEvent;

namespace vocarin {

class FocusRing;

// The design-size widget that holds every control of a window as an ordinary
// child: one proxy shows it all, so the toolkit makes no native window per
// control. Tab follows the window's own tab chain, and the control with the
// keyboard focus wears a ring that shows it.
class DesignCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit DesignCanvas(QSizeF designSize);
    // Controls that take no focus are left out.
    void setTabChain(QList<QWidget*> chain);
    bool focusFirst();
    // The control that has the keyboard focus, or null.
    QWidget* focusedControl() const;
    // Follows a control's focus for the ring.
    void watch(QWidget* control);
    // The control draws no ring when it has the focus.
    void leaveUnringed(QWidget* control) { m_unringed.append(control); }
    // Tab and Shift+Tab along the chain, also while no control has the focus.
    bool focusNextPrevChild(bool next) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool takesTabStop(const QWidget* control) const;
    void moveInGroup(QAbstractButton* from, int key);
    QList<QWidget*> m_chain;
    QList<QPointer<QWidget>> m_unringed;
    FocusRing* m_ring;
};

} // namespace vocarin
