#include "widgets/CircleShape.h"

#include <QPainter>

#include <algorithm>

namespace vocarin {

CircleShape::CircleShape(QColor stroke, qreal strokeThickness)
    : m_stroke(stroke), m_strokeThickness(strokeThickness)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void CircleShape::paintEvent(QPaintEvent*)
{
    const qreal diameter = std::min(width(), height());
    QRectF circle((width() - diameter) / 2, (height() - diameter) / 2, diameter, diameter);
    const qreal half = m_strokeThickness / 2;
    circle.adjust(half, half, -half, -half);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_stroke, m_strokeThickness));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle);
}

} // namespace vocarin
