#pragma once

#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QList>
#include <QPointer>
#include <QSizeF>

class QGraphicsDropShadowEffect;
class QGraphicsProxyWidget;

namespace vocarin {

// The scene of one window: Tab follows the window's own tab chain.
class DesignScene : public QGraphicsScene
{
    Q_OBJECT
public:
    using QGraphicsScene::QGraphicsScene;
    void setTabChain(QList<QWidget*> chain) { m_chain = std::move(chain); }
    bool focusFirst();

protected:
    bool focusNextPrevChild(bool next) override;

private:
    bool takesTabStop(QWidget* control) const;
    QList<QWidget*> m_chain;
};

// A combo box on the canvas. Its popup is drawn on the canvas too, where the
// toolkit would let it run past the canvas's edge and be cut off: it is kept
// on the canvas, on the side with more room, and scrolls what does not fit.
class CanvasComboBox : public QComboBox
{
public:
    void showPopup() override;
    void hidePopup() override;

private:
    qreal m_restingZ = 0;
};

// A design canvas stretched over the whole view with independent horizontal
// and vertical factors: text, outlines and shadows scale with it, and hit
// testing follows. Every control sits in a proxy of its own.
class ScaledView : public QGraphicsView
{
    Q_OBJECT
public:
    ScaledView(QSizeF designSize, QWidget* parent);

    QSizeF designSize() const { return m_designSize; }

    // Puts a top-level widget on the canvas at rect (design units, relative
    // to parent's proxy, or to the canvas when parent is null); z orders
    // siblings. Returns the proxy, which owns the widget.
    QGraphicsProxyWidget* place(QWidget* control, QGraphicsProxyWidget* parent, const QRectF& rect,
                                qreal z);
    // The buttons' drop shadow: 3 units down and to the right, soft, 60 % black.
    QGraphicsDropShadowEffect* addShadow(QGraphicsProxyWidget* proxy);
    void setTabChain(QList<QWidget*> chain);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void rescaleShadow(QGraphicsDropShadowEffect* shadow) const;

    QSizeF m_designSize;
    DesignScene* m_scene;
    QList<QPointer<QGraphicsDropShadowEffect>> m_shadows;
};

} // namespace vocarin
