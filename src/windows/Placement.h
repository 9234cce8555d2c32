#pragma once

#include <QSize>

#include <functional>

class QWidget;

namespace vocarin {

// Shows a top-level window maximised. Its normal size is the client size,
// centred on the desktop at the first showing. Without a window manager
// (a bare X server) nobody acts on "maximised": the window then takes the
// screen's available area itself.
void showMaximised(QWidget* window, QSize clientSize, bool firstShowing);

// Runs the step once, when the window is first on screen (exposed).
void afterFirstExposed(QWidget& window, std::function<void()> step);

} // namespace vocarin
