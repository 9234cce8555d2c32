#include "widgets/CanvasProxy.h"

#include <QPainter>
#include <QWidget>

namespace vocarin {

void CanvasProxy::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
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

} // namespace vocarin
