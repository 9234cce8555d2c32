#include "windows/ScaledView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vocarin {

namespace {

constexpr qreal kShadowDistance = 3.0;
constexpr qreal kShadowDirection = 45.0 * std::numbers::pi / 180.0;
constexpr qreal kShadowBlur = 3.0;               // softness 0.3 of a 10-unit spread
constexpr qreal kShadowSpread = 2 * kShadowBlur; // how far the blur reaches past the shape
constexpr int kShadowAlpha = 153;                // opacity 0.6
const QPointF kShadowOffset(kShadowDistance* std::cos(kShadowDirection),
                            kShadowDistance* std::sin(kShadowDirection));

constexpr qreal kFullHdPixels = 1920.0 * 1080.0;
constexpr int kOtherPixmapsKiB = 10 * 1024; // the toolkit's own default pixmap cache limit

// How far the focus ring reaches around its control, in design units: a
// light line of one unit, then a dark band of two.
constexpr int kRingLight = 1;
constexpr int kRingDark = 2;
constexpr int kRingReach = kRingLight + kRingDark;

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// The shadow a control casts, made in screen pixels at the canvas's stretch
// by the toolkit's drop shadow, with kShadowSpread units of room on every
// side. The toolkit draws the control too: the shadow is cast well clear of
// it and cut out.
QImage shadowOf(QWidget* control, QSizeF stretch)
{
    QPixmap shape(
        QSizeF(control->width() * stretch.width(), control->height() * stretch.height()).toSize());
    shape.fill(Qt::transparent);
    {
        QPainter painter(&shape);
        painter.scale(stretch.width(), stretch.height());
        control->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    const qreal across = kShadowSpread * stretch.width();
    const qreal down = kShadowSpread * stretch.height();
    const qreal clear = shape.width() + 2 * across;
    QGraphicsScene scene;
    QGraphicsPixmapItem* item = scene.addPixmap(shape);
    auto* shadow = new QGraphicsDropShadowEffect;
    QColor colour(Qt::black);
    colour.setAlpha(kShadowAlpha);
    shadow->setColor(colour);
    shadow->setBlurRadius(kShadowBlur * (stretch.width() + stretch.height()) / 2);
    shadow->setOffset(clear, 0);
    item->setGraphicsEffect(shadow);
    // The toolkit blurs only what lies on the device: both are drawn, the shadow kept.
    const QRectF shadowRect =
        item->boundingRect().translated(clear, 0).adjusted(-across, -down, across, down);
    const QRectF area = shadowRect.united(item->boundingRect());
    QImage both(area.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    both.fill(Qt::transparent);
    {
        QPainter painter(&both);
        scene.render(&painter, QRectF(both.rect()), area);
    }
    return both.copy(shadowRect.translated(-area.topLeft()).toRect());
}

// Where the shadow of a control at rect falls.
QRect shadowArea(const QRect& rect)
{
    return QRectF(rect)
        .translated(kShadowOffset)
        .adjusted(-kShadowSpread, -kShadowSpread, kShadowSpread, kShadowSpread)
        .toAlignedRect();
}

} // namespace

// The ring around the control that has the keyboard focus: dark on the
// window's green and on grey alike, with a light line that parts it from a
// dark control. It lies over every control and takes no input.
class FocusRing : public QWidget
{
public:
    explicit FocusRing(QWidget* canvas) : QWidget(canvas)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    void follow(QWidget* control)
    {
        m_control = control;
        place();
    }
    QWidget* control() const { return m_control; }

    // Around the control while it has the focus and shows; hidden otherwise.
    void place()
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

protected:
    void paintEvent(QPaintEvent*) override
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

private:
    QPointer<QWidget> m_control;
};

DesignCanvas::DesignCanvas(QSizeF designSize) : m_ring(new FocusRing(this))
{
    resize(designSize.toSize());
    // Only the controls are drawn; the view's background shows between them.
    setAttribute(Qt::WA_TranslucentBackground);
}

void DesignCanvas::setTabChain(QList<QWidget*> chain)
{
    chain.removeIf([](const QWidget* control) { return control->focusPolicy() == Qt::NoFocus; });
    m_chain = std::move(chain);
}

bool DesignCanvas::takesTabStop(const QWidget* control) const
{
    // Every option of a radio group is a stop of its own, checked or not.
    return control->isVisibleTo(this) && control->isEnabled();
}

QWidget* DesignCanvas::focusedControl() const
{
    QWidget* control = focusWidget();
    return control && control->hasFocus() ? control : nullptr;
}

void DesignCanvas::watch(QWidget* control)
{
    control->installEventFilter(this);
}

bool DesignCanvas::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The proxy hands a key on to the focused control as a key of its
        // own, which the window's keys are tried on again.
        if (keepsKey(qobject_cast<QWidget*>(watched), *static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::FocusIn: {
        auto* control = qobject_cast<QWidget*>(watched);
        m_ring->follow(m_unringed.contains(control) ? nullptr : control);
        break;
    }
    case QEvent::FocusOut:
    case QEvent::EnabledChange: // a disabled control loses the focus without a focus-out
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == m_ring->control())
            m_ring->place();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool DesignCanvas::focusFirst()
{
    for (QWidget* control : std::as_const(m_chain)) {
        if (takesTabStop(control)) {
            control->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

bool DesignCanvas::focusNextPrevChild(bool next)
{
    // A control disabled while it has the focus takes the focus with it: the
    // focus never lands on a control the learner did not choose.
    if (QWidget* current = focusWidget(); current && !current->isEnabled())
        return false;
    const qsizetype count = m_chain.size();
    if (count == 0)
        return QWidget::focusNextPrevChild(next);
    const qsizetype current = m_chain.indexOf(focusWidget());
    for (qsizetype step = 1; step <= count; ++step) {
        qsizetype index = current < 0 ? (next ? step - 1 : count - step)
                                      : (current + (next ? step : -step) + count) % count;
        QWidget* control = m_chain.at(index);
        if (takesTabStop(control)) {
            control->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void DesignCanvas::keyPressEvent(QKeyEvent* event)
{
    // The toolkit's radio buttons look for the focus outside the canvas and
    // let their arrow keys through: they are handled here instead.
    auto* radio = qobject_cast<QAbstractButton*>(focusedControl());
    if (radio && radio->isCheckable() && radio->group() && isArrow(event->key())) {
        moveInGroup(radio, event->key());
        return;
    }
    QWidget::keyPressEvent(event);
}

void DesignCanvas::moveInGroup(QAbstractButton* from, int key)
{
    // To the option before (left, up) or after (right, down) in reading
    // order, and checked when the one left was checked, as the toolkit's
    // radio buttons do.
    QList<QAbstractButton*> buttons = from->group()->buttons();
    buttons.removeIf([this](const QAbstractButton* b) { return !takesTabStop(b); });
    const auto place = [this](const QAbstractButton* b) {
        const QPoint at = b->mapTo(this, QPoint(0, 0));
        return std::pair(at.y(), at.x());
    };
    std::sort(
        buttons.begin(), buttons.end(),
        [&](const QAbstractButton* a, const QAbstractButton* b) { return place(a) < place(b); });
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    const qsizetype at = buttons.indexOf(from) + (back ? -1 : 1);
    if (at < 0 || at >= buttons.size())
        return;
    QAbstractButton* to = buttons.at(at);
    if (from->isChecked())
        to->click();
    to->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

bool keepsKey(const QWidget* control, const QKeyEvent& key)
{
    if (!control)
        return false;
    const int code = key.key();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        if (code == Qt::Key_Space)
            return true;
        if (button->isCheckable())
            return isArrow(code);
        // The toolkit's button rule: Enter presses a button that takes it.
        auto* push = qobject_cast<const QPushButton*>(button);
        return push && push->autoDefault() && (code == Qt::Key_Return || code == Qt::Key_Enter);
    }
    if (qobject_cast<const QComboBox*>(control) ||
        qobject_cast<const QAbstractItemView*>(control)) {
        // Its arrows, Home, End and pages, Enter, and typed letters and digits to
        // find an entry.
        const QString text = key.text();
        const bool typed =
            !text.isEmpty() && text.front().isPrint() &&
            !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        return typed || isArrow(code) || code == Qt::Key_Home || code == Qt::Key_End ||
               code == Qt::Key_PageUp || code == Qt::Key_PageDown || code == Qt::Key_Return ||
               code == Qt::Key_Enter || code == Qt::Key_F4;
    }
    return false;
}

ShadowLayer::ShadowLayer(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(parent->rect());
    lower();
    show();
}

void ShadowLayer::cast(QWidget* control)
{
    m_casts.push_back({control, {}, {}, {}});
    control->installEventFilter(this);
    update();
}

bool ShadowLayer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        // Only the control's own shadow changes: a whole-canvas repaint would
        // cost a full-screen frame.
        if (auto* control = qobject_cast<QWidget*>(watched))
            update(shadowArea(control->geometry()));
        break;
    case QEvent::Move:
    case QEvent::Resize:
        update();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ShadowLayer::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (Cast& cast : m_casts) {
        if (!cast.control || !cast.control->isVisibleTo(parentWidget()) ||
            !event->region().intersects(shadowArea(cast.control->geometry())))
            continue;
        const QTransform device = painter.deviceTransform();
        const QSizeF stretch(device.m11(), device.m22());
        if (cast.madeFor != cast.control->size() || cast.madeAt != stretch) {
            cast.madeFor = cast.control->size();
            cast.madeAt = stretch;
            cast.shadow = shadowOf(cast.control, stretch);
        }
        const QPointF corner =
            QPointF(cast.control->pos()) + kShadowOffset - QPointF(kShadowSpread, kShadowSpread);
        painter.drawImage(QRectF(corner, QSizeF(cast.shadow.width() / stretch.width(),
                                                cast.shadow.height() / stretch.height())),
                          cast.shadow);
    }
}

bool CanvasComboBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !currentText().isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), currentText(), this);
        return true;
    }
    return QComboBox::event(event);
}

void CanvasComboBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        showPopup();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        QKeyEvent vertical(event->type(), event->key() == Qt::Key_Left ? Qt::Key_Up : Qt::Key_Down,
                           event->modifiers());
        QComboBox::keyPressEvent(&vertical);
        event->setAccepted(vertical.isAccepted());
        return;
    }
    default:
        QComboBox::keyPressEvent(event);
    }
}

namespace {

// While the list is open every key is its own: the window's keys are not
// tried on the keys the list's proxy hands on to it.
class KeepsEveryKey : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Accepted, and still handed on: the list picks its entry on Enter
        // when it sees the key here.
        if (event->type() == QEvent::ShortcutOverride)
            event->accept();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void CanvasComboBox::showPopup()
{
    QComboBox::showPopup();
    if (!m_keepsEveryKey) {
        m_keepsEveryKey = new KeepsEveryKey(this);
        view()->installEventFilter(m_keepsEveryKey);
        view()->window()->installEventFilter(m_keepsEveryKey);
    }
    QGraphicsProxyWidget* canvasProxy = window()->graphicsProxyWidget();
    QGraphicsProxyWidget* popup = view()->window()->graphicsProxyWidget();
    if (!canvasProxy || !popup || !popup->parentItem())
        return;
    // The keys go to the open list, as they do to a list in a window of its own.
    // Its proxy is a panel of its own, which takes the focus once active.
    popup->setActive(true);
    popup->setFocus(Qt::PopupFocusReason);
    // The popup's proxy belongs to the canvas's: it is drawn over every control.
    const QRectF canvas = canvasProxy->scene()->sceneRect();
    const QRectF box = canvasProxy->mapRectToScene(QRectF(mapTo(window(), QPoint(0, 0)), size()));
    const QRectF shown = popup->sceneBoundingRect();
    if (canvas.contains(shown))
        return;
    const qreal below = canvas.bottom() - box.bottom();
    const qreal above = box.top() - canvas.top();
    const qreal height = std::min(shown.height(), std::max(below, above));
    const qreal top = (height <= below) ? box.bottom() : box.top() - height;
    const qreal left = std::clamp(shown.left(), canvas.left(), canvas.right() - shown.width());
    popup->setGeometry(
        popup->parentItem()->mapRectFromScene(QRectF(left, top, shown.width(), height)));
    // The chosen voice stays in sight in the shorter list.
    view()->scrollTo(view()->currentIndex());
}

void CanvasComboBox::hidePopup()
{
    QComboBox::hidePopup();
    // The keys go back to the box.
    if (QGraphicsProxyWidget* canvasProxy = window()->graphicsProxyWidget())
        canvasProxy->setFocus(Qt::PopupFocusReason);
}

// Shows the canvas, directly or from a copy kept in screen pixels. The
// toolkit's proxy merges everything that changed into one rectangle: a press
// that changes two corners of the window would redraw the whole window. Into
// the copy, only what changed is drawn, and the copy is shown as it is.
class ScaledView::CanvasProxy : public QGraphicsProxyWidget
{
public:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override
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
};

ScaledView::ScaledView(QSizeF designSize, Drawing drawing, QWidget* parent)
    : QGraphicsView(parent), m_designSize(designSize), m_drawing(drawing),
      m_canvas(new DesignCanvas(designSize)), m_proxy(new CanvasProxy)
{
    auto* scene = new QGraphicsScene(this);
    scene->setSceneRect(QRectF(QPointF(0, 0), designSize));
    m_proxy->setWidget(m_canvas);
    m_proxy->setFocusPolicy(Qt::StrongFocus);
    scene->addItem(m_proxy);
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setFocusPolicy(Qt::StrongFocus);
}

void ScaledView::place(QWidget* control, QWidget* parent, const QRectF& rect)
{
    QWidget* holder = parent ? parent : m_canvas;
    QRectF at = rect;
    // A child is cut off at its parent's edge: one placed past the edge lies
    // on the canvas at the same spot, over its parent.
    if (parent && !QRectF(parent->rect()).contains(rect)) {
        holder = m_canvas;
        at.translate(canvasRect(parent).topLeft());
    }
    control->setParent(holder);
    control->setGeometry(at.toRect());
    control->show();
    m_canvas->watch(control);
}

QRectF ScaledView::canvasRect(const QWidget* control) const
{
    return QRectF(control->mapTo(m_canvas, QPoint(0, 0)), control->size());
}

void ScaledView::addShadow(QWidget* control)
{
    QWidget* holder = control->parentWidget();
    auto* layer = holder->findChild<ShadowLayer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!layer)
        layer = new ShadowLayer(holder);
    layer->cast(control);
}

void ScaledView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    const QSize size = viewport()->size();
    setTransform(QTransform::fromScale(size.width() / m_designSize.width(),
                                       size.height() / m_designSize.height()));
    const qreal ratio = devicePixelRatioF();
    const qreal pixels = size.width() * ratio * size.height() * ratio;
    const bool throughCopy = m_drawing == Drawing::ThroughCopyWhenLarge && pixels >= kFullHdPixels;
    m_proxy->setCacheMode(throughCopy ? QGraphicsItem::DeviceCoordinateCache
                                      : QGraphicsItem::NoCache);
    // The copy must fit in the pixmap cache beside the toolkit's own
    // pixmaps, or it is drawn afresh for every frame.
    if (throughCopy)
        QPixmapCache::setCacheLimit(
            std::max(QPixmapCache::cacheLimit(), kOtherPixmapsKiB + int(pixels * 4 / 1024)));
}

bool ScaledView::popupOpen() const
{
    const auto children = m_proxy->childItems();
    return std::any_of(children.begin(), children.end(), [](const QGraphicsItem* item) {
        return item->isWidget() && item->isVisible();
    });
}

bool ScaledView::event(QEvent* event)
{
    // A key the focused control works with, or any key while a list is open,
    // goes to it before the window's own keys can take it.
    if (event->type() == QEvent::ShortcutOverride &&
        (popupOpen() || keepsKey(m_canvas->focusedControl(), *static_cast<QKeyEvent*>(event)))) {
        event->accept();
        return true;
    }
    // Tab follows the canvas's chain, also while no control has the focus,
    // when the scene would follow its own.
    if (event->type() == QEvent::KeyPress && !popupOpen()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
            (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            m_canvas->focusNextPrevChild(key->key() == Qt::Key_Tab &&
                                         !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QGraphicsView::event(event);
}

void ScaledView::focusInEvent(QFocusEvent* event)
{
    QGraphicsView::focusInEvent(event);
    // The canvas takes the view's keys and context menus also while none of
    // its controls has the focus.
    if (!m_proxy->hasFocus())
        m_proxy->setFocus(Qt::OtherFocusReason);
    if (m_entryFocus == EntryFocus::FirstControl && !m_canvas->focusWidget())
        m_canvas->focusFirst();
}

} // namespace vocarin
