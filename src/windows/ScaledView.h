#pragma once

#include <QComboBox>
#include <QGraphicsView>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QSizeF>

#include <vector>

class QAbstractButton;
class QKeyEvent;

namespace vocarin {

class FocusRing;

// The design-size widget that holds every control of a window as an ordinary
// child: one proxy shows it all, so the toolkit makes no native window per
// control. Tab follows the window's own tab chain, and the control with the
// keyboard focus wears a ring that shows it.
class DesignCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit DesignCanvas(QSizeF designSize);
    // Controls that take no focus are left out.
    void setTabChain(QList<QWidget*> chain);
    bool focusFirst();
    // The control that has the keyboard focus, or null.
    QWidget* focusedControl() const;
    // Follows a control's focus for the ring.
    void watch(QWidget* control);
    // The control draws no ring when it has the focus.
    void leaveUnringed(QWidget* control) { m_unringed.append(control); }
    // Tab and Shift+Tab along the chain, also while no control has the focus.
    bool focusNextPrevChild(bool next) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool takesTabStop(const QWidget* control) const;
    void moveInGroup(QAbstractButton* from, int key);
    QList<QWidget*> m_chain;
    QList<QPointer<QWidget>> m_unringed;
    FocusRing* m_ring;
};

// What the focused control keeps for itself: the keys it works with, which
// the window's own keys leave to it.
bool keepsKey(const QWidget* control, const QKeyEvent& key);

// Draws the drop shadows of controls that share its parent: 3 units down and
// to the right, soft, 60 % black. It covers the parent and lies under every
// other child, so each shadow is drawn in design units, stretched with the
// canvas like the control that casts it.
class ShadowLayer : public QWidget
{
    Q_OBJECT
public:
    explicit ShadowLayer(QWidget* parent);
    void cast(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Cast
    {
        QPointer<QWidget> control;
        QImage shadow;
        QSize madeFor; // the control's size when the shadow was made
        QSizeF madeAt; // and the canvas's stretch
    };
    std::vector<Cast> m_casts;
};

// A combo box on the canvas. Its popup is drawn on the canvas too, where the
// toolkit would let it run past the canvas's edge and be cut off: it is kept
// on the canvas, on the side with more room, and scrolls what does not fit.
// Its tooltip is the whole chosen text, which the closed box may cut. Closed,
// Enter opens it like Space, and the left and right arrows choose as the up
// and down arrows do.
class CanvasComboBox : public QComboBox
{
public:
    void showPopup() override;
    void hidePopup() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QObject* m_keepsEveryKey = nullptr;
};

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
    class CanvasProxy;
    QSizeF m_designSize;
    Drawing m_drawing;
    EntryFocus m_entryFocus = EntryFocus::FirstControl;
    DesignCanvas* m_canvas;
    CanvasProxy* m_proxy;
};

} // namespace vocarin
