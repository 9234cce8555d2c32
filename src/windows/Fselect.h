#pragma once

#include <QStringList>
#include <QWidget>

class QAction;
class QEventLoop;
class QLabel;
class QListWidget;
class QPushButton;

namespace vocarin {

class Lifecycle;
class ScaledView;
class TForm1;

// The course selection dialog, always shown modally over the main window.
// It owns no data: the folders are the main window's SubDirectoryList.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize kDesignSize{442, 256};

    TForm2(TForm1& form1, Lifecycle& life);

    QLabel* Label1;
    QListWidget* ListBox1;
    QPushButton* Button1;
    ScaledView* ScaledLayout1;

    void Button1Click();

    // Shows the dialog maximised and runs a nested loop until it is closed or
    // the application terminates; hidden afterwards, never destroyed.
    void ShowModal();

    // Offers these course titles, in this order, none of them selected.
    void setCourses(const QStringList& titles);
    // The selected item's index, -1 when none is selected.
    int ItemIndex() const;
    void setItemIndex(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TForm1& m_form1;
    Lifecycle& m_life;
    QEventLoop* m_loop = nullptr;
    bool m_shownBefore = false;
    QAction* m_escape; // Esc: the close box's work on later showings
};

} // namespace vocarin
