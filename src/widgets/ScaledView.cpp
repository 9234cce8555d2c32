#include "widgets/ScaledView.h"

#include "widgets/CanvasProxy.h"
#include "widgets/KeptKeys.h"
#include "widgets/ShadowLayer.h"

#include <QFocusEvent>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPixmapCache>
#include <QResizeEvent>

#include <algorithm>

namespace vocarin {

namespace {

constexpr qreal kFullHdPixels = 1920.0 * 1080.0;
constexpr int kOtherPixmapsKiB = 10 * 1024; // the toolkit's own default pixmap cache limit

} // namespace

ScaledView::ScaledView(QSizeF designSize, Drawing drawing, QWidget* parent)
    : QGraphicsView(parent), m_designSize(designSize), m_drawing(drawing),
      m_canvas(new DesignCanvas(designSize)), m_proxy(new CanvasProxy)
{
    auto* scene = new QGraphicsScene(this);
    scene->setSceneRect(QRectF(QPointF(0, 0), designSize));
    m_proxy->setWidget(m_canvas);
    m_proxy->setFocusPolicy(Qt::StrongFocus);
    scene->addItem(m_proxy);
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setFocusPolicy(Qt::StrongFocus);
}

void ScaledView::place(QWidget* control, QWidget* parent, const QRectF& rect)
{
    QWidget* holder = parent ? parent : m_canvas;
    QRectF at = rect;
    // A child is cut off at its parent's edge: one placed past the edge lies
    // on the canvas at the same spot, over its parent.
    if (parent && !QRectF(parent->rect()).contains(rect)) {
        holder = m_canvas;
        at.translate(canvasRect(parent).topLeft());
    }
    control->setParent(holder);
    control->setGeometry(at.toRect());
    control->show();
    m_canvas->watch(control);
}

QRectF ScaledView::canvasRect(const QWidget* control) const
{
    return QRectF(control->mapTo(m_canvas, QPoint(0, 0)), control->size());
}

void ScaledView::addShadow(QWidget* control)
{
    QWidget* holder = control->parentWidget();
    auto* layer = holder->findChild<ShadowLayer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!layer)
        layer = new ShadowLayer(holder);
    layer->cast(control);
}

void ScaledView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    const QSize size = viewport()->size();
    setTransform(QTransform::fromScale(size.width() / m_designSize.width(),
                                       size.height() / m_designSize.height()));
    const qreal ratio = devicePixelRatioF();
    const qreal pixels = size.width() * ratio * size.height() * ratio;
    const bool throughCopy = m_drawing == Drawing::ThroughCopyWhenLarge && pixels >= kFullHdPixels;
    m_proxy->setCacheMode(throughCopy ? QGraphicsItem::DeviceCoordinateCache
                                      : QGraphicsItem::NoCache);
    // The copy must fit in the pixmap cache beside the toolkit's own
    // pixmaps, or it is drawn afresh for every frame.
    if (throughCopy)
        QPixmapCache::setCacheLimit(
            std::max(QPixmapCache::cacheLimit(), kOtherPixmapsKiB + int(pixels * 4 / 1024)));
}

bool ScaledView::popupOpen() const
{
    const auto children = m_proxy->childItems();
    return std::any_of(children.begin(), children.end(), [](const QGraphicsItem* item) {
        return item->isWidget() && item->isVisible();
    });
}

bool ScaledView::event(QEvent* event)
{
    // A key the focused control works with, or any key while a list is open,
    // goes to it before the window's own keys can take it.
    if (event->type() == QEvent::ShortcutOverride &&
        (popupOpen() || keepsKey(m_canvas->focusedControl(), *static_cast<QKeyEvent*>(event)))) {
        event->accept();
        return true;
    }
    // Tab follows the canvas's chain, also while no control has the focus,
    // when the scene would follow its own.
    if (event->type() == QEvent::KeyPress && !popupOpen()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            m_canvas->focusNextPrevChild(key->key() == Qt::Key_Tab &&
                                         !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QGraphicsView::event(event);
}

void ScaledView::focusInEvent(QFocusEvent* event)
{
    QGraphicsView::focusInEvent(event);
    // The canvas takes the view's keys and context menus also while none of
    // its controls has the focus.
    if (!m_proxy->hasFocus())
        m_proxy->setFocus(Qt::OtherFocusReason);
    if (m_entryFocus == EntryFocus::FirstControl && !m_canvas->focusWidget())
        m_canvas->focusFirst();
}

} // namespace vocarin
