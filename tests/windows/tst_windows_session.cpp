// Sessions: whole runs of the program, its handlers, the close, and the
// program run in a child process.

#include "SoundFiles.h"
#include "WindowFixtures.h"
#include "WorkingFolder.h"
#include "app/Program.h"
#include "widgets/CircleShape.h"
#include "windows/Displays.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstring>
#include <iostream>
#include <optional>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

class WindowSessionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void radioEventOrder();
    void wholeRun();
    void closeWhileSpeakingWaits();
    void tooFewWordsEnds();
    void exerciseControlsBeforeCreate();
    void exerciseControlsAfterClose();
    void choiceCountKeys_data();
    void choiceCountKeys();
    void optionsRestartOrShow();
    void recordedWords();
    void childExitCodes_data();
    void childExitCodes();

private:
    std::optional<WorkingFolder> m_folder;
};

void WindowSessionTest::init()
{
    m_folder.emplace();
}

void WindowSessionTest::cleanup()
{
    m_folder.reset();
}

void WindowSessionTest::radioEventOrder()
{
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    Program program(platform);
    TForm1& form = createdForm(program);
    form.show();

    QStringList events;
    for (QRadioButton* radio : {form.control<QRadioButton>(u"rbEnglishOff"_s),
                                form.control<QRadioButton>(u"rbEnglishOn"_s)}) {
        connect(radio, &QRadioButton::toggled, &form, [&events, &form, radio](bool checked) {
            events.append(radio->objectName() + (checked ? u"+"_s : u"-"_s) +
                          (form.control<QRadioButton>(u"rbEnglishOff"_s)->isChecked() ? u" off"_s
                                                                                      : u" on"_s));
        });
    }
    clickAt(form.view(), kMain, {544 + 8, 209.5});
    // The loser's change runs first and already sees the gainer checked.
    QCOMPARE(events, (QStringList{u"rbEnglishOn- off"_s, u"rbEnglishOff+ off"_s}));
    clickAt(form.view(), kMain, {544 + 8, 209.5});
    QCOMPARE(events.size(), 2);

    // The program's own check of a choice count runs no click handler.
    int clicks = 0;
    connect(form.control<QRadioButton>(u"rbItem3"_s), &QRadioButton::clicked, &form,
            [&clicks] { ++clicks; });
    form.board().checkChoiceCount(3);
    QVERIFY(form.control<QRadioButton>(u"rbItem3"_s)->isChecked());
    QCOMPARE(clicks, 0);
    QCOMPARE(form.state().SelectNum, 0);
}

void WindowSessionTest::wholeRun()
{
    writeFruitCourse(u"a"_s, u"果物"_s);
    writeCourse(u"b"_s, u"野菜"_s, u"v"_s, 3, {u"onion"_s, u"carrot"_s, u"potato"_s},
                {u"たまねぎ"_s, u"にんじん"_s, u"じゃがいも"_s});
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    BoxAnswerer answerer;
    Script script;
    TForm1* form = nullptr;
    TForm2* dialog = nullptr;

    const auto dialogUp = [&] {
        dialog = topLevel<TForm2>(u"Form2"_s);
        return dialog && QApplication::activeModalWidget() == dialog;
    };
    const auto dialogGone = [&] { return dialog && !dialog->isVisible(); };
    const auto answerRight = [&] {
        for (int k = 1; k <= 6; ++k) {
            QWidget* button = form->control(u"btnWord"_s + QString::number(k));
            if (button->isVisible() &&
                qobject_cast<QPushButton*>(button)->text() == form->state().AnsCheckString) {
                clickAt(form->view(), kMain, centreOf(button));
                return;
            }
        }
        QFAIL("no answer button shows the right meaning");
    };

    script.then(dialogUp, [&] {
        form = topLevel<TForm1>(u"Form1"_s);
        QVERIFY(form->isVisible());
        QCOMPARE(form->control<QComboBox>(u"ComboBox1"_s)->count(), 3);
        QCOMPARE(form->control<QComboBox>(u"ComboBox1"_s)->currentIndex(),
                 1); // the preferred voice
        QCOMPARE(dialog->control<QListWidget>(u"ListBox1"_s)->count(), 2);
        QCOMPARE(dialog->control<QListWidget>(u"ListBox1"_s)->item(0)->text(), u"果物"_s);
        QCOMPARE(dialog->ItemIndex(), 0);
        QVERIFY(form->control<QPushButton>(u"btnChangeCourse"_s)->isEnabled());
        QCOMPARE(dialog->windowTitle(), u"問題の変更"_s);
        clickAt(dialog->view(), kDialog, {312 + 60, 216 + 16});
    });
    script.then(dialogGone, [&] {
        QCOMPARE(form->windowTitle(), u"果物"_s);
        QVERIFY(!form->control<CircleShape>(u"shpCircle"_s)->isVisible());
        QCOMPARE(form->control<QLabel>(u"lbEnglish"_s)->text(), u"apple"_s);
        QCOMPARE(form->control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 1/3"_s);
        // One wrong answer first, then the right one.
        for (int k = 1; k <= 3; ++k) {
            auto* button =
                qobject_cast<QPushButton*>(form->control(u"btnWord"_s + QString::number(k)));
            if (button->text() != form->state().AnsCheckString) {
                clickAt(form->view(), kMain, centreOf(button));
                QVERIFY(!button->isEnabled());
                break;
            }
        }
        QCOMPARE(form->control<QLabel>(u"lbWrongNum"_s)->text(), u"誤答数： 1"_s);
        answerRight();
        QVERIFY(form->control<CircleShape>(u"shpCircle"_s)->isVisible());
        QCOMPARE(form->control<QLabel>(u"lbCorrectNum"_s)->text(), u"正解数： 0"_s);
        for (int question = 2; question <= 3; ++question) {
            clickAt(form->view(), kMain, centreOf(form->control<QPushButton>(u"btnNext"_s)));
            QCOMPARE(form->control<QLabel>(u"lbQuestNum"_s)->text(),
                     u"問題番号： "_s + QString::number(question) + u"/3"_s);
            answerRight();
        }
        QCOMPARE(form->control<QLabel>(u"lbCorrectNum"_s)->text(), u"正解数： 2"_s);
        clickAt(form->view(), kMain,
                centreOf(form->control<QPushButton>(u"btnNext"_s))); // the closing message
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes[0].text, u"おつかれさまです。単語の練習を終了しました。"_s);
        QCOMPARE(answerer.boxes[0].caption, u"tst_windows_session"_s);
        QCOMPARE(made.sink->stopCount(), 0);
        clickAt(form->view(), kMain, centreOf(form->control<QPushButton>(u"btnClose"_s)));
    });

    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QCOMPARE(spokenTexts(*made.tones).value(0), u"apple"_s);
    QCOMPARE(spokenTexts(*made.tones).value(1), u"No!"_s);
    QCOMPARE(spokenTexts(*made.tones).last(), u"Good work! You have finished word exercise."_s);
    QCOMPARE(made.tones->requests().front().first, 1); // spoken with the preferred voice
    QCOMPARE(cueNames(*made.sink),
             (QStringList{u"SysPu"_s, u"Sysbubuu"_s, u"SysPu"_s, u"SysPingPong"_s, u"SysPu"_s,
                          u"SysPingPong"_s, u"SysPu"_s, u"SysPingPong"_s}));
    QCOMPARE(made.sink->stopCount(), 1); // playback stopped once, at close
}

void WindowSessionTest::closeWhileSpeakingWaits()
{
    writeFruitCourse(u"a"_s, u"果物"_s);
    writeFruitCourse(u"b"_s, u"果物2"_s);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices, .autoAdvance = false});
    Script script;
    TForm1* form = nullptr;
    bool closeArmed = false;
    int stopsWhenClosed = -1;
    QString listenEnabledWhenClosed;

    // Speech sounds until this moves the clock on; once armed, a close of the
    // main window arrives from the system in the middle of a word. The real
    // close box, held back with the input while a word is spoken, is tested
    // on the real program in an X server (xinput.sh close-during-speech).
    QTimer speech;
    connect(&speech, &QTimer::timeout, &speech, [&] {
        if (!made.sink || !made.sink->isSpeechPlaying())
            return;
        if (closeArmed) {
            closeArmed = false;
            QCloseEvent close;
            QCoreApplication::sendEvent(form->windowHandle(), &close);
            stopsWhenClosed = made.sink->stopCount();
        }
        made.sink->advance(60'000'000);
    });
    speech.start(5);

    script.then([&] { return topLevel<TForm2>(u"Form2"_s) && QApplication::activeModalWidget(); },
                [&] {
                    form = topLevel<TForm1>(u"Form1"_s);
                    clickAt(topLevel<TForm2>(u"Form2"_s)->view(), kDialog, {372, 232});
                });
    script.then([&] { return !topLevel<TForm2>(u"Form2"_s)->isVisible(); },
                [&] {
                    closeArmed = true;
                    clickAt(form->view(), kMain,
                            centreOf(form->control<QPushButton>(u"bbtnListenAgain"_s)));
                });
    QCOMPARE(runVocarin(platform), 0);
    QCOMPARE(stopsWhenClosed, 0); // nothing released in the middle of the word
    QCOMPARE(made.sink->stopCount(), 1);
    QCOMPARE(spokenTexts(*made.tones), (QStringList{u"apple"_s, u"apple"_s}));
}

void WindowSessionTest::tooFewWordsEnds()
{
    writeCourse(u"small"_s, u"少ない"_s, u"s"_s, 3, {u"one"_s, u"two"_s}, {u"一"_s, u"二"_s});
    writeFruitCourse(u"zz"_s, u"普通"_s);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    BoxAnswerer answerer;
    Script script;
    script.then([&] { return topLevel<TForm2>(u"Form2"_s) && QApplication::activeModalWidget(); },
                [&] {
                    clickAt(topLevel<TForm2>(u"Form2"_s)->view(), kDialog, {372, 232});
                });
    QCOMPARE(runVocarin(platform), 0);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes[0].text,
             u"少なくとも3つ以上のデータを用意してください。終了します。"_s);
    QCOMPARE(made.sink->stopCount(), 1);
    QVERIFY(made.tones->requests().empty());
}

// Before FormCreate there is no exercise yet: its controls do nothing.
void WindowSessionTest::exerciseControlsBeforeCreate()
{
    BuiltForm built;
    TForm1& form = built.form;
    const QList<QWidget*> controls{
        form.control<QPushButton>(u"btnNext"_s),         form.control<QPushButton>(u"btnReset"_s),
        form.control<QPushButton>(u"bbtnListenAgain"_s), form.control<QRadioButton>(u"rbRndOn"_s),
        form.control<QRadioButton>(u"rbEnglishOff"_s),   form.control<QRadioButton>(u"rbItem4"_s)};
    for (QWidget* control : controls)
        clickAt(form.view(), kMain, designRect(control).topLeft() + QPointF(8, 8));
    QVERIFY(form.control<QRadioButton>(u"rbItem4"_s)
                ->isChecked()); // as the toolkit checks any clicked radio
    QCOMPARE(form.control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号:"_s);
    QVERIFY(!built.m_made.tones); // no voice made, none asked
}

// The close releases the exercise's lists and cue streams: a click that
// reaches the window afterwards, before the program has ended, does nothing.
void WindowSessionTest::exerciseControlsAfterClose()
{
    writeFruitCourse(u"a"_s, u"果物"_s);
    LoadedWindow w;
    QCOMPARE(spokenTexts(*w.made.tones), QStringList{u"apple"_s});
    w.form.close();
    QVERIFY(w.life.terminating());
    w.click(w.form.control<QPushButton>(u"bbtnListenAgain"_s));
    w.click(w.form.control<AnswerButton>(u"btnWord1"_s));
    w.clickRadio(w.form.control<QRadioButton>(u"rbRndOn"_s));
    QCOMPARE(spokenTexts(*w.made.tones), QStringList{u"apple"_s});
    QCOMPARE(w.form.control<QLabel>(u"lbJap"_s)->text(), QString());
    QCOMPARE(w.made.sink->captures(CaptureSink::Kind::Cue).size(), 0u);
}

void WindowSessionTest::choiceCountKeys_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<bool>("restarts");
    QTest::newRow("Space on the checked count") << 3 << true << false;
    QTest::newRow("Space on another count") << 5 << true << true;
    QTest::newRow("pointer on the checked count") << 3 << false << true;
    QTest::newRow("pointer on another count") << 5 << false << true;
}

void WindowSessionTest::choiceCountKeys()
{
    QFETCH(int, count);
    QFETCH(bool, byKey);
    QFETCH(bool, restarts);
    writeCourse(u"a"_s, u"数"_s, u"n"_s, 3, kEightWords, kEightMeanings);
    LoadedWindow w;
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.answerWrong();
    auto* radio = qobject_cast<QRadioButton*>(w.form.control(u"rbItem"_s + QString::number(count)));
    if (byKey) {
        radio->setFocus(Qt::TabFocusReason);
        QVERIFY(radio->hasFocus());
        QTest::keyClick(w.form.view()->viewport(), Qt::Key_Space);
    } else {
        w.clickRadio(radio);
    }
    QCOMPARE(w.form.control<QLabel>(u"lbWrongNum"_s)->text(),
             restarts ? u"誤答数： 0"_s : u"誤答数： 1"_s);
    QCOMPARE(w.form.state().SelectNum, count);
    QVERIFY(radio->isChecked());
}

void WindowSessionTest::optionsRestartOrShow()
{
    writeCourse(u"a"_s, u"数"_s, u"n"_s, 3, kEightWords, kEightMeanings);
    LoadedWindow w;
    QCOMPARE(w.order(), listOrder(8));

    // Random order on: a new shuffle from question 1, counters at zero.
    w.answerWrong();
    w.clickRadio(w.form.control<QRadioButton>(u"rbRndOn"_s));
    QVERIFY(w.form.control<QRadioButton>(u"rbRndOn"_s)->isChecked());
    QCOMPARE(w.form.control<QLabel>(u"lbWrongNum"_s)->text(), u"誤答数： 0"_s);
    QCOMPARE(w.form.control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 1/8"_s);
    const QStringList shuffled = w.order();
    QVERIFY(shuffled != listOrder(8));
    QCOMPARE(w.form.control<QLabel>(u"lbEnglish"_s)->text(),
             kEightWords.at(shuffled.first().toInt() - 1));

    // Off again: list order restored, counters at zero.
    w.answerWrong();
    w.clickRadio(w.form.control<QRadioButton>(u"rbRndOff"_s));
    QCOMPARE(w.order(), listOrder(8));
    QCOMPARE(w.form.control<QLabel>(u"lbWrongNum"_s)->text(), u"誤答数： 0"_s);

    // English display off empties the word at once, on shows the current one.
    w.clickRadio(w.form.control<QRadioButton>(u"rbEnglishOff"_s));
    QCOMPARE(w.form.control<QLabel>(u"lbEnglish"_s)->text(), QString());
    w.click(w.visibleAnswer(true));
    w.click(w.form.control<QPushButton>(u"btnNext"_s));
    QCOMPARE(w.form.control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 2/8"_s);
    QCOMPARE(w.form.control<QLabel>(u"lbEnglish"_s)->text(), QString());
    w.clickRadio(w.form.control<QRadioButton>(u"rbEnglishOn"_s));
    QCOMPARE(w.form.control<QLabel>(u"lbEnglish"_s)->text(), u"two"_s);
    QCOMPARE(w.form.control<QLabel>(u"lbQuestNum"_s)->text(), u"問題番号： 2/8"_s); // no restart
}

// A course with recordings: a word with one is heard from it, a word whose
// file cannot be played gets a message naming the file and the voice.
void WindowSessionTest::recordedWords()
{
    writeFruitCourse(u"a"_s, u"果物"_s);
    writeFile(u"a/Option.txt"_s, utf8Lines({u"果物"_s, u"f"_s, u"wav"_s, u"3"_s}));
    writeFile(u"a/apple.wav"_s, sweepFile(u"wav"_s));
    writeFile(u"a/grape.wav"_s, "RIFF");
    BoxAnswerer answerer;
    LoadedWindow w;
    QCOMPARE(spokenTexts(*w.made.tones), QStringList());
    QCOMPARE(w.made.sink->captures(CaptureSink::Kind::Speech).at(0).clip->sampleRate, 22050);

    w.form.btnNextClick();
    QCOMPARE(answerer.boxes.size(), 1);
    QVERIFY2(answerer.boxes[0].text.contains(u"grape.wav"_s), qPrintable(answerer.boxes[0].text));
    QCOMPARE(answerer.boxes[0].caption, applicationTitle());
    w.form.btnNextClick();
    QCOMPARE(spokenTexts(*w.made.tones), (QStringList{u"grape"_s, u"peach"_s}));
    QCOMPARE(answerer.boxes.size(), 1);
}

void WindowSessionTest::childExitCodes_data()
{
    QTest::addColumn<QString>("engines");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstBox");
    QTest::newRow("engine cannot start") << u"broken"_s << 1 << u"アプリケーションエラー|"_s;
    QTest::newRow("no voices")
        << u"silent"_s << 0
        << u"tst_windows_session|Microsoft 音声合成 (TTS: text-to-speech) を利用できません。\n"
           u"Microsoft 音声合成をインストールして下さい。"_s;
}

void WindowSessionTest::childExitCodes()
{
    QFETCH(QString, engines);
    QFETCH(int, exitCode);
    QFETCH(QString, firstBox);
    writeFruitCourse(u"a"_s, u"果物"_s);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {u"--child"_s, engines});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), exitCode);
    const QString boxes = QString::fromUtf8(child.readAllStandardOutput());
    QVERIFY2(boxes.startsWith(firstBox), qPrintable(boxes));
    if (exitCode == 1)
        QVERIFY2(boxes.contains(u"FormCreate"_s), qPrintable(boxes));
}

// The program run in a child process: every box it shows is printed as
// "caption|text", one per box, and answered with OK.
static int runChild(int argc, char* argv[], const QString& engines)
{
    QApplication app(argc, argv);
    Made made;
    const Platform platform = standInPlatform(
        made,
        {.voices = kVoices, .engines = engines == u"broken" ? Engines::Broken : Engines::NoVoices});
    BoxAnswerer answerer;
    const int code = runVocarin(platform);
    for (const auto& box : answerer.boxes)
        std::cout << QString(box.caption + u'|' + box.text).toStdString() << "\n";
    return code;
}

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, QString::fromLocal8Bit(argv[2]));
    QApplication app(argc, argv);
    WindowSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows_session.moc"
