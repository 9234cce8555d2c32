#include "windows/ScaledView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vocarin {

namespace {

constexpr qreal kShadowDistance = 3.0;
constexpr qreal kShadowDirection = 45.0 * std::numbers::pi / 180.0;
constexpr qreal kShadowBlur = 3.0;               // softness 0.3 of a 10-unit spread
constexpr qreal kShadowSpread = 2 * kShadowBlur; // how far the blur reaches past the shape
constexpr int kShadowAlpha = 153;                // opacity 0.6
const QPointF kShadowOffset(kShadowDistance* std::cos(kShadowDirection),
                            kShadowDistance* std::sin(kShadowDirection));

constexpr qreal kFullHdPixels = 1920.0 * 1080.0;
constexpr int kOtherPixmapsKiB = 10 * 1024; // the toolkit's own default pixmap cache limit

// A radio button of a group takes the Tab stop only when it is the group's
// checked one, or the group's first in the chain while none is checked.
bool isGroupStop(QAbstractButton* button, const QList<QWidget*>& chain)
{
    QButtonGroup* group = button->group();
    if (!group || !group->exclusive())
        return true;
    if (group->checkedButton())
        return button->isChecked();
    for (QWidget* control : chain) {
        if (auto* other = qobject_cast<QAbstractButton*>(control); other && other->group() == group)
            return other == button;
    }
    return true;
}

// The shadow a control casts, made in screen pixels at the canvas's stretch
// by the toolkit's drop shadow, with kShadowSpread units of room on every
// side. The toolkit draws the control too: the shadow is cast well clear of
// it and cut out.
QImage shadowOf(QWidget* control, QSizeF stretch)
{
    QPixmap shape(
        QSizeF(control->width() * stretch.width(), control->height() * stretch.height()).toSize());
    shape.fill(Qt::transparent);
    {
        QPainter painter(&shape);
        painter.scale(stretch.width(), stretch.height());
        control->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    const qreal across = kShadowSpread * stretch.width();
    const qreal down = kShadowSpread * stretch.height();
    const qreal clear = shape.width() + 2 * across;
    QGraphicsScene scene;
    QGraphicsPixmapItem* item = scene.addPixmap(shape);
    auto* shadow = new QGraphicsDropShadowEffect;
    QColor colour(Qt::black);
    colour.setAlpha(kShadowAlpha);
    shadow->setColor(colour);
    shadow->setBlurRadius(kShadowBlur * (stretch.width() + stretch.height()) / 2);
    shadow->setOffset(clear, 0);
    item->setGraphicsEffect(shadow);
    // The toolkit blurs only what lies on the device: both are drawn, the shadow kept.
    const QRectF shadowRect =
        item->boundingRect().translated(clear, 0).adjusted(-across, -down, across, down);
    const QRectF area = shadowRect.united(item->boundingRect());
    QImage both(area.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    both.fill(Qt::transparent);
    {
        QPainter painter(&both);
        scene.render(&painter, QRectF(both.rect()), area);
    }
    return both.copy(shadowRect.translated(-area.topLeft()).toRect());
}

// Where the shadow of a control at rect falls.
QRect shadowArea(const QRect& rect)
{
    return QRectF(rect)
        .translated(kShadowOffset)
        .adjusted(-kShadowSpread, -kShadowSpread, kShadowSpread, kShadowSpread)
        .toAlignedRect();
}

} // namespace

DesignCanvas::DesignCanvas(QSizeF designSize)
{
    resize(designSize.toSize());
    // Only the controls are drawn; the view's background shows between them.
    setAttribute(Qt::WA_TranslucentBackground);
}

bool DesignCanvas::takesTabStop(QWidget* control) const
{
    if (!control->isVisibleTo(this) || !control->isEnabled())
        return false;
    if (!(control->focusPolicy() & Qt::TabFocus))
        return false;
    auto* button = qobject_cast<QAbstractButton*>(control);
    return !button || !button->isCheckable() || isGroupStop(button, m_chain);
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

ShadowLayer::ShadowLayer(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(parent->rect());
    lower();
    show();
}

void ShadowLayer::cast(QWidget* control)
{
    m_casts.push_back({control, {}, {}, {}});
    control->installEventFilter(this);
    update();
}

bool ShadowLayer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        // Only the control's own shadow changes: a whole-canvas repaint would
        // cost a full-screen frame.
        if (auto* control = qobject_cast<QWidget*>(watched))
            update(shadowArea(control->geometry()));
        break;
    case QEvent::Move:
    case QEvent::Resize:
        update();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ShadowLayer::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (Cast& cast : m_casts) {
        if (!cast.control || !cast.control->isVisibleTo(parentWidget()) ||
            !event->region().intersects(shadowArea(cast.control->geometry())))
            continue;
        const QTransform device = painter.deviceTransform();
        const QSizeF stretch(device.m11(), device.m22());
        if (cast.madeFor != cast.control->size() || cast.madeAt != stretch) {
            cast.madeFor = cast.control->size();
            cast.madeAt = stretch;
            cast.shadow = shadowOf(cast.control, stretch);
        }
        const QPointF corner =
            QPointF(cast.control->pos()) + kShadowOffset - QPointF(kShadowSpread, kShadowSpread);
        painter.drawImage(QRectF(corner, QSizeF(cast.shadow.width() / stretch.width(),
                                                cast.shadow.height() / stretch.height())),
                          cast.shadow);
    }
}

void CanvasComboBox::showPopup()
{
    QComboBox::showPopup();
    QGraphicsProxyWidget* canvasProxy = window()->graphicsProxyWidget();
    QGraphicsProxyWidget* popup = view()->window()->graphicsProxyWidget();
    if (!canvasProxy || !popup || !popup->parentItem())
        return;
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

// Shows the canvas, directly or from a copy kept in screen pixels. The
// toolkit's proxy merges everything that changed into one rectangle: a press
// that changes two corners of the window would redraw the whole window. Into
// the copy, only what changed is drawn, and the copy is shown as it is.
class ScaledView::CanvasProxy : public QGraphicsProxyWidget
{
public:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
    {
        // The painter is clipped to the screen pixels that changed. QWidget::render would clip to
        // that clip read back in design units, rounded, and so leave the edge rows of the changed
        // pixels cleared but unpainted. The controls are drawn over the clip widened by a unit
        // instead; the copy takes only the changed pixels from it.
        QRegion shown = rect().toAlignedRect();
        if (painter->hasClipping()) {
            QRegion changed;
            for (const QRect& part : painter->clipRegion())
                changed += part.adjusted(-1, -1, 1, 1);
            shown &= changed;
        }
        if (shown.isEmpty())
            return;
        painter->save();
        painter->setClipping(false);
        widget()->render(painter, shown.boundingRect().topLeft(), shown);
        painter->restore();
    }
};

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

void ScaledView::focusInEvent(QFocusEvent* event)
{
    QGraphicsView::focusInEvent(event);
    if (!m_canvas->focusWidget())
        m_canvas->focusFirst();
}

} // namespace vocarin
