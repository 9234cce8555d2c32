// Faults from outside the program, met by the real windows: no sound device, a
// voice engine that fails, a course folder removed or a course file held open
// for writing while the program runs. Each ends in the program's own message
// or fault box, and the program goes on (or ends as it should), never a crash.

#include "ProgramHarness.h"
#include "WorkingFolder.h"

#include "app/Program.h"

#include <QComboBox>
#include <QDir>

#include <optional>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

namespace {

const QByteArray kWords = "apple\r\ngrape\r\npeach\r\nlemon\r\n";
const QByteArray kMeanings = "\xEF\xBB\xBF"
                             "りんご\r\nぶどう\r\nもも\r\nレモン\r\n";

// The working folder's course (row 0) and a subfolder course (row 1).
void writeCourses()
{
    writeFile(u"Option.txt"_s, "Fruit\r\nf\r\n3\r\n");
    writeFile(u"fE.txt"_s, kWords);
    writeFile(u"fJ.txt"_s, kMeanings);
    QVERIFY(QDir().mkpath(u"2_more"_s));
    writeFile(u"2_more/Option.txt"_s, "More\r\n\r\n3\r\n");
    writeFile(u"2_more/E.txt"_s, "red\r\nblue\r\ngreen\r\n");
    writeFile(u"2_more/J.txt"_s, "赤\r\n青\r\n緑\r\n");
}

QPushButton* rightButton(TForm1& form)
{
    for (int k = 1; k <= 6; ++k) {
        auto* button = qobject_cast<QPushButton*>(form.control(u"btnWord"_s + QString::number(k)));
        if (button->isVisible() && button->text() == form.state().AnsCheckString)
            return button;
    }
    return nullptr;
}

// Right answer and Next, `count` times.
void answerRight(TForm1& form, int count)
{
    for (int i = 0; i < count; ++i) {
        QPushButton* right = rightButton(form);
        QVERIFY(right);
        right->click();
        QVERIFY(form.control<QPushButton>(u"btnNext"_s)->isEnabled());
        form.control<QPushButton>(u"btnNext"_s)->click();
    }
}

} // namespace

class FaultTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void noSoundDevice_data();
    void noSoundDevice();
    void voiceEngineFailsToStart_data();
    void voiceEngineFailsToStart();
    void oneVoiceEngineFailingLeavesTheOthers();
    void voiceFailsWhileRunning();
    void courseFolderRemoved();
    void courseFileHeldOpenForWriting_data();
    void courseFileHeldOpenForWriting();

private:
    std::optional<WorkingFolder> m_folder;
};

void FaultTest::init()
{
    m_folder.emplace();
    writeCourses();
}

void FaultTest::cleanup()
{
    m_folder.reset();
}

void FaultTest::noSoundDevice_data()
{
    QTest::addColumn<QByteArray>("driver");
    // "dummy" is a device that plays into nothing in real time; a driver that
    // does not exist is a system where no device opens at all.
    QTest::newRow("dummy device") << QByteArray("dummy");
    QTest::newRow("no device opens") << QByteArray("no-such-driver");
}

void FaultTest::noSoundDevice()
{
    QFETCH(QByteArray, driver);
    const QByteArray oldDriver = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", driver);
    {
        BoxAnswerer answerer;
        Made made;
        RunningProgram program(standInPlatform(made, {.seed = 1, .systemAudio = true}));
        program.show([](TForm2& dialog) { pressOk(dialog, {0}); });
        answerRight(*program.form(), 3);
        QCOMPARE(program.form()->state().CorrectNum, 3);
        QCOMPARE(program.form()->state().CurrentNum, 4);
        QVERIFY(answerer.faults().isEmpty());
        program.close();
    }
    qputenv("SDL_AUDIODRIVER", oldDriver);
}

void FaultTest::voiceEngineFailsToStart_data()
{
    QTest::addColumn<bool>("onOwnThread");
    QTest::newRow("started on a thread of its own") << true;
    QTest::newRow("started on the window thread (Windows)") << false;
}

void FaultTest::voiceEngineFailsToStart()
{
    // No voice object at all: the fatal fault report, exit code 1.
    QFETCH(bool, onOwnThread);
    BoxAnswerer answerer;
    Made made;
    Platform platform = standInPlatform(made, {.engines = Engines::Broken, .seed = 1});
    platform.speechOnOwnThread = onOwnThread;
    QCOMPARE(runVocarin(platform), 1);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().caption, u"アプリケーションエラー"_s);
    const QString text = answerer.boxes.first().text;
    QVERIFY2(text.contains(u"音声合成エンジンを開始できません"_s), qPrintable(text));
    // The kind of fault in words, not a type name of the code.
    QVERIFY2(text.contains(u"「処理の失敗」"_s) && !text.contains(u"::"_s), qPrintable(text));
}

// As when eSpeak NG's data is unusable while flite works: start-up goes on
// with the working engine's voices, and nothing is shown.
void FaultTest::oneVoiceEngineFailingLeavesTheOthers()
{
    BoxAnswerer answerer;
    Made made;
    RunningProgram program(standInPlatform(made, {.engines = Engines::BrokenThenTones, .seed = 1}));
    QCOMPARE(program.form()->control<QComboBox>(u"ComboBox1"_s)->count(), 2);
    QCOMPARE(program.form()->control<QComboBox>(u"ComboBox1"_s)->itemText(0),
             u"Tone A - English"_s);
    QVERIFY(answerer.boxes.isEmpty());
}

void FaultTest::voiceFailsWhileRunning()
{
    BoxAnswerer answerer;
    Made made;
    RunningProgram program(standInPlatform(made, {.seed = 2}));
    TForm1& form = *program.form();
    program.show([](TForm2& dialog) { pressOk(dialog, {0}); });

    // The praise cannot be spoken: the fault box, and the rest of the press is skipped.
    made.tones->setFailing(true);
    rightButton(form)->click();
    QCOMPARE(answerer.faults().size(), 1);
    QVERIFY2(answerer.faults().first().contains(u"を音声にできません"_s),
             qPrintable(answerer.faults().first()));
    QCOMPARE(form.state().CorrectNum, 0);
    QVERIFY(!form.control<QPushButton>(u"btnNext"_s)->isEnabled());

    // The voice is back: the run starts over and goes on.
    made.tones->setFailing(false);
    form.control<QPushButton>(u"btnReset"_s)->click();
    answerRight(form, 2);
    QCOMPARE(form.state().CorrectNum, 2);
    QCOMPARE(answerer.faults().size(), 1);
    program.close();
}

void FaultTest::courseFolderRemoved()
{
    BoxAnswerer answerer;
    Made made;
    RunningProgram program(standInPlatform(made, {.seed = 3}));
    TForm1& form = *program.form();
    program.show([](TForm2& dialog) { pressOk(dialog, {0}); });
    answerRight(form, 1);

    // Listed at start-up, gone when chosen: the file open fault, and the dialog
    // stays up for another choice.
    QVERIFY(QDir(u"2_more"_s).removeRecursively());
    program.changeCourse([](TForm2& dialog) { pressOk(dialog, {1, 0}); });
    QCOMPARE(answerer.faults().size(), 1);
    const QString fault = answerer.faults().first();
    QVERIFY2(fault.startsWith(u"ファイル "_s) &&
                 fault.contains(u"2_more/Option.txt は開けません。 "_s),
             qPrintable(fault));
    QVERIFY(!program.dialog()->isVisible());
    QCOMPARE(form.windowTitle(), u"Fruit"_s);
    QCOMPARE(form.state().CurrentNum, 1);
    answerRight(form, 3);
    QCOMPARE(form.state().CorrectNum, 3);
    program.close();
}

void FaultTest::courseFileHeldOpenForWriting_data()
{
    QTest::addColumn<QByteArray>("written"); // by the other program, so far
    QTest::addColumn<int>("words");          // -1: the course ends the program

    // Nothing locks a file against reading here: the load reads what is on
    // disk at that moment.
    QTest::newRow("a line appended") << QByteArray("melon\r\n") << 5;
    QTest::newRow("emptied, nothing written yet") << QByteArray() << -1;
}

void FaultTest::courseFileHeldOpenForWriting()
{
    QFETCH(QByteArray, written);
    QFETCH(int, words);

    BoxAnswerer answerer;
    Made made;
    RunningProgram program(standInPlatform(made, {.seed = 4}));
    program.show([](TForm2& dialog) { pressOk(dialog, {1}); });

    QFile held(u"fE.txt"_s);
    QVERIFY(held.open(words < 0 ? QIODevice::WriteOnly | QIODevice::Truncate
                                : QIODevice::WriteOnly | QIODevice::Append));
    held.write(written);
    QVERIFY(held.flush());
    program.changeCourse([](TForm2& dialog) { pressOk(dialog, {0}); });

    QVERIFY(answerer.faults().isEmpty());
    if (words < 0) {
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.first().text,
                 u"少なくとも3つ以上のデータを用意してください。終了します。"_s);
        QVERIFY(program.life().terminating());
    } else {
        QCOMPARE(program.form()->state().AllQuestNum, words);
        answerRight(*program.form(), 2);
        QVERIFY(!program.life().terminating());
        program.close();
    }
}

QTEST_MAIN(FaultTest)
#include "tst_faults.moc"
