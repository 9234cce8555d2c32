#include "windows/Fselect.h"

#include "widgets/Look.h"
#include "widgets/ScaledView.h"
#include "windows/Lifecycle.h"
#include "windows/Placement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

// The course list keeps its selection: a click beside the titles or a
// Ctrl+click on the selected one would clear it, and OK would then fail.
class CourseList : public QListWidget
{
protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override
    {
        const auto command = QListWidget::selectionCommand(index, event);
        if (!index.isValid() ||
            (selectionModel()->isSelected(index) &&
             command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
            return QItemSelectionModel::NoUpdate;
        return command;
    }
};

} // namespace

TForm2::TForm2(QWidget& mainWindow, Lifecycle& life)
    : QWidget(&mainWindow, Qt::Window), m_life(life)
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"問題の変更"_s);

    ScaledLayout1 = new ScaledView(kDesignSize, ScaledView::Drawing::Direct, this);
    ScaledLayout1->setObjectName(u"ScaledLayout1"_s);
    ScaledLayout1->setBackgroundBrush(palette().window());
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(ScaledLayout1);

    Button1 = new QPushButton(u"OK"_s);
    Button1->setObjectName(u"Button1"_s);
    Button1->setFont(look::designFont(false, 0, false));
    // Enter presses OK while it has the focus; the dialog has no default button.
    Button1->setAutoDefault(true);
    ScaledLayout1->place(Button1, nullptr, {312, 216, 121, 33});

    Label1 = new QLabel(u"どれを練習しますか？"_s);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFont(look::designFont(false, 14, false));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setWordWrap(true);
    Label1->setFocusPolicy(Qt::NoFocus);
    // The standard label size, wide and tall enough for the question at size 14.
    ScaledLayout1->place(Label1, nullptr, {16, 8, 200, 20});

    ListBox1 = new CourseList;
    ListBox1->setObjectName(u"ListBox1"_s);
    ListBox1->setFont(look::designFont(false, 0, false));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ScaledLayout1->place(ListBox1, nullptr, {8, 32, 425, 177});

    ScaledLayout1->setTabChain({Button1, Label1, ListBox1});
    // The list draws no focus glow; its selected title shows where it is.
    ScaledLayout1->leaveUnringed(ListBox1);

    connect(Button1, &QPushButton::clicked, this,
            [this] { m_life.handle([this] { Button1Click(); }); });
    // Enter on the list, or a double-click on a title, is OK.
    connect(ListBox1, &QAbstractItemView::activated, Button1, &QPushButton::click);
    m_escape = new QAction(this);
    m_escape->setShortcut(Qt::Key_Escape);
    m_escape->setShortcutContext(Qt::WindowShortcut);
    connect(m_escape, &QAction::triggered, this, &QWidget::close);
    addAction(m_escape);
}

QWidget* TForm2::controlNamed(const QString& name) const
{
    for (QWidget* control : std::initializer_list<QWidget*>{Label1, ListBox1, Button1})
        if (control->objectName() == name)
            return control;
    return nullptr;
}

void TForm2::Button1Click()
{
    m_accept(ItemIndex());
    close();
}

void TForm2::ShowModal(std::function<void(int item)> accept)
{
    m_accept = std::move(accept);
    const QPointer<QWidget> previous = QApplication::activeWindow();
    setWindowModality(Qt::ApplicationModal);
    showMaximised(this, kDesignSize, !m_shownBefore);
    // Esc does what the close box does once a course has been offered: at the
    // first showing the close leaves the main window without one.
    m_escape->setEnabled(m_shownBefore);
    m_shownBefore = true;
    raise();
    activateWindow();
    ScaledLayout1->setFocus(Qt::ActiveWindowFocusReason);

    QEventLoop loop;
    m_loop = &loop;
    m_life.runLoop(loop);
    m_loop = nullptr;

    if (!m_life.terminating())
        hide();
    if (previous && previous->isVisible())
        previous->activateWindow();
}

void TForm2::setCourses(const QStringList& titles)
{
    ListBox1->clear();
    ListBox1->addItems(titles);
}

int TForm2::ItemIndex() const
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TForm2::setItemIndex(int index)
{
    ListBox1->setCurrentRow(index);
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // A close ends the modal showing; its loop then hides the dialog.
    event->ignore();
    if (!m_loop)
        return;
    if (event->spontaneous() && m_life.handlerRunning()) {
        m_life.closeAfterHandlers(this);
        return;
    }
    m_loop->quit();
}

} // namespace vocarin
