#include "widgets/DesignCanvas.h"

#include "widgets/FocusRing.h"
#include "widgets/KeptKeys.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeyEvent>

#include <algorithm>

namespace vocarin {

DesignCanvas::DesignCanvas(QSizeF designSize) : m_ring(new FocusRing(this))
{
    resize(designSize.toSize());
    // Only the controls are drawn; the view's background shows between them.
    setAttribute(Qt::WA_TranslucentBackground);
}

void DesignCanvas::setTabChain(QList<QWidget*> chain)
{
    chain.removeIf([](const QWidget* control) { return control->focusPolicy() == Qt::NoFocus; });
    m_chain = std::move(chain);
}

bool DesignCanvas::takesTabStop(const QWidget* control) const
{
    // Every option of a radio group is a stop of its own, checked or not.
    return control->isVisibleTo(this) && control->isEnabled();
}

QWidget* DesignCanvas::focusedControl() const
{
    QWidget* control = focusWidget();
    return control && control->hasFocus() ? control : nullptr;
}

void DesignCanvas::watch(QWidget* control)
{
    control->installEventFilter(this);
}

bool DesignCanvas::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The proxy hands a key on to the focused control as a key of its
        // own, which the window's keys are tried on again.
        if (keepsKey(qobject_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (ignoresKey(qobject_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::FocusIn: {
        auto* control = qobject_cast<QWidget*>(watched);
        m_ring->follow(m_unringed.contains(control) ? nullptr : control);
        break;
    }
    case QEvent::FocusOut:
    case QEvent::EnabledChange: // a disabled control loses the focus without a focus-out
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == m_ring->control())
            m_ring->place();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool DesignCanvas::focusFirst()
{
    for (QWidget* control : std::as_const(m_chain)) {
        if (takesTabStop(control)) {
            control->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

bool DesignCanvas::focusNextPrevChild(bool next)
{
    // A control disabled while it has the focus takes the focus with it: the
    // focus never lands on a control the learner did not choose.
    if (QWidget* current = focusWidget(); current && !current->isEnabled())
        return false;
    const qsizetype count = m_chain.size();
    if (count == 0)
        return QWidget::focusNextPrevChild(next);
    const qsizetype current = m_chain.indexOf(focusWidget());
    for (qsizetype step = 1; step <= count; ++step) {
        qsizetype index = current < 0 ? (next ? step - 1 : count - step)
                                      : (current + (next ? step : -step) + count) % count;
        QWidget* control = m_chain.at(index);
        if (takesTabStop(control)) {
            control->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void DesignCanvas::keyPressEvent(QKeyEvent* event)
{
    // The toolkit's radio buttons look for the focus outside the canvas and
    // let their arrow keys through: they are handled here instead.
    auto* radio = qobject_cast<QAbstractButton*>(focusedControl());
    if (radio && radio->isCheckable() && radio->group() && isArrowKey(event->key())) {
        moveInGroup(radio, event->key());
        return;
    }
    QWidget::keyPressEvent(event);
}

void DesignCanvas::moveInGroup(QAbstractButton* from, int key)
{
    // To the option before (left, up) or after (right, down) in reading
    // order, and checked when the one left was checked, as the toolkit's
    // radio buttons do.
    QList<QAbstractButton*> buttons = from->group()->buttons();
    buttons.removeIf([this](const QAbstractButton* b) { return !takesTabStop(b); });
    const auto place = [this](const QAbstractButton* b) {
        const QPoint at = b->mapTo(this, QPoint(0, 0));
        return std::pair(at.y(), at.x());
    };
    std::sort(
        buttons.begin(), buttons.end(),
        [&](const QAbstractButton* a, const QAbstractButton* b) { return place(a) < place(b); });
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    const qsizetype at = buttons.indexOf(from) + (back ? -1 : 1);
    if (at < 0 || at >= buttons.size())
        return;
    QAbstractButton* to = buttons.at(at);
    if (from->isChecked())
        to->click();
    to->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

} // namespace vocarin
