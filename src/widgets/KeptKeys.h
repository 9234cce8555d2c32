#pragma once

class QKeyEvent;
class QWidget;

namespace vocarin {

bool isArrowKey(int key);

// What the focused control keeps for itself: the keys it works with, which
// the window's own keys leave to it.
bool keepsKey(const QWidget* control, const QKeyEvent& key);

} // namespace vocarin
