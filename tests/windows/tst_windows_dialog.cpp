// The course dialog and the message boxes.

#include "WindowFixtures.h"
#include "WorkingFolder.h"
#include "app/Program.h"
#include "widgets/CircleShape.h"
#include "windows/Displays.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

class CourseDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void displays_data();
    void displays();
    void singleCourseDialog();
    void noCourseDialog();
    void courseListKeepsSelection_data();
    void courseListKeepsSelection();
    void courseDialogKeys_data();
    void courseDialogKeys();
    void escapeOnLaterShowing_data();
    void escapeOnLaterShowing();

private:
    std::optional<WorkingFolder> m_folder;
};

void CourseDialogTest::init()
{
    m_folder.emplace();
}

void CourseDialogTest::cleanup()
{
    m_folder.reset();
}

void CourseDialogTest::displays_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    // The test program is tst_windows: the title keeps its first character as it is.
    const QString title = u"tst_windows_dialog"_s;
    const int noIcon = QMessageBox::NoIcon;
    const int error = QMessageBox::Critical;
    QTest::newRow("message, lines kept")
        << u"message"_s << u"一行目\r\n二行目"_s << title << u"一行目\n二行目"_s << noIcon;
    QTest::newRow("fault ending in a letter")
        << u"fault"_s << u"broken"_s << u"エラー"_s << u"broken."_s << error;
    QTest::newRow("fault ending in )") << u"fault"_s << u"範囲を超えています (-1)"_s << u"エラー"_s
                                       << u"範囲を超えています (-1)"_s << error;
    QTest::newRow("fault ending in .")
        << u"fault"_s << u"done."_s << u"エラー"_s << u"done."_s << error;
    QTest::newRow("fault ending in a space")
        << u"fault"_s << u"ファイル x は開けません。 reason "_s << u"エラー"_s
        << u"ファイル x は開けません。 reason "_s << error;
    QTest::newRow("fault ending in 。")
        << u"fault"_s << u"終了します。"_s << u"エラー"_s << u"終了します。."_s << error;
    QTest::newRow("empty fault") << u"fault"_s << QString() << u"エラー"_s << QString() << error;
}

void CourseDialogTest::displays()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, icon);
    QCOMPARE(applicationTitle(), u"tst_windows_dialog"_s);
    BoxAnswerer answerer;
    if (kind == u"message")
        showMessage(input);
    else
        showFault(input);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes[0].caption, caption);
    QCOMPARE(answerer.boxes[0].text, text);
    QCOMPARE(int(answerer.boxes[0].icon), icon);
}

void CourseDialogTest::singleCourseDialog()
{
    writeFruitCourse(u"only"_s, u"果物"_s);
    FirstShowing start;
    auto& [made, platform, answerer, script, form, dialog] = start;
    const auto dialogUp = [&start] { return start.dialogUp(); };

    // The sound device is asked to open once the dialog is on screen, and once only.
    script.then([&] { return dialogUp() && made.sink->backgroundOpenCount() == 1; },
                [&] {
                    // The only course is selected: OK starts it. There is no other to change to.
                    QCOMPARE(dialog->ItemIndex(), 0);
                    QVERIFY(!form->control<QPushButton>(u"btnChangeCourse"_s)->isEnabled());
                    clickAt(dialog->view(), kDialog, {312 + 60, 216 + 16});
                });
    script.then([&] { return !dialog->isVisible(); },
                [&] {
                    QCOMPARE(answerer.boxes.size(), 0);
                    QCOMPARE(form->windowTitle(), u"果物"_s);
                    QCOMPARE(form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 1/3"_s);
                    QVERIFY(form->control<AnswerButton>(u"btnWord1"_s)->isVisible());
                    QVERIFY(!form->control<QPushButton>(u"btnChangeCourse"_s)->isEnabled());
                    clickAt(form->view(), kMain,
                            centreOf(form->control<QPushButton>(u"btnClose"_s)));
                });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QCOMPARE(spokenTexts(*made.tones).value(0), u"apple"_s);
    QCOMPARE(made.sink->backgroundOpenCount(), 1);
}

void CourseDialogTest::noCourseDialog()
{
    QVERIFY(QDir().mkdir(u"not a course"_s));
    FirstShowing start;
    auto& [made, platform, answerer, script, form, dialog] = start;
    const auto dialogUp = [&start] { return start.dialogUp(); };

    script.then(dialogUp, [&] {
        QCOMPARE(dialog->control<QListWidget>(u"ListBox1"_s)->count(), 0);
        QCOMPARE(dialog->ItemIndex(), -1);
        QVERIFY(!form->control<QPushButton>(u"btnChangeCourse"_s)->isEnabled());
        // OK with nothing to choose: the list index fault, and the dialog stays.
        clickAt(dialog->view(), kDialog, {312 + 60, 216 + 16});
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes[0].caption, u"エラー"_s);
        QCOMPARE(answerer.boxes[0].text, u"リストのインデックスが範囲を超えています (-1)"_s);
        QVERIFY(dialog->isVisible());
        QCOMPARE(form->windowTitle(), u"Form1"_s);
        // The close box leaves the main window in its start state.
        QCloseEvent close;
        QCoreApplication::sendEvent(dialog->windowHandle(), &close);
    });
    script.then(
        [&] { return !dialog->isVisible(); },
        [&] {
            QCOMPARE(form->windowTitle(), u"Form1"_s);
            QVERIFY(form->control<CircleShape>(u"shpCircle"_s)->isVisible());
            QVERIFY(!form->control<AnswerButton>(u"btnWord1"_s)->isVisible());
            // No course: Next and Restart do nothing.
            clickAt(form->view(), kMain, centreOf(form->control<QPushButton>(u"btnNext"_s)));
            clickAt(form->view(), kMain, centreOf(form->control<QPushButton>(u"btnReset"_s)));
            QCOMPARE(form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号:"_s);
            QVERIFY(answerer.boxes.size() == 1);
            // The system's close of the main window ends the program like 終了.
            QCloseEvent close;
            QCoreApplication::sendEvent(form->windowHandle(), &close);
        });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QCOMPARE(made.sink->stopCount(), 1);
}

void CourseDialogTest::courseListKeepsSelection_data()
{
    QTest::addColumn<int>("courses");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("afterwards");
    QTest::newRow("blank click, three courses") << 3 << 0 << u"blank"_s << 0;
    QTest::newRow("Ctrl+click on the selected") << 3 << 1 << u"ctrl"_s << 1;
    QTest::newRow("click on another title") << 3 << 0 << u"third"_s << 2;
    QTest::newRow("blank click, one course unselected") << 1 << -1 << u"blank"_s << -1;
    QTest::newRow("click on the one title") << 1 << -1 << u"first"_s << 0;
}

void CourseDialogTest::courseListKeepsSelection()
{
    QFETCH(int, courses);
    QFETCH(int, selected);
    QFETCH(QString, action);
    QFETCH(int, afterwards);
    Lifecycle life;
    TForm1 form(life);
    TForm2 dialog(form, life);
    QStringList titles;
    for (int i = 0; i < courses; ++i)
        titles.append(u"コース"_s + QString::number(i + 1));
    dialog.setCourses(titles);
    if (selected >= 0)
        dialog.setItemIndex(selected);
    dialog.resize(884, 512);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.ItemIndex(), selected);

    QListWidget* list = dialog.control<QListWidget>(u"ListBox1"_s);
    const auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers) {
        // Through the dialog's canvas: the list's own coordinates are design units.
        const QPointF inList = list->visualItemRect(list->item(row)).center();
        const QPointF onCanvas =
            designRect(list).topLeft() + QPointF(list->viewport()->mapTo(list, inList.toPoint()));
        QTest::mouseClick(dialog.view()->viewport(), Qt::LeftButton, modifiers,
                          designPoint(dialog.view(), kDialog, onCanvas));
    };
    if (action == u"blank")
        clickAt(dialog.view(), kDialog, {220, 200});
    else if (action == u"ctrl")
        clickRow(selected, Qt::ControlModifier);
    else
        clickRow(action == u"third" ? 2 : 0, {});
    QCOMPARE(dialog.ItemIndex(), afterwards);
}

void CourseDialogTest::courseDialogKeys_data()
{
    QTest::addColumn<QKeySequence>("keys"); // at the dialog as it opens, OK focused
    QTest::addColumn<bool>("doubleClick");  // on the third title, after the keys
    QTest::addColumn<QString>("loaded");    // the course's title; empty: none, the dialog stays
    const auto row = [](const char* name, const QKeySequence& keys, bool doubleClick,
                        const QString& loaded) {
        QTest::newRow(name) << keys << doubleClick << loaded;
    };
    row("Enter on OK", QKeySequence(Qt::Key_Return), false, u"果物"_s);
    row("Down, Down, Enter", QKeySequence(Qt::Key_Down, Qt::Key_Down, Qt::Key_Return), false,
        u"野菜"_s);
    row("Tab, Down, keypad Enter",
        QKeySequence(QKeyCombination(Qt::Key_Tab), QKeyCombination(Qt::Key_Down),
                     Qt::KeypadModifier | Qt::Key_Enter),
        false, u"野菜"_s);
    row("Tab, Down, Space", QKeySequence(Qt::Key_Tab, Qt::Key_Down, Qt::Key_Space), false, {});
    row("Tab, Down, Esc", QKeySequence(Qt::Key_Tab, Qt::Key_Down, Qt::Key_Escape), false, {});
    row("Esc on OK", QKeySequence(Qt::Key_Escape), false, {});
    row("double-click on a title", QKeySequence(), true, u"色"_s);
}

// Enter on the course list and a double-click on a title do what OK does.
void CourseDialogTest::courseDialogKeys()
{
    QFETCH(QKeySequence, keys);
    QFETCH(bool, doubleClick);
    QFETCH(QString, loaded);
    writeFruitCourse(u"a"_s, u"果物"_s);
    writeFruitCourse(u"b"_s, u"野菜"_s);
    writeFruitCourse(u"c"_s, u"色"_s);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    BoxAnswerer answerer;
    Script script;
    TForm1* form = nullptr;
    // The dialog opens with OK focused.
    script.then(
        [&] {
            auto* dialog = topLevel<TForm2>(u"Form2"_s);
            return dialog && QApplication::activeModalWidget() == dialog &&
                   dialog->control<QPushButton>(u"Button1"_s)->hasFocus();
        },
        [&] {
            form = topLevel<TForm1>(u"Form1"_s);
            auto* dialog = topLevel<TForm2>(u"Form2"_s);
            for (int i = 0; i < keys.count(); ++i)
                QTest::keyClick(dialog->windowHandle(), keys[i].key(), keys[i].keyboardModifiers());
            if (doubleClick) {
                QListWidget* list = dialog->control<QListWidget>(u"ListBox1"_s);
                const QPoint inList = list->visualItemRect(list->item(2)).center();
                const QPointF onCanvas =
                    designRect(list).topLeft() + QPointF(list->viewport()->mapTo(list, inList));
                // The first click of the two, then the second, a double-click.
                const QPoint at = designPoint(dialog->view(), kDialog, onCanvas);
                QWidget* viewport = dialog->view()->viewport();
                QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
                QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
            }
            QCOMPARE(form->windowTitle(), loaded.isEmpty() ? u"Form1"_s : loaded);
        });
    // Once the keys have been handled, the dialog is gone with a course, or
    // still up without one (Esc at the first showing does nothing) and closed
    // by hand.
    script.then([] { return true; },
                [&] {
                    auto* dialog = topLevel<TForm2>(u"Form2"_s);
                    QCOMPARE(dialog->isVisible(), loaded.isEmpty());
                    if (loaded.isEmpty())
                        dialog->close();
                });
    script.then([] { return !topLevel<TForm2>(u"Form2"_s)->isVisible(); }, [&] { form->close(); });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QVERIFY(answerer.boxes.isEmpty());
}

void CourseDialogTest::escapeOnLaterShowing_data()
{
    QTest::addColumn<QKeySequence>("keys"); // at the dialog shown again, as it opens
    QTest::newRow("Esc on OK") << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Tab, Esc on the list") << QKeySequence(Qt::Key_Tab, Qt::Key_Escape);
    QTest::newRow("Tab, Down, Esc: another title selected")
        << QKeySequence(Qt::Key_Tab, Qt::Key_Down, Qt::Key_Escape);
}

// The dialog shown again by 問題を変える: Esc closes it as the close box does,
// and the run goes on as it was.
void CourseDialogTest::escapeOnLaterShowing()
{
    QFETCH(QKeySequence, keys);
    writeFruitCourse(u"a"_s, u"果物"_s);
    writeFruitCourse(u"b"_s, u"野菜"_s);
    FirstShowing start;
    auto& [made, platform, answerer, script, form, dialog] = start;
    const auto dialogUp = [&start] { return start.dialogUp(); };
    bool typed = false;
    bool closedByHand = false;

    script.then(dialogUp, [&] { clickAt(dialog->view(), kDialog, {312 + 60, 216 + 16}); });
    script.then([&] { return !dialog->isVisible(); },
                [&] {
                    AnswerButton* wrong = form->control<AnswerButton>(u"btnWord1"_s)->meaning() ==
                                                  form->state().AnsCheckString
                                              ? form->control<AnswerButton>(u"btnWord2"_s)
                                              : form->control<AnswerButton>(u"btnWord1"_s);
                    clickAt(form->view(), kMain, centreOf(wrong));
                    const QStringList before{form->control<QLabel>(u"lbQuestNum"_s)->text(),
                                             form->control<QLabel>(u"lbWrongNum"_s)->text(),
                                             form->control<QLabel>(u"lbJap"_s)->text()};
                    const qsizetype spoken = made.tones->requests().size();
                    // The keys once the dialog is up again; if they leave it
                    // up, it is closed by hand a moment later.
                    QTimer atDialog;
                    connect(&atDialog, &QTimer::timeout, &atDialog, [&] {
                        if (!dialogUp())
                            return;
                        if (typed) {
                            closedByHand = true;
                            dialog->close();
                            return;
                        }
                        if (!dialog->control<QPushButton>(u"Button1"_s)->hasFocus())
                            return;
                        typed = true;
                        for (int i = 0; i < keys.count(); ++i)
                            QTest::keyClick(dialog->windowHandle(), keys[i].key(),
                                            keys[i].keyboardModifiers());
                    });
                    atDialog.start(5);
                    clickAt(form->view(), kMain,
                            centreOf(form->control<QPushButton>(u"btnChangeCourse"_s)));
                    QVERIFY(typed);
                    QVERIFY(!closedByHand);
                    QVERIFY(!dialog->isVisible());
                    QCOMPARE(form->windowTitle(), u"果物"_s);
                    QCOMPARE((QStringList{form->control<QLabel>(u"lbQuestNum"_s)->text(),
                                          form->control<QLabel>(u"lbWrongNum"_s)->text(),
                                          form->control<QLabel>(u"lbJap"_s)->text()}),
                             before);
                    QCOMPARE(made.tones->requests().size(), spoken);
                    form->close();
                });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QVERIFY(answerer.boxes.isEmpty());
}

QTEST_MAIN(CourseDialogTest)

#include "tst_windows_dialog.moc"
