#include "widgets/ShadowLayer.h"

#include <QGraphicsDropShadowEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPaintEvent>
#include <QPainter>

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

} // namespace vocarin
