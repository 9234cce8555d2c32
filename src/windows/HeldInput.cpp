#include "windows/HeldInput.h"

#include "windows/Lifecycle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace vocarin {

namespace {

// What the learner does to a window with the keys, the buttons and the wheel.
// Pointer moves are left alone: they act on nothing but a hover.
bool isHeldInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

// How a held event is made again when it is handed back. A pointer event is
// made anew only then: every one made shares the pointer's one point, whose
// place moves on meanwhile (to the box's OK, say).
std::function<std::unique_ptr<QEvent>()> remaking(const QEvent& event)
{
    if (const auto* mouse = dynamic_cast<const QMouseEvent*>(&event)) {
        return [type = mouse->type(), at = mouse->position(), inScene = mouse->scenePosition(),
                onScreen = mouse->globalPosition(), button = mouse->button(),
                buttons = mouse->buttons(), modifiers = mouse->modifiers(),
                device = mouse->pointingDevice(), time = mouse->timestamp()] {
            auto remade = std::make_unique<QMouseEvent>(type, at, inScene, onScreen, button,
                                                        buttons, modifiers, device);
            remade->setTimestamp(time);
            return remade;
        };
    }
    if (const auto* wheel = dynamic_cast<const QWheelEvent*>(&event)) {
        return [at = wheel->position(), onScreen = wheel->globalPosition(),
                pixels = wheel->pixelDelta(), angle = wheel->angleDelta(),
                buttons = wheel->buttons(), modifiers = wheel->modifiers(), phase = wheel->phase(),
                inverted = wheel->inverted(), source = wheel->source(),
                device = wheel->pointingDevice(), time = wheel->timestamp()] {
            auto remade = std::make_unique<QWheelEvent>(at, onScreen, pixels, angle, buttons,
                                                        modifiers, phase, inverted, source, device);
            remade->setTimestamp(time);
            return remade;
        };
    }
    return [kept = std::shared_ptr<const QEvent>(event.clone())] {
        return std::unique_ptr<QEvent>(kept->clone());
    };
}

} // namespace

HeldInput::HeldInput(QWidget& window, Lifecycle& life)
    : QObject(&window), m_window(window), m_life(life)
{
    // Its activation, once a box has gone, lets the held input on.
    m_window.installEventFilter(this);
}

HeldInput::~HeldInput() = default;

HeldInput* HeldInput::of(QWidget* window)
{
    return window ? window->findChild<HeldInput*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool HeldInput::eventFilter(QObject* receiver, QEvent* event)
{
    if (receiver == &m_window) {
        if (event->type() == QEvent::WindowActivate)
            handBackSoon();
        return false;
    }
    if (!holding() || event == m_handingBack)
        return false;
    // A key goes first to the window's keys and its focused control as a
    // shortcut: neither takes it now, so it comes here as a key.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (!isHeldInput(event->type()))
        return false;
    m_held.push_back(remaking(*event));
    event->accept();
    return true;
}

void HeldInput::boxShowing()
{
    ++m_boxes;
    // The native window is made when the window is first shown.
    QWindow* native = m_window.windowHandle();
    if (native && native != m_watched) {
        native->installEventFilter(this);
        m_watched = native;
    }
    // What is queued for the window now (made while the words before the box
    // were spoken) comes in and is held, before the box blocks the window.
    QCoreApplication::processEvents();
}

void HeldInput::boxClosed()
{
    --m_boxes;
    handBackSoon();
}

void HeldInput::handBackSoon()
{
    if (m_held.empty() || m_stepQueued)
        return;
    m_stepQueued = true;
    QMetaObject::invokeMethod(this, &HeldInput::handBackNext, Qt::QueuedConnection);
}

void HeldInput::handBackNext()
{
    m_stepQueued = false;
    // A box's close, the event in hand once it has been handled, or the
    // window's activation brings the next step.
    if (m_held.empty() || m_boxes > 0 || m_handingBack || !m_window.isActiveWindow())
        return;
    if (m_life.handlerRunning()) {
        m_life.afterHandlers([self = QPointer(this)] {
            if (self)
                self->handBackSoon();
        });
        return;
    }
    const std::unique_ptr<QEvent> event = m_held.front()();
    m_held.pop_front();
    const QPointer<HeldInput> self(this);
    m_handingBack = event.get();
    // As it came from the window system; a key is tried on the window's keys
    // first, as the toolkit does with a key of the program's own.
    QCoreApplication::sendEvent(m_watched, event.get());
    if (!self)
        return;
    m_handingBack = nullptr;
    handBackSoon();
}

HoldForBox::HoldForBox(QWidget* window) : m_held(HeldInput::of(window))
{
    if (m_held)
        m_held->boxShowing();
}

HoldForBox::~HoldForBox()
{
    if (m_held)
        m_held->boxClosed();
}

} // namespace vocarin
