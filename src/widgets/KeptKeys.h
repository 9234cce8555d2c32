#pragma once

class QKeyEvent;
class QWidget;

namespace vocarin {

bool isArrowKey(int key);

// Which control keeps which key, for every window's canvas (DesignCanvas,
// ScaledView): the window's own keys (DrillActions) get only the rest.

// What the focused control keeps for itself: the keys it works with, which
// the window's own keys leave to it.
bool keepsKey(const QWidget* control, const QKeyEvent& key);

// What the focused control keeps and does nothing with: Space on a checked
// option, which the toolkit would click again and so run its choice's
// handler (a choice count would restart the run). Only the pointer may.
bool ignoresKey(const QWidget* control, const QKeyEvent& key);

} // namespace vocarin
