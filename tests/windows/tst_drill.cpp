#include "WindowTestKit.h"
#include "WorkingFolder.h"

#include "windows/DrillActions.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"
#include "windows/ScaledView.h"
#include "windows/Vocarin.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

namespace {

const QStringList kWords{u"apple"_s, u"grape"_s, u"peach"_s};
const QStringList kMeanings{u"りんご"_s, u"ぶどう"_s, u"もも"_s};

struct Program
{
    TForm1* form = nullptr;
    Made made;
    BoxAnswerer answerer;

    QPushButton* answer(int k) const
    {
        return qobject_cast<QPushButton*>(form->control(u"btnWord"_s + QString::number(k)));
    }
    // The answer button showing the right meaning, or the first that does not.
    int answerNumber(bool right) const
    {
        for (int k = 1; k <= 3; ++k) {
            if ((answer(k)->text() == form->state().AnsCheckString) == right)
                return k;
        }
        return 0;
    }
    void key(QKeyCombination key) const
    {
        QTest::keyClick(form->windowHandle(), key.key(), key.keyboardModifiers());
    }
    qsizetype spokenCount() const { return made.tones->requests().size(); }
    qsizetype cueCount() const { return made.sink->captures(CaptureSink::Kind::Cue).size(); }
};

// Starts the program on a three-word course of three choices in course order,
// chooses it, runs the steps on the main window, then closes the program.
void drive(Program& program, const std::function<void()>& steps, bool autoAdvance = true)
{
    const WorkingFolder folder;
    writeCourse(u"fruit"_s, u"果物"_s, u"f"_s, 3, kWords, kMeanings);
    const Platform platform = standInPlatform(program.made, {.autoAdvance = autoAdvance});
    Script script;
    const auto dialog = [] { return topLevel<TForm2>(u"Form2"_s); };
    script.then([&] { return dialog() && QApplication::activeModalWidget() == dialog(); },
                [&] {
                    program.form = topLevel<TForm1>(u"Form1"_s);
                    dialog()->Button1->click();
                });
    script.then([&] { return !dialog()->isVisible(); },
                [&] {
                    // The offscreen platform has no window manager to hand the
                    // activation back from the dialog.
                    program.form->activateWindow();
                    QTRY_COMPARE(QApplication::activeWindow(), program.form);
                    steps();
                    program.form->close();
                });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
}

} // namespace

class DrillTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answerKeys_data();
    void answerKeys();
    void nextKeys_data();
    void nextKeys();
    void listenKeys_data();
    void listenKeys();
    void homeResets();
    void mistakesKey();
    void badgesLeaveTheMeaning();
    void keyDuringSpeechWaits();
    void contextMenu();
};

void DrillTest::answerKeys_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("pressed"); // 0: ignored

    QTest::newRow("1") << QKeyCombination(Qt::Key_1) << 1;
    QTest::newRow("3") << QKeyCombination(Qt::Key_3) << 3;
    QTest::newRow("keypad 2") << (Qt::KeypadModifier | Qt::Key_2) << 2;
    QTest::newRow("4, hidden with three choices") << QKeyCombination(Qt::Key_4) << 0;
    QTest::newRow("6, hidden") << QKeyCombination(Qt::Key_6) << 0;
}

void DrillTest::answerKeys()
{
    QFETCH(QKeyCombination, key);
    QFETCH(int, pressed);

    Program p;
    drive(p, [&] {
        const QString meaning = pressed ? p.answer(pressed)->text() : QString();
        p.key(key);
        QCOMPARE(p.form->lbJap->text(), meaning);
        QCOMPARE(p.cueCount(), pressed ? 2 : 0); // the click, then right or wrong
        if (!pressed)
            return;
        QVERIFY(!p.answer(pressed)->isEnabled());
        // Pressed again, the disabled button does nothing.
        p.key(key);
        QCOMPARE(p.cueCount(), 2);
    });
}

void DrillTest::nextKeys_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Return") << QKeyCombination(Qt::Key_Return);
    QTest::newRow("keypad Enter") << (Qt::KeypadModifier | Qt::Key_Enter);
    QTest::newRow("right arrow") << QKeyCombination(Qt::Key_Right);
}

void DrillTest::nextKeys()
{
    QFETCH(QKeyCombination, key);

    Program p;
    drive(p, [&] {
        p.key(key); // Next is disabled until the right answer
        QCOMPARE(p.form->lbQuestNum->text(), u"問題番号： 1/3"_s);
        p.answer(p.answerNumber(true))->click();
        p.key(key);
        QCOMPARE(p.form->lbQuestNum->text(), u"問題番号： 2/3"_s);
        QCOMPARE(p.form->state().TempWord, u"grape"_s);
    });
}

void DrillTest::listenKeys_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("slowly");
    QTest::newRow("R") << QKeyCombination(Qt::Key_R) << false;
    QTest::newRow("F5") << QKeyCombination(Qt::Key_F5) << false;
    QTest::newRow("Shift+R") << (Qt::ShiftModifier | Qt::Key_R) << true;
}

void DrillTest::listenKeys()
{
    QFETCH(QKeyCombination, key);
    QFETCH(bool, slowly);

    Program p;
    drive(p, [&] {
        p.key(key);
        p.form->bbtnListenAgain->click(); // then at the normal rate again
        QCOMPARE(spokenTexts(*p.made.tones), QStringList(3, u"apple"_s));
        const auto speech = p.made.sink->captures(CaptureSink::Kind::Speech);
        const qint64 first = speech.at(0).clip->durationMs();
        QCOMPARE(speech.at(1).clip->durationMs() > first, slowly);
        QCOMPARE(speech.at(2).clip->durationMs(), first);
    });
}

void DrillTest::homeResets()
{
    Program p;
    drive(p, [&] {
        p.answer(p.answerNumber(true))->click();
        p.form->btnNext->click();
        p.key(Qt::Key_Home);
        QCOMPARE(p.form->lbQuestNum->text(), u"問題番号： 1/3"_s);
        QCOMPARE(p.form->lbCorrectNum->text(), u"正解数： 0"_s);
        QCOMPARE(spokenTexts(*p.made.tones).last(), u"apple"_s);
    });
}

void DrillTest::mistakesKey()
{
    Program p;
    drive(p, [&] {
        p.key(Qt::Key_M);
        QCOMPARE(p.answerer.boxes.size(), 1);
        QCOMPARE(p.answerer.boxes[0].text, u"間違えた単語はありません。"_s);
        QCOMPARE(p.form->lbQuestNum->text(), u"問題番号： 1/3"_s);

        p.answer(p.answerNumber(false))->click();
        p.answer(p.answerNumber(true))->click();
        p.form->btnNext->click();
        p.form->activateWindow(); // after the box, as a window manager does
        QTRY_COMPARE(QApplication::activeWindow(), p.form);
        p.key(Qt::Key_M);
        QCOMPARE(p.form->lbQuestNum->text(), u"問題番号： 1/1"_s);
        QCOMPARE(p.form->lbWrongNum->text(), u"誤答数： 0"_s);
        QCOMPARE(p.form->state().TempWord, u"apple"_s);
    });
}

void DrillTest::badgesLeaveTheMeaning()
{
    Program p;
    drive(p, [&] {
        QStringList shown;
        for (int k = 1; k <= 3; ++k) {
            const auto* badge = p.answer(k)->findChild<QLabel*>(u"keyBadge"_s);
            QVERIFY(badge && badge->isVisible());
            QCOMPARE(badge->text(), QString::number(k));
            shown.append(p.answer(k)->text());
        }
        shown.sort();
        QStringList meanings = kMeanings;
        meanings.sort();
        QCOMPARE(shown, meanings);
    });
}

void DrillTest::keyDuringSpeechWaits()
{
    Program p;
    qsizetype cuesWhileSpeaking = -1;
    drive(
        p,
        [&] {
            // A key from the window system arrives while the word is spoken
            // again; the speech's clock moves only after ten turns of the timer.
            int turns = 0;
            QTimer speech;
            connect(&speech, &QTimer::timeout, &speech, [&] {
                if (!p.made.sink->isSpeechPlaying() || cuesWhileSpeaking >= 0)
                    return;
                using Queued = QWindowSystemInterface::AsynchronousDelivery;
                if (turns++ == 0) {
                    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease})
                        QWindowSystemInterface::handleKeyEvent<Queued>(
                            p.form->windowHandle(), type, Qt::Key_1, Qt::NoModifier, u"1"_s);
                }
                if (turns < 10)
                    return;
                cuesWhileSpeaking = p.cueCount();
                p.made.sink->advance(60'000'000);
            });
            speech.start(5);
            p.form->bbtnListenAgain->click();
            QTRY_VERIFY(!p.form->lbJap->text().isEmpty());
        },
        false);
    QCOMPARE(cuesWhileSpeaking, 0);
}

void DrillTest::contextMenu()
{
    Program p;
    drive(p, [&] {
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    entries.append(action->text() + u' ' +
                                   action->shortcut().toString(QKeySequence::NativeText));
            }
            menu->setActiveAction(menu->actions().first());
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QWidget* viewport = p.form->ScaledLayout1->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                viewport->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(viewport, &event);
        QCOMPARE(entries, (QStringList{u"もう一度聞く R"_s, u"ゆっくり聞く Shift+R"_s,
                                       u"間違えた単語だけ練習 M"_s, u"キー操作 "_s}));
        QCOMPARE(spokenTexts(*p.made.tones), (QStringList{u"apple"_s, u"apple"_s}));
    });
}

QTEST_MAIN(DrillTest)
#include "tst_drill.moc"
