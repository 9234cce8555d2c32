#pragma once

#include "widgets/DesignCanvas.h"

#include <QGraphicsView>
#include <QList>
#include <QSizeF>

namespace vocarin {

class CanvasProxy;

// A design canvas stretched over the whole view with independent horizontal
// and vertical factors: text, outlines and shadows scale with it, and hit
// testing follows.
class ScaledView : public QGraphicsView
{
    Q_OBJECT
public:
    // How the canvas reaches the screen. Directly, a change redraws every
    // control within the bounding box of what changed. Through a copy in
    // screen pixels, it redraws only the controls it touched, however far
    // apart they lie, for four bytes a pixel: worth it where a whole redraw is
    // slow, on views of full HD and more; smaller ones are drawn directly.
    enum class Drawing { Direct, ThroughCopyWhenLarge };

    ScaledView(QSizeF designSize, Drawing drawing, QWidget* parent);

    QSizeF designSize() const { return m_designSize; }
    DesignCanvas* canvas() const { return m_canvas; }

    // Puts a control on the canvas at rect (design units, relative to parent,
    // or to the canvas when parent is null). Later controls lie over earlier
    // ones.
    void place(QWidget* control, QWidget* parent, const QRectF& rect);
    // Where a control lies on the canvas, in design units.
    QRectF canvasRect(const QWidget* control) const;
    // Gives a control on the canvas the buttons' drop shadow.
    void addShadow(QWidget* control);
    void setTabChain(QList<QWidget*> chain) { m_canvas->setTabChain(std::move(chain)); }
    void leaveUnringed(QWidget* control) { m_canvas->leaveUnringed(control); }
    // Where the focus goes when the view gets it and no control had it: to
    // the first control of the tab chain, or nowhere until Tab is pressed.
    enum class EntryFocus { FirstControl, None };
    void setEntryFocus(EntryFocus entry) { m_entryFocus = entry; }
    // A list opened from a control of the canvas is showing.
    bool popupOpen() const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QSizeF m_designSize;
    Drawing m_drawing;
    EntryFocus m_entryFocus = EntryFocus::FirstControl;
    DesignCanvas* m_canvas;
    CanvasProxy* m_proxy;
};

} // namespace vocarin
