#include "widgets/FocusRing.h"

#include <QPainter>

namespace vocarin {

namespace {

// How far the ring reaches around its control, in design units: a light line
// of one unit, then a dark band of two.
constexpr int kRingLight = 1;
constexpr int kRingDark = 2;
constexpr int kRingReach = kRingLight + kRingDark;

} // namespace

FocusRing::FocusRing(QWidget* canvas) : QWidget(canvas)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::follow(QWidget* control)
{
    m_control = control;
    place();
}

void FocusRing::place()
{
    if (!m_control || !m_control->hasFocus() || !m_control->isVisible()) {
        hide();
        return;
    }
    const QRect around(m_control->mapTo(parentWidget(), QPoint(0, 0)), m_control->size());
    setGeometry(around.adjusted(-kRingReach, -kRingReach, kRingReach, kRingReach));
    raise();
    show();
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    const QRect middle = outer.adjusted(kRingDark, kRingDark, -kRingDark, -kRingDark);
    const QRect inner = middle.adjusted(kRingLight, kRingLight, -kRingLight, -kRingLight);
    painter.setClipRegion(QRegion(outer).subtracted(QRegion(middle)));
    painter.fillRect(outer, Qt::black);
    painter.setClipRegion(QRegion(middle).subtracted(QRegion(inner)));
    painter.fillRect(middle, Qt::white);
}

} // namespace vocarin
