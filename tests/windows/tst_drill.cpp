#include "WindowTestKit.h"
#include "WorkingFolder.h"

#include "app/Program.h"
#include "speech/VoiceList.h"
#include "widgets/ScaledView.h"
#include "windows/DrillActions.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

namespace {

const QStringList kWords{u"apple"_s, u"grape"_s, u"peach"_s};
const QStringList kMeanings{u"りんご"_s, u"ぶどう"_s, u"もも"_s};
// The preferred voice in the middle, chosen at start.
const QStringList kVoices{u"Tone A - English"_s, preferredVoiceDescription(),
                          u"Tone C - English"_s};

// What a learner sees and hears of the run, in one line to compare.
struct Seen
{
    QString quest, correct, wrong, shown, english, lastSpoken;
    qsizetype spoken = 0;
    qsizetype boxes = 0;
    int stops = 0;
    int voice = -1;
    bool listOpen = false;
    bool randomOn = false;
    bool englishOn = true;
    int choices = 0;
    int dialogs = 0;

    QString line() const
    {
        return QStringList{
            quest,
            correct,
            wrong,
            u"shown "_s + shown,
            u"english "_s + english,
            u"spoken %1 %2"_s.arg(spoken).arg(lastSpoken),
            u"boxes %1 stops %2 dialogs %3"_s.arg(boxes).arg(stops).arg(dialogs),
            u"voice %1%2"_s.arg(voice).arg(listOpen ? u" open"_s : QString()),
            u"random %1 english %2 choices %3"_s.arg(randomOn).arg(englishOn).arg(choices)}
            .join(u" | "_s);
    }
};

struct DrillRig
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
    // The control with the keyboard focus, empty for none.
    QString focused() const
    {
        QWidget* control = form->view()->canvas()->focusWidget();
        return control && control->hasFocus() ? control->objectName() : QString();
    }
    // Tab until the control has the focus, as a learner reaches it.
    bool tabTo(const QString& name) const
    {
        for (int presses = 0; presses < 25 && focused() != name; ++presses)
            key(Qt::Key_Tab);
        return focused() == name;
    }
    Seen seen() const
    {
        const QStringList spoken = spokenTexts(*made.tones);
        return {.quest = form->control<QLabel>(u"lbQuestNum"_s)->text(),
                .correct = form->control<QLabel>(u"lbCorrectNum"_s)->text(),
                .wrong = form->control<QLabel>(u"lbWrongNum"_s)->text(),
                .shown = form->control<QLabel>(u"lbJap"_s)->text(),
                .english = form->control<QLabel>(u"lbEnglish"_s)->text(),
                .lastSpoken = spoken.value(spoken.size() - 1),
                .spoken = spoken.size(),
                .boxes = answerer.boxes.size(),
                .stops = made.sink->stopCount(),
                .voice = form->control<QComboBox>(u"ComboBox1"_s)->currentIndex(),
                .listOpen = form->control<QComboBox>(u"ComboBox1"_s)->view()->isVisible(),
                .randomOn = form->control<QRadioButton>(u"rbRndOn"_s)->isChecked(),
                .englishOn = form->control<QRadioButton>(u"rbEnglishOn"_s)->isChecked(),
                .choices = form->state().SelectNum,
                .dialogs = dialogs};
    }
    int dialogs = 0; // showings of the course dialog after the first
};

// Starts the program on a three-word course of three choices in course order,
// chooses it, runs the steps on the main window, then closes the program.
void drive(DrillRig& program, const std::function<void()>& steps, bool autoAdvance = true)
{
    const WorkingFolder folder;
    writeCourse(u"fruit"_s, u"果物"_s, u"f"_s, 3, kWords, kMeanings);
    writeCourse(u"vegetables"_s, u"野菜"_s, u"v"_s, 3, {u"onion"_s, u"carrot"_s, u"potato"_s},
                {u"たまねぎ"_s, u"にんじん"_s, u"じゃがいも"_s});
    const Platform platform =
        standInPlatform(program.made, {.voices = kVoices, .autoAdvance = autoAdvance});
    Script script;
    const auto dialog = [] { return topLevel<TForm2>(u"Form2"_s); };
    script.then([&] { return dialog() && QApplication::activeModalWidget() == dialog(); },
                [&] {
                    program.form = topLevel<TForm1>(u"Form1"_s);
                    dialog()->control<QPushButton>(u"Button1"_s)->click();
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
    void inputBeforeClosingMessageWaits_data();
    void inputBeforeClosingMessageWaits();
    void contextMenu();
    void focusedControlKeys_data();
    void focusedControlKeys();
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

    DrillRig p;
    drive(p, [&] {
        const QString meaning = pressed ? p.answer(pressed)->text() : QString();
        p.key(key);
        QCOMPARE(p.form->control<QLabel>(u"lbJap"_s)->text(), meaning);
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

    DrillRig p;
    drive(p, [&] {
        p.key(key); // Next is disabled until the right answer
        QCOMPARE(p.form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 1/3"_s);
        p.answer(p.answerNumber(true))->click();
        p.key(key);
        QCOMPARE(p.form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 2/3"_s);
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

    DrillRig p;
    drive(p, [&] {
        p.key(key);
        p.form->control<QPushButton>(u"bbtnListenAgain"_s)
            ->click(); // then at the normal rate again
        QCOMPARE(spokenTexts(*p.made.tones), QStringList(3, u"apple"_s));
        const auto speech = p.made.sink->captures(CaptureSink::Kind::Speech);
        const qint64 first = speech.at(0).clip->durationMs();
        QCOMPARE(speech.at(1).clip->durationMs() > first, slowly);
        QCOMPARE(speech.at(2).clip->durationMs(), first);
    });
}

void DrillTest::homeResets()
{
    DrillRig p;
    drive(p, [&] {
        p.answer(p.answerNumber(true))->click();
        p.form->control<QPushButton>(u"btnNext"_s)->click();
        p.key(Qt::Key_Home);
        QCOMPARE(p.form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 1/3"_s);
        QCOMPARE(p.form->control<QLabel>(u"lbCorrectNum"_s)->text(), u"正解数： 0"_s);
        QCOMPARE(spokenTexts(*p.made.tones).last(), u"apple"_s);
    });
}

void DrillTest::mistakesKey()
{
    DrillRig p;
    drive(p, [&] {
        p.key(Qt::Key_M);
        QCOMPARE(p.answerer.boxes.size(), 1);
        QCOMPARE(p.answerer.boxes[0].text, u"間違えた単語はありません。"_s);
        QCOMPARE(p.form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 1/3"_s);

        p.answer(p.answerNumber(false))->click();
        p.answer(p.answerNumber(true))->click();
        p.form->control<QPushButton>(u"btnNext"_s)->click();
        p.form->activateWindow(); // after the box, as a window manager does
        QTRY_COMPARE(QApplication::activeWindow(), p.form);
        p.key(Qt::Key_M);
        QCOMPARE(p.form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 1/1"_s);
        QCOMPARE(p.form->control<QLabel>(u"lbWrongNum"_s)->text(), u"誤答数： 0"_s);
        QCOMPARE(p.form->state().TempWord, u"apple"_s);
    });
}

void DrillTest::badgesLeaveTheMeaning()
{
    DrillRig p;
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
    DrillRig p;
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
            p.form->control<QPushButton>(u"bbtnListenAgain"_s)->click();
            QTRY_VERIFY(!p.form->control<QLabel>(u"lbJap"_s)->text().isEmpty());
        },
        false);
    QCOMPARE(cuesWhileSpeaking, 0);
}

void DrillTest::inputBeforeClosingMessageWaits_data()
{
    QTest::addColumn<QList<QKeyCombination>>("keys"); // typed while the closing sentence is spoken
    QTest::addColumn<QString>("clicked");             // the control clicked then, if any
    QTest::addColumn<QString>("quest");               // afterwards
    QTest::addColumn<QString>("word");                // the last word spoken

    // The round of the three words missed.
    QTest::newRow("M") << QList<QKeyCombination>{Qt::Key_M} << QString() << u"問題番号： 1/3"_s
                       << u"apple"_s;
    // Each key once the one before has been spoken to its end: every answer
    // pressed (one is right), then Next.
    QTest::newRow("Home, 1, 2, 3, Enter")
        << QList<QKeyCombination>{Qt::Key_Home, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_Return}
        << QString() << u"問題番号： 2/3"_s << u"grape"_s;
    QTest::newRow("a click on 最初から")
        << QList<QKeyCombination>{} << u"btnReset"_s << u"問題番号： 1/3"_s << u"apple"_s;
}

// Input made while the closing sentence is spoken is handled once the closing
// message has been shown over the finished run and closed, one event at a
// time: none is lost to the message, and none runs inside the speech of
// another.
void DrillTest::inputBeforeClosingMessageWaits()
{
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(QString, clicked);
    QFETCH(QString, quest);
    QFETCH(QString, word);

    DrillRig p;
    drive(
        p,
        [&] {
            using Queued = QWindowSystemInterface::AsynchronousDelivery;
            QWindow* window = p.form->windowHandle();
            bool made = false;
            // The question number when the message shows.
            struct UnderMessage : QObject
            {
                QLabel* number;
                QString quest;
                explicit UnderMessage(QLabel* label) : number(label) {}
                bool eventFilter(QObject* receiver, QEvent* event) override
                {
                    if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(receiver) &&
                        quest.isEmpty())
                        quest = number->text();
                    return false;
                }
            } underMessage(p.form->control<QLabel>(u"lbQuestNum"_s));
            qApp->installEventFilter(&underMessage);
            qsizetype cuesWhenSpeechBegan = -1;
            int cuesDuringSpeech = 0;
            QTimer speech;
            connect(&speech, &QTimer::timeout, &speech, [&] {
                if (!p.made.sink->isSpeechPlaying())
                    return;
                // A cue while a word is spoken: a handler ran inside its wait.
                if (cuesWhenSpeechBegan < 0)
                    cuesWhenSpeechBegan = p.cueCount();
                cuesDuringSpeech += int(p.cueCount() != cuesWhenSpeechBegan);
                if (!made && spokenTexts(*p.made.tones).last().startsWith(u"Good work"_s)) {
                    made = true;
                    for (const QKeyCombination key : keys) {
                        const QString text = QKeySequence(key).toString().toLower();
                        for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease})
                            QWindowSystemInterface::handleKeyEvent<Queued>(
                                window, type, key.key(), key.keyboardModifiers(),
                                text.size() == 1 ? text : QString());
                    }
                    if (!clicked.isEmpty()) {
                        ScaledView* view = p.form->view();
                        const QPoint at = view->viewport()->mapTo(
                            p.form,
                            designPoint(view, TForm1::kDesignSize,
                                        view->canvasRect(p.form->control(clicked)).center()));
                        for (const auto type :
                             {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                            QWindowSystemInterface::handleMouseEvent<Queued>(
                                window, at, p.form->mapToGlobal(at),
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::LeftButton, type);
                    }
                }
                // The end of this word: the next one counts afresh.
                cuesWhenSpeechBegan = -1;
                p.made.sink->advance(60'000'000);
            });
            speech.start(5);
            for (int question = 1; question <= 3; ++question) {
                p.answer(p.answerNumber(false))->click();
                p.answer(p.answerNumber(true))->click();
                p.form->control<QPushButton>(u"btnNext"_s)
                    ->click(); // after the last: the closing sentence and message
            }
            QVERIFY(made);
            QCOMPARE(p.answerer.boxes.size(), 1);
            QCOMPARE(p.answerer.boxes[0].text, u"おつかれさまです。単語の練習を終了しました。"_s);
            QCOMPARE(underMessage.quest, u"問題番号： 3/3"_s);
            QCOMPARE(p.form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 3/3"_s);
            // Then the input, once the window is active again.
            p.form->activateWindow(); // as a window manager does
            QTRY_COMPARE(p.form->control<QLabel>(u"lbQuestNum"_s)->text(), quest);
            QTRY_COMPARE(spokenTexts(*p.made.tones).last(), word);
            QCOMPARE(p.form->control<QLabel>(u"lbWrongNum"_s)->text(), u"誤答数： 0"_s);
            QCOMPARE(cuesDuringSpeech, 0);
        },
        false);
}

void DrillTest::contextMenu()
{
    DrillRig p;
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
        QWidget* viewport = p.form->view()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                viewport->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(viewport, &event);
        QCOMPARE(entries, (QStringList{u"もう一度聞く R"_s, u"ゆっくり聞く Shift+R"_s,
                                       u"間違えた単語だけ練習 M"_s, u"キー操作 "_s}));
        QCOMPARE(spokenTexts(*p.made.tones), (QStringList{u"apple"_s, u"apple"_s}));
    });
}

void DrillTest::focusedControlKeys_data()
{
    QTest::addColumn<QString>("focus"); // empty: none; "answer": an answer button not pressed
    QTest::addColumn<bool>("listOpen"); // the voice list opened before the keys
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("effect");

    const QKeySequence enter(Qt::Key_Return);
    const QKeySequence keypadEnter(Qt::KeypadModifier | Qt::Key_Enter);
    const QKeySequence space(Qt::Key_Space);
    const QKeySequence right(Qt::Key_Right);
    const QKeySequence left(Qt::Key_Left);
    const auto row = [](const char* name, const QString& focus, bool open, const QKeySequence& keys,
                        const QString& effect) {
        QTest::newRow(name) << focus << open << keys << effect;
    };
    // Nothing focused, or an answer button: Enter and the right arrow are Next.
    row("none, Enter", {}, false, enter, u"next"_s);
    row("none, Space", {}, false, space, u"nothing"_s);
    row("answer, Enter", u"answer"_s, false, enter, u"next"_s);
    row("answer, keypad Enter", u"answer"_s, false, keypadEnter, u"next"_s);
    row("answer, right", u"answer"_s, false, right, u"next"_s);
    row("answer, Space", u"answer"_s, false, space, u"answer"_s);
    // Any other button: Enter and Space press it.
    row("最初から, Enter", u"btnReset"_s, false, enter, u"restart"_s);
    row("最初から, keypad Enter", u"btnReset"_s, false, keypadEnter, u"restart"_s);
    row("最初から, Space", u"btnReset"_s, false, space, u"restart"_s);
    row("最初から, right", u"btnReset"_s, false, right, u"next"_s);
    row("次へ, Enter", u"btnNext"_s, false, enter, u"next"_s);
    row("次へ, Space", u"btnNext"_s, false, space, u"next"_s);
    row("もう一度聞く, Enter", u"bbtnListenAgain"_s, false, enter, u"replay"_s);
    row("もう一度聞く, Space", u"bbtnListenAgain"_s, false, space, u"replay"_s);
    row("問題を変える, Enter", u"btnChangeCourse"_s, false, enter, u"dialog"_s);
    row("問題を変える, Space", u"btnChangeCourse"_s, false, space, u"dialog"_s);
    row("終了, Enter", u"btnClose"_s, false, enter, u"close"_s);
    row("終了, Space", u"btnClose"_s, false, space, u"close"_s);
    // The closed voice box: its keys choose a voice, type-ahead included.
    const QString box = u"ComboBox1"_s;
    row("voice box, 1", box, false, QKeySequence(Qt::Key_1), u"nothing"_s);
    row("voice box, R", box, false, QKeySequence(Qt::Key_R), u"nothing"_s);
    row("voice box, M", box, false, QKeySequence(Qt::Key_M), u"nothing"_s);
    row("voice box, t", box, false, QKeySequence(Qt::Key_T), u"voice 2"_s);
    row("voice box, Home", box, false, QKeySequence(Qt::Key_Home), u"voice 0"_s);
    row("voice box, End", box, false, QKeySequence(Qt::Key_End), u"voice 2"_s);
    row("voice box, down", box, false, QKeySequence(Qt::Key_Down), u"voice 2"_s);
    row("voice box, up", box, false, QKeySequence(Qt::Key_Up), u"voice 0"_s);
    row("voice box, right", box, false, right, u"voice 2"_s);
    row("voice box, left", box, false, left, u"voice 0"_s);
    row("voice box, Enter", box, false, enter, u"open"_s);
    row("voice box, Space", box, false, space, u"open"_s);
    row("voice box, F5", box, false, QKeySequence(Qt::Key_F5), u"replay"_s);
    // The open voice list takes every key.
    row("voice list, 2", box, true, QKeySequence(Qt::Key_2), u"open"_s);
    row("voice list, R", box, true, QKeySequence(Qt::Key_R), u"open"_s);
    row("voice list, M", box, true, QKeySequence(Qt::Key_M), u"open"_s);
    row("voice list, Home", box, true, QKeySequence(Qt::Key_Home), u"open"_s);
    row("voice list, right", box, true, right, u"open"_s);
    row("voice list, Enter", box, true, enter, u"nothing"_s);
    row("voice list, down Enter", box, true, QKeySequence(Qt::Key_Down, Qt::Key_Return),
        u"voice 2"_s);
    // Radio buttons: the arrows move and check within the group, Space checks.
    row("ランダム なし, right", u"rbRndOff"_s, false, right, u"random"_s);
    row("ランダム なし, left", u"rbRndOff"_s, false, left, u"nothing"_s);
    row("ランダム なし, Enter", u"rbRndOff"_s, false, enter, u"next"_s);
    row("ランダム あり, Space", u"rbRndOn"_s, false, space, u"random"_s);
    row("英語 あり, left", u"rbEnglishOn"_s, false, left, u"english off"_s);
    row("英語 なし, Space", u"rbEnglishOff"_s, false, space, u"english off"_s);
    row("項目数 3, left", u"rbItem3"_s, false, left, u"choices 2"_s);
    row("項目数 3, up", u"rbItem3"_s, false, QKeySequence(Qt::Key_Up), u"choices 2"_s);
    row("項目数 2, Space", u"rbItem2"_s, false, space, u"choices 2"_s);
    row("項目数 2, right", u"rbItem2"_s, false, right, u"nothing"_s);
}

// Each key pressed with a control focused, the first question answered right:
// the focused control keeps the keys it works with, the rest are the window's.
void DrillTest::focusedControlKeys()
{
    QFETCH(QString, focus);
    QFETCH(bool, listOpen);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, effect);

    DrillRig p;
    drive(p, [&] {
        QCOMPARE(p.focused(), QString()); // none after the course loads
        p.answer(p.answerNumber(true))->click();
        const int other = p.answerNumber(false);
        const QString target = focus == u"answer" ? p.answer(other)->objectName() : focus;
        if (!target.isEmpty())
            QVERIFY2(p.tabTo(target), qPrintable(target));
        if (listOpen) {
            p.key(Qt::Key_Space);
            QVERIFY(p.form->control<QComboBox>(u"ComboBox1"_s)->view()->isVisible());
        }
        // The course dialog, when a key brings it up, is closed again.
        QTimer dialogCloser;
        connect(&dialogCloser, &QTimer::timeout, &dialogCloser, [&] {
            auto* dialog = topLevel<TForm2>(u"Form2"_s);
            if (dialog && QApplication::activeModalWidget() == dialog) {
                ++p.dialogs;
                dialog->close();
            }
        });
        dialogCloser.start(5);

        const Seen before = p.seen();
        Seen expected = before;
        const auto restarted = [&](const QString& word) {
            expected.quest = u"問題番号： 1/3"_s;
            expected.correct = u"正解数： 0"_s;
            expected.wrong = u"誤答数： 0"_s;
            expected.shown.clear();
            expected.english = word;
            expected.lastSpoken = word;
            ++expected.spoken;
        };
        for (int i = 0; i < keys.count(); ++i)
            p.key(keys[i]);
        const Seen after = p.seen();

        if (effect == u"next") {
            expected.quest = u"問題番号： 2/3"_s;
            expected.shown.clear();
            expected.english = expected.lastSpoken = u"grape"_s;
            ++expected.spoken;
        } else if (effect == u"restart") {
            restarted(u"apple"_s);
        } else if (effect == u"answer") {
            expected.shown = p.answer(other)->text();
            expected.lastSpoken = u"No!"_s;
            ++expected.spoken;
        } else if (effect == u"replay") {
            expected.lastSpoken = u"apple"_s;
            ++expected.spoken;
        } else if (effect == u"dialog") {
            ++expected.dialogs;
        } else if (effect == u"close") {
            ++expected.stops;
        } else if (effect.startsWith(u"voice ")) {
            expected.voice = effect.mid(6).toInt();
            expected.listOpen = false;
        } else if (effect == u"open") {
            expected.listOpen = true;
        } else if (effect == u"random") {
            expected.randomOn = true;
            restarted(after.english); // a new shuffle
        } else if (effect == u"english off") {
            expected.englishOn = false;
            expected.english.clear();
        } else if (effect.startsWith(u"choices ")) {
            expected.choices = effect.mid(8).toInt();
            restarted(u"apple"_s);
        } else {
            QCOMPARE(effect, u"nothing"_s);
            expected.listOpen = false;
        }
        QCOMPARE(after.line(), expected.line());
        if (p.form->control<QComboBox>(u"ComboBox1"_s)->view()->isVisible())
            p.key(Qt::Key_Escape);
        if (listOpen) // the keys are the voice box's again
            QCOMPARE(p.focused(), u"ComboBox1"_s);
    });
}

QTEST_MAIN(DrillTest)
#include "tst_drill.moc"
