#include "widgets/CanvasComboBox.h"

#include <QAbstractItemView>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QToolTip>

#include <algorithm>

namespace vocarin {

bool CanvasComboBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !currentText().isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), currentText(), this);
        return true;
    }
    return QComboBox::event(event);
}

void CanvasComboBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        showPopup();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        QKeyEvent vertical(event->type(), event->key() == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down,
                           event->modifiers());
        QComboBox::keyPressEvent(&vertical);
        event->setAccepted(vertical.isAccepted());
        return;
    }
    default:
        QComboBox::keyPressEvent(event);
    }
}

namespace {

// While the list is open every key is its own: the window's keys are not
// tried on the keys the list's proxy hands on to it.
class KeepsEveryKey : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Accepted, and still handed on: the list picks its entry on Enter
        // when it sees the key here.
        if (event->type() == QEvent::ShortcutOverride)
            event->accept();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void CanvasComboBox::showPopup()
{
    QComboBox::showPopup();
    if (!m_keepsEveryKey) {
        m_keepsEveryKey = new KeepsEveryKey(this);
        view()->installEventFilter(m_keepsEveryKey);
        view()->window()->installEventFilter(m_keepsEveryKey);
    }
    QGraphicsProxyWidget* canvasProxy = window()->graphicsProxyWidget();
    QGraphicsProxyWidget* popup = view()->window()->graphicsProxyWidget();
    if (!canvasProxy || !popup || !popup->parentItem())
        return;
    // The keys go to the open list, as they do to a list in a window of its own.
    // Its proxy is a panel of its own, which takes the focus once active.
    popup->setActive(true);
    popup->setFocus(Qt::PopupFocusReason);
    // The popup's proxy belongs to the canvas's: it is drawn over every control.
    const QRectF canvas = canvasProxy->scene()->sceneRect();
    const QRectF box = canvasProxy->mapRectToScene(QRectF(mapTo(window(), QPoint(0, 0)), size()));
    const QRectF shown = popup->sceneBoundingRect();
    if (canvas.contains(shown))
        return;
    const qreal below = canvas.bottom() - box.bottom();
    const qreal above = box.top() - canvas.top();
    const qreal height = std::min(shown.height(), std::max(below, above));
    const qreal top = (height <= below) ? box.bottom() : box.top() - height;
    const qreal left = std::clamp(shown.left(), canvas.left(), canvas.right() - shown.width());
    popup->setGeometry(
        popup->parentItem()->mapRectFromScene(QRectF(left, top, shown.width(), height)));
    // The chosen voice stays in sight in the shorter list.
    view()->scrollTo(view()->currentIndex());
}

void CanvasComboBox::hidePopup()
{
    QComboBox::hidePopup();
    // The keys go back to the box.
    if (QGraphicsProxyWidget* canvasProxy = window()->graphicsProxyWidget())
        canvasProxy->setFocus(Qt::PopupFocusReason);
}

} // namespace vocarin
