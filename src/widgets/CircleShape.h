#pragma once

#include <QColor>
#include <QWidget>

namespace vocarin {

// A circle whose diameter is the smaller side of the box, centred in it, with
// its outline drawn inside the box. Transparent, and clicks pass through it.
class CircleShape : public QWidget
{
    Q_OBJECT
public:
    CircleShape(QColor stroke, qreal strokeThickness);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_stroke;
    qreal m_strokeThickness;
};

} // namespace vocarin
