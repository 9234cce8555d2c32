#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QAction;
class QEventLoop;
class QLabel;
class QListWidget;
class QPushButton;

namespace vocarin {

class Lifecycle;
class ScaledView;

// The course selection dialog, always shown modally over the main window.
// It owns no data: it offers the course titles and tells the one who shows
// it which was chosen; the folders are the main window's SubDirectoryList.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize kDesignSize{442, 256};

    TForm2(QWidget& mainWindow, Lifecycle& life);

    void Button1Click();

    // Finding a control by name; null when there is none or it is not a Control.
    template <typename Control = QWidget> Control* control(const QString& name) const
    {
        return qobject_cast<Control*>(controlNamed(name));
    }
    // The view that shows the controls stretched over the window.
    ScaledView* view() const { return ScaledLayout1; }

    // Shows the dialog maximised and runs a nested loop until it is closed or
    // the application terminates; hidden afterwards, never destroyed. OK
    // hands the selected item's index (-1: none) to accept, then closes the
    // dialog; a fault from accept leaves it open.
    void ShowModal(std::function<void(int item)> accept);

    // Offers these course titles, in this order, none of them selected.
    void setCourses(const QStringList& titles);
    // The selected item's index, -1 when none is selected.
    int ItemIndex() const;
    void setItemIndex(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls sit on the view's canvas, not among the dialog's children.
    QWidget* controlNamed(const QString& name) const;

    QLabel* Label1;
    QListWidget* ListBox1;
    QPushButton* Button1;
    ScaledView* ScaledLayout1;
    Lifecycle& m_life;
    std::function<void(int item)> m_accept; // while shown
    QEventLoop* m_loop = nullptr;
    bool m_shownBefore = false;
    QAction* m_escape; // Esc: the close box's work on later showings
};

} // namespace vocarin
