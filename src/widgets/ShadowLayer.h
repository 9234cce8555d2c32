#pragma once

#include <QImage>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

#include <vector>

namespace vocarin {

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

} // namespace vocarin
