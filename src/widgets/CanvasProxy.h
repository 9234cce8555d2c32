#pragma once

#include <QGraphicsProxyWidget>

namespace vocarin {

// Shows the canvas, directly or from a copy kept in screen pixels. The
// toolkit's proxy merges everything that changed into one rectangle: a press
// that changes two corners of the window would redraw the whole window. Into
// the copy, only what changed is drawn, and the copy is shown as it is.
class CanvasProxy : public QGraphicsProxyWidget
{
public:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
};

} // namespace vocarin
