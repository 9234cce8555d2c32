#include "widgets/KeptKeys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace vocarin {

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
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
            return isArrowKey(code);
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
        return typed || isArrowKey(code) || code == Qt::Key_Home || code == Qt::Key_End ||
               code == Qt::Key_PageUp || code == Qt::Key_PageDown || code == Qt::Key_Return ||
               code == Qt::Key_Enter || code == Qt::Key_F4;
    }
    return false;
}

bool ignoresKey(const QWidget* control, const QKeyEvent& key)
{
    auto* radio = qobject_cast<const QRadioButton*>(control);
    return radio && radio->isChecked() &&
           (key.key() == Qt::Key_Space || key.key() == Qt::Key_Select);
}

} // namespace vocarin
