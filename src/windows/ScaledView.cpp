#include "windows/ScaledView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsProxyWidget>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vocarin {

namespace {

constexpr qreal kShadowDistance = 3.0;
constexpr qreal kShadowDirection = 45.0 * std::numbers::pi / 180.0;
constexpr qreal kShadowBlur = 3.0; // softness 0.3 of a 10-unit spread
constexpr int kShadowAlpha = 153;  // opacity 0.6

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

} // namespace

bool DesignScene::takesTabStop(QWidget* control) const
{
    QGraphicsProxyWidget* proxy = control->graphicsProxyWidget();
    if (!proxy || !proxy->isVisible() || !proxy->isEnabled())
        return false;
    if (!(control->focusPolicy() & Qt::TabFocus))
        return false;
    auto* button = qobject_cast<QAbstractButton*>(control);
    return !button || !button->isCheckable() || isGroupStop(button, m_chain);
}

bool DesignScene::focusFirst()
{
    for (QWidget* control : std::as_const(m_chain)) {
        if (takesTabStop(control)) {
            control->graphicsProxyWidget()->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

bool DesignScene::focusNextPrevChild(bool next)
{
    const qsizetype count = m_chain.size();
    if (count == 0)
        return QGraphicsScene::focusNextPrevChild(next);
    qsizetype current = -1;
    if (auto* proxy = qgraphicsitem_cast<QGraphicsProxyWidget*>(focusItem()))
        current = m_chain.indexOf(proxy->widget());
    for (qsizetype step = 1; step <= count; ++step) {
        qsizetype index = current < 0 ? (next ? step - 1 : count - step)
                                      : (current + (next ? step : -step) + count) % count;
        QWidget* control = m_chain.at(index);
        if (takesTabStop(control)) {
            control->graphicsProxyWidget()->setFocus(next ? Qt::TabFocusReason
                                                          : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void CanvasComboBox::showPopup()
{
    QComboBox::showPopup();
    QGraphicsProxyWidget* own = graphicsProxyWidget();
    QGraphicsProxyWidget* popup = view()->window()->graphicsProxyWidget();
    if (!own || !popup || !popup->parentItem())
        return;
    // The popup belongs to the box's proxy: lifting the box lifts it over the rest.
    m_restingZ = own->zValue();
    const QList<QGraphicsItem*> items = own->scene()->items();
    for (const QGraphicsItem* item : items)
        own->setZValue(std::max(own->zValue(), item->zValue() + 1));
    const QRectF canvas = own->scene()->sceneRect();
    const QRectF box = own->sceneBoundingRect();
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
    if (QGraphicsProxyWidget* own = graphicsProxyWidget())
        own->setZValue(m_restingZ);
}

ScaledView::ScaledView(QSizeF designSize, QWidget* parent)
    : QGraphicsView(parent), m_designSize(designSize), m_scene(new DesignScene(this))
{
    m_scene->setSceneRect(QRectF(QPointF(0, 0), designSize));
    setScene(m_scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setFocusPolicy(Qt::StrongFocus);
}

QGraphicsProxyWidget* ScaledView::place(QWidget* control, QGraphicsProxyWidget* parent,
                                        const QRectF& rect, qreal z)
{
    auto* proxy = new QGraphicsProxyWidget(parent);
    proxy->setWidget(control);
    if (!parent)
        m_scene->addItem(proxy);
    proxy->setPos(rect.topLeft());
    // A proxy makes every widget at least its minimum size; the design size wins.
    proxy->setMinimumSize(rect.size());
    proxy->setMaximumSize(rect.size());
    proxy->resize(rect.size());
    proxy->setZValue(z);
    if (!(control->focusPolicy() & Qt::TabFocus))
        proxy->setFocusPolicy(Qt::NoFocus);
    return proxy;
}

QGraphicsDropShadowEffect* ScaledView::addShadow(QGraphicsProxyWidget* proxy)
{
    auto* shadow = new QGraphicsDropShadowEffect;
    QColor colour(Qt::black);
    colour.setAlpha(kShadowAlpha);
    shadow->setColor(colour);
    rescaleShadow(shadow);
    proxy->setGraphicsEffect(shadow);
    m_shadows.append(shadow);
    return shadow;
}

void ScaledView::setTabChain(QList<QWidget*> chain)
{
    m_scene->setTabChain(std::move(chain));
}

void ScaledView::rescaleShadow(QGraphicsDropShadowEffect* shadow) const
{
    // The effect draws in device pixels, so its geometry follows the stretch by hand.
    const QTransform scale = transform();
    shadow->setOffset(kShadowDistance * std::cos(kShadowDirection) * scale.m11(),
                      kShadowDistance * std::sin(kShadowDirection) * scale.m22());
    shadow->setBlurRadius(kShadowBlur * (scale.m11() + scale.m22()) / 2);
}

void ScaledView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    const QSize size = viewport()->size();
    setTransform(QTransform::fromScale(size.width() / m_designSize.width(),
                                       size.height() / m_designSize.height()));
    for (const auto& shadow : std::as_const(m_shadows)) {
        if (shadow)
            rescaleShadow(shadow);
    }
}

void ScaledView::focusInEvent(QFocusEvent* event)
{
    QGraphicsView::focusInEvent(event);
    if (!m_scene->focusItem())
        m_scene->focusFirst();
}

} // namespace vocarin
