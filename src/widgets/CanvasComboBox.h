#pragma once

#include <QComboBox>

namespace vocarin {

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

} // namespace vocarin
