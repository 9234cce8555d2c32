#pragma once

#include <QSize>

class QWidget;

namespace vocarin {

// Shows a top-level window maximised. Its normal size is the client size,
// centred on the desktop at the first showing. Without a window manager
// (a bare X server) nobody acts on "maximised": the window then takes the
// screen's available area itself.
void showMaximised(QWidget* window, QSize clientSize, bool firstShowing);

} // namespace vocarin
