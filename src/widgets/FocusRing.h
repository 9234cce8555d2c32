#pragma once

#include <QPointer>
#include <QWidget>

namespace vocarin {

// The ring around the control that has the keyboard focus: dark on the
// window's green and on grey alike, with a light line that parts it from a
// dark control. It lies over every control and takes no input.
class FocusRing : public QWidget
{
public:
    explicit FocusRing(QWidget* canvas);

    void follow(QWidget* control);
    QWidget* control() const { return m_control; }

    // Around the control while it has the focus and shows; hidden otherwise.
    void place();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QWidget> m_control;
};

} // namespace vocarin
