#include "SoundFiles.h"
#include "WindowTestKit.h"
#include "WorkingFolder.h"

#include "app/Program.h"
#include "speech/CueSounds.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "widgets/CircleShape.h"
#include "widgets/ScaledView.h"
#include "windows/Displays.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"
#include "windows/Lifecycle.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGraphicsProxyWidget>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <optional>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

namespace {

const QString kPreferred = preferredVoiceDescription();
const QStringList kVoices{u"Tone A - English"_s, kPreferred, u"Tone C - English"_s};
const QSizeF kMain(650, 399);
const QSizeF kDialog(442, 256);

// Three fruits in list order, three choices.
void writeFruitCourse(const QString& folder, const QString& title)
{
    writeCourse(folder, title, u"f"_s, 3, {u"apple"_s, u"grape"_s, u"peach"_s},
                {u"りんご"_s, u"ぶどう"_s, u"もも"_s});
}

// Where a control lies on its window's canvas: mapped through the one proxy
// that shows all of the window's controls.
QRectF designRect(QWidget* control)
{
    QWidget* canvas = control->window();
    return canvas->graphicsProxyWidget()->mapRectToScene(
        QRectF(control->mapTo(canvas, QPoint(0, 0)), control->size()));
}

// Where a control is drawn, in pixels of the window's view.
QRectF onScreen(TForm1& form, QWidget* control)
{
    return form.ScaledLayout1->viewportTransform().mapRect(designRect(control));
}

QString captionOf(QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return box->title();
    return QString();
}

// The main window as built, before FormCreate, shown at a client size.
struct BuiltForm
{
    explicit BuiltForm(QSize size = {650, 399})
        : m_platform(standInPlatform(m_made, {.voices = kVoices})), form(m_life, m_platform)
    {
        form.show();
        resize(size);
    }

    void resize(QSize size)
    {
        form.resize(size);
        QTRY_COMPARE(form.ScaledLayout1->viewport()->size(), size);
    }

    // Every control on the design canvas, from the bottom of the stack up.
    QList<QWidget*> controls() const
    {
        QList<QWidget*> found;
        const auto collect = [this, &found](const auto& self, const QWidget* holder) -> void {
            for (QObject* child : holder->children()) {
                auto* control = qobject_cast<QWidget*>(child);
                if (control && form.control(control->objectName()) == control) {
                    found.append(control);
                    self(self, control);
                }
            }
        };
        collect(collect, form.ScaledLayout1->canvas());
        return found;
    }

    Made m_made;
    Platform m_platform;
    Lifecycle m_life;
    TForm1 form;
};

QPointF centreOf(QWidget* control)
{
    return designRect(control).center();
}

// Which cue a captured clip is, told by its length and rate.
QString cueName(const AudioClip& clip)
{
    for (const QString& name : {u"SysPu"_s, u"Sysbubuu"_s, u"SysPingPong"_s}) {
        const auto known = CueStream(name).clip();
        if (known->frames() == clip.frames() && known->sampleRate == clip.sampleRate)
            return name;
    }
    return u"?"_s;
}

QStringList cueNames(const CaptureSink& sink)
{
    QStringList names;
    for (const auto& capture : sink.captures(CaptureSink::Kind::Cue))
        names.append(cueName(*capture.clip));
    return names;
}

// The main window on its own with course "a" loaded, as after OK in the dialog.
struct LoadedWindow
{
    explicit LoadedWindow(QStringList voices = kVoices)
        : platform(standInPlatform(made, {.voices = std::move(voices)})), form(life, platform)
    {
        form.FormCreate();
        form.resize(1300, 798);
        form.show();
        form.InitialGame(u".\\a\\"_s);
    }

    QAbstractButton* visibleAnswer(bool right)
    {
        for (int k = 1; k <= 6; ++k) {
            auto* button =
                qobject_cast<QAbstractButton*>(form.control(u"btnWord"_s + QString::number(k)));
            if (button->isVisible() && button->isEnabled() &&
                (form.answerText(k) == form.state().AnsCheckString) == right)
                return button;
        }
        return nullptr;
    }
    void click(QWidget* control) { clickAt(form.ScaledLayout1, kMain, centreOf(control)); }
    // A radio button is clicked on its circle, 8 units in from its left edge.
    void clickRadio(QWidget* radio)
    {
        const QRectF box = designRect(radio);
        clickAt(form.ScaledLayout1, kMain, {box.left() + 8, box.center().y()});
    }
    void answerWrong()
    {
        QAbstractButton* wrong = visibleAnswer(false);
        QVERIFY(wrong);
        click(wrong);
        QCOMPARE(form.lbWrongNum->text(), u"誤答数： 1"_s);
    }
    QStringList order() { return form.state().QNumList.lines(); }

    Made made;
    Platform platform;
    Lifecycle life;
    TForm1 form;
};

QStringList listOrder(int words)
{
    QStringList order;
    for (int n = 1; n <= words; ++n)
        order.append(QString::number(n));
    return order;
}

// What assistive technology reads from a control: the text as it is shown.
QString shownText(QWidget* control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

// The program about to start in the working folder, and its windows once the
// course dialog is up.
struct FirstShowing
{
    Made made;
    Platform platform = standInPlatform(made, {.voices = kVoices});
    BoxAnswerer answerer;
    Script script;
    TForm1* form = nullptr;
    TForm2* dialog = nullptr;

    bool dialogUp()
    {
        dialog = topLevel<TForm2>(u"Form2"_s);
        form = topLevel<TForm1>(u"Form1"_s);
        return dialog && QApplication::activeModalWidget() == dialog;
    }
};

const QStringList kEightWords{u"one"_s,  u"two"_s, u"three"_s, u"four"_s,
                              u"five"_s, u"six"_s, u"seven"_s, u"eight"_s};
const QStringList kEightMeanings{u"一"_s, u"二"_s, u"三"_s, u"四"_s,
                                 u"五"_s, u"六"_s, u"七"_s, u"八"_s};

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void controlKinds_data();
    void controlKinds();
    void stretch();
    void readingOrder();
    void alike_data();
    void alike();
    void startState();
    void looks();
    void tabOrder();
    void clicksFollowStretch_data();
    void clicksFollowStretch();
    void radioEventOrder();
    void displays_data();
    void displays();
    void wholeRun();
    void singleCourseDialog();
    void noCourseDialog();
    void closeWhileSpeakingWaits();
    void tooFewWordsEnds();
    void exerciseControlsBeforeCreate();
    void exerciseControlsAfterClose();
    void choiceCountKeys_data();
    void choiceCountKeys();
    void optionsRestartOrShow();
    void courseTextsShownAsWritten();
    void longMeaningKeepsItsBeginning();
    void voicePopupStaysOnCanvas_data();
    void voicePopupStaysOnCanvas();
    void voiceBoxTellsVoicesApart();
    void labelLeavesClicksToTheVoiceBox();
    void courseListKeepsSelection_data();
    void courseListKeepsSelection();
    void courseDialogKeys_data();
    void courseDialogKeys();
    void childExitCodes_data();
    void childExitCodes();
    void recordedWords();

private:
    std::optional<WorkingFolder> m_folder;
};

void WindowTest::init()
{
    m_folder.emplace();
}

void WindowTest::cleanup()
{
    m_folder.reset();
}

void WindowTest::controlKinds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("canvasRect"); // on the design canvas
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::newRow("panel") << u"Panel1"_s << QRectF(8, 276, 633, 112) << QString() << true << true
                           << false;
    QTest::newRow("answer button, in its panel")
        << u"btnWord5"_s << QRectF(232, 340, 185, 33) << QString() << false << true << false;
    QTest::newRow("button") << u"btnNext"_s << QRectF(24, 236, 89, 30) << u"次へ"_s << true << true
                            << false;
    QTest::newRow("button outside its group box")
        << u"btnChangeCourse"_s << QRectF(346, 192, 80, 33) << u"問題を変える"_s << true << false
        << false;
    QTest::newRow("label") << u"Label6"_s << QRectF(16, 8, 409, 17) << u"Vocarin Ver.0.02"_s << true
                           << true << false;
    QTest::newRow("word label, in its panel")
        << u"lbJap"_s << QRectF(24, 70, 601, 49) << QString() << true << true << false;
    QTest::newRow("group box") << u"gbRandom"_s << QRectF(427, 184, 105, 44) << u"ランダム"_s
                               << true << true << false;
    QTest::newRow("radio, in its group box")
        << u"rbEnglishOn"_s << QRectF(592, 200, 41, 19) << u"あり"_s << true << true << true;
    QTest::newRow("group box holding a button outside it")
        << u"gbItemNum"_s << QRectF(438, 224, 203, 49) << u"項目数"_s << true << true << false;
    QTest::newRow("label over the combo")
        << u"Label1"_s << QRectF(337, 228, 60, 17) << u"声を変える"_s << true << true << false;
    QTest::newRow("combo") << u"ComboBox1"_s << QRectF(296, 244, 141, 22) << QString() << true
                           << true << false;
    QTest::newRow("circle") << u"shpCircle"_s << QRectF(72, 53, 121, 137) << QString() << true
                            << true << false;
}

// One control of each kind: where it is drawn at two stretches, what it says,
// and its state at start.
void WindowTest::controlKinds()
{
    QFETCH(QString, name);
    QFETCH(QRectF, canvasRect);
    QFETCH(QString, text);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    BuiltForm built;
    QWidget* control = built.form.control(name);
    QVERIFY(control);
    QCOMPARE(control->objectName(), name);
    for (const QSize size : {QSize(1300, 399), QSize(975, 798)}) {
        built.resize(size);
        const qreal x = size.width() / 650.0;
        const qreal y = size.height() / 399.0;
        QCOMPARE(onScreen(built.form, control),
                 QRectF(canvasRect.x() * x, canvasRect.y() * y, canvasRect.width() * x,
                        canvasRect.height() * y));
    }
    QCOMPARE(captionOf(control), text);
    QCOMPARE(control->isVisible(), visible);
    QCOMPARE(control->isEnabled(), enabled);
    if (auto* radio = qobject_cast<QRadioButton*>(control))
        QCOMPARE(radio->isChecked(), checked);
}

// Every control stretched with the window: at twice the design width its
// width doubles and its height stays; at twice the height the other way round.
void WindowTest::stretch()
{
    BuiltForm built;
    const QList<QWidget*> controls = built.controls();
    QCOMPARE(controls.size(), 36);
    for (const QSize size : {QSize(1300, 399), QSize(650, 798)}) {
        built.resize(size);
        for (QWidget* control : controls) {
            const QRectF canvas = designRect(control);
            const QRectF drawn = onScreen(built.form, control);
            QCOMPARE(drawn.width(), canvas.width() * size.width() / 650);
            QCOMPARE(drawn.height(), canvas.height() * size.height() / 399);
        }
    }
}

// The whole window as the learner scans it: line by line from the top (the
// controls whose top edges are level), each line from the left; then the
// captions read in that order. A control moved, or two places swapped,
// changes these.
void WindowTest::readingOrder()
{
    BuiltForm built({975, 798});
    QList<QWidget*> controls = built.controls();
    std::sort(controls.begin(), controls.end(), [&built](QWidget* a, QWidget* b) {
        const QPointF pa = onScreen(built.form, a).topLeft();
        const QPointF pb = onScreen(built.form, b).topLeft();
        return std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
    });
    QStringList lines;
    QStringList captions;
    qreal lineTop = -1;
    for (QWidget* control : std::as_const(controls)) {
        const qreal top = onScreen(built.form, control).top();
        if (lines.isEmpty() || top != lineTop)
            lines.append(QString());
        else
            lines.last() += u' ';
        lineTop = top;
        lines.last() += control->objectName();
        if (!captionOf(control).isEmpty())
            captions.append(captionOf(control));
    }
    QCOMPARE(lines, (QStringList{
                        u"Label6"_s,
                        u"bbtnListenAgain btnClose"_s,
                        u"shpCircle"_s,
                        u"Panel3 lbJap"_s,
                        u"Panel2 lbEnglish"_s,
                        u"gbRandom gbEnglishView"_s,
                        u"btnChangeCourse"_s,
                        u"lbQuestNum lbCorrectNum lbWrongNum"_s,
                        u"rbRndOff rbRndOn rbEnglishOff rbEnglishOn"_s,
                        u"gbItemNum"_s,
                        u"Label1"_s,
                        u"btnNext btnReset"_s,
                        u"rbItem1 rbItem2 rbItem3 rbItem4 rbItem5 rbItem6"_s,
                        u"ComboBox1"_s,
                        u"Panel1"_s,
                        u"btnWord1 btnWord2 btnWord3"_s,
                        u"btnWord4 btnWord5 btnWord6"_s,
                    }));
    QCOMPARE(captions, (QStringList{u"Vocarin Ver.0.02"_s,
                                    u"もう一度聞く"_s,
                                    u"終了"_s,
                                    u"ランダム"_s,
                                    u"英語"_s,
                                    u"問題を変える"_s,
                                    u"問題番号:"_s,
                                    u"正解数:"_s,
                                    u"誤答数:"_s,
                                    u"なし"_s,
                                    u"あり"_s,
                                    u"なし"_s,
                                    u"あり"_s,
                                    u"項目数"_s,
                                    u"声を変える"_s,
                                    u"次へ"_s,
                                    u"最初から"_s,
                                    u"1"_s,
                                    u"2"_s,
                                    u"3"_s,
                                    u"4"_s,
                                    u"5"_s,
                                    u"6"_s}));
}

void WindowTest::alike_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("answer buttons") << QStringList{u"btnWord1"_s, u"btnWord2"_s, u"btnWord3"_s,
                                                   u"btnWord4"_s, u"btnWord5"_s, u"btnWord6"_s};
    QTest::newRow("choice counts") << QStringList{u"rbItem1"_s, u"rbItem2"_s, u"rbItem3"_s,
                                                  u"rbItem4"_s, u"rbItem5"_s, u"rbItem6"_s};
    QTest::newRow("option radios")
        << QStringList{u"rbRndOff"_s, u"rbRndOn"_s, u"rbEnglishOff"_s, u"rbEnglishOn"_s};
    QTest::newRow("option groups") << QStringList{u"gbRandom"_s, u"gbEnglishView"_s};
    QTest::newRow("word panels") << QStringList{u"Panel2"_s, u"Panel3"_s};
    QTest::newRow("word labels") << QStringList{u"lbEnglish"_s, u"lbJap"_s};
    QTest::newRow("次へ, 最初から") << QStringList{u"btnNext"_s, u"btnReset"_s};
    QTest::newRow("もう一度聞く, 終了") << QStringList{u"bbtnListenAgain"_s, u"btnClose"_s};
}

// Controls of one role share one size.
void WindowTest::alike()
{
    QFETCH(QStringList, names);
    BuiltForm built;
    const QSizeF size = designRect(built.form.control(names.first())).size();
    for (const QString& name : std::as_const(names))
        QVERIFY2(designRect(built.form.control(name)).size() == size, qPrintable(name));
}

// What differs from the start state of a plain control, across the window.
void WindowTest::startState()
{
    BuiltForm built;
    QStringList hidden;
    QStringList disabled;
    QStringList checked;
    for (QWidget* control : built.controls()) {
        if (!control->isVisible())
            hidden.append(control->objectName());
        if (!control->isEnabled())
            disabled.append(control->objectName());
        auto* radio = qobject_cast<QRadioButton*>(control);
        if (radio && radio->isChecked())
            checked.append(control->objectName());
    }
    hidden.sort();
    QCOMPARE(hidden, (QStringList{u"btnWord1"_s, u"btnWord2"_s, u"btnWord3"_s, u"btnWord4"_s,
                                  u"btnWord5"_s, u"btnWord6"_s}));
    QCOMPARE(disabled, QStringList{u"btnChangeCourse"_s});
    checked.sort();
    QCOMPARE(checked, (QStringList{u"rbEnglishOn"_s, u"rbRndOff"_s}));
    QCOMPARE(built.form.windowTitle(), u"Form1"_s);
}

// Fonts and text colours, one line a look; every other control with text
// has the standard font and colours.
void WindowTest::looks()
{
    struct Look
    {
        QStringList names;
        QString family; // the first family
        int size;
        bool bold;
        QColor colour; // invalid: the standard colours
    };
    const QString jp = u"Noto Sans CJK JP"_s;
    const QString gothic = u"Noto Sans Mono CJK JP"_s;
    const QList<Look> looks{
        {{u"btnNext"_s}, gothic, 14, true, QColor(0, 0, 0xFF)},
        {{u"btnReset"_s}, gothic, 14, true, QColor(0xFF, 0, 0)},
        {{u"bbtnListenAgain"_s}, jp, 12, true, QColor(0x99, 0x32, 0xCC)},
        {{u"btnClose"_s}, jp, 12, true, QColor(0, 0, 0)},
        {{u"lbQuestNum"_s, u"lbCorrectNum"_s, u"lbWrongNum"_s}, gothic, 14, false, {}},
        {{u"gbRandom"_s, u"gbEnglishView"_s}, gothic, 12, false, {}},
        {{u"btnWord1"_s, u"btnWord2"_s, u"btnWord3"_s, u"btnWord4"_s, u"btnWord5"_s, u"btnWord6"_s,
          u"lbEnglish"_s, u"lbJap"_s},
         jp,
         16,
         false,
         {}},
    };
    const Look standard{{}, jp, 12, false, {}};
    const QStringList textFree{u"Panel1"_s, u"Panel2"_s, u"Panel3"_s, u"shpCircle"_s};

    BuiltForm built;
    int checkedCount = 0;
    for (QWidget* control : built.controls()) {
        const QString name = control->objectName();
        if (textFree.contains(name))
            continue;
        const auto own = std::find_if(looks.begin(), looks.end(), [&name](const Look& look) {
            return look.names.contains(name);
        });
        const Look& look = own == looks.end() ? standard : *own;
        QVERIFY2(control->font().families().value(0) == look.family, qPrintable(name));
        QVERIFY2(control->font().pixelSize() == look.size, qPrintable(name));
        QVERIFY2(control->font().bold() == look.bold, qPrintable(name));
        const QPalette plain = QApplication::palette(control);
        for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText}) {
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                const QColor expected =
                    look.colour.isValid() ? look.colour : plain.color(group, role);
                QVERIFY2(control->palette().color(group, role) == expected, qPrintable(name));
            }
            // Disabled, a coloured button looks disabled like every other control.
            const QColor disabled = control->palette().color(QPalette::Disabled, role);
            QVERIFY2(disabled == plain.color(QPalette::Disabled, role), qPrintable(name));
            QVERIFY2(disabled != look.colour, qPrintable(name));
        }
        ++checkedCount;
    }
    QCOMPARE(checkedCount, 36 - textFree.size());
}

void WindowTest::tabOrder()
{
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    Lifecycle life;
    TForm1 form(life, platform);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.ScaledLayout1->setFocus();

    const auto focused = [&form] {
        QWidget* control = form.ScaledLayout1->canvas()->focusWidget();
        return control && control->hasFocus() ? control->objectName() : QString();
    };
    // No control has the focus until Tab is pressed. Hidden answers and the
    // disabled course button take no stop; every option of a radio group does.
    const QStringList expected{
        QString(),         u"btnReset"_s,    u"btnNext"_s,         u"rbRndOff"_s, u"rbRndOn"_s,
        u"rbEnglishOff"_s, u"rbEnglishOn"_s, u"bbtnListenAgain"_s, u"btnClose"_s, u"rbItem6"_s,
        u"rbItem5"_s,      u"rbItem4"_s,     u"rbItem3"_s,         u"rbItem2"_s,  u"rbItem1"_s,
        u"ComboBox1"_s,    u"btnReset"_s};
    QStringList seen{focused()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(form.ScaledLayout1, Qt::Key_Tab);
        seen.append(focused());
    }
    QCOMPARE(seen, expected);
    QTest::keyClick(form.ScaledLayout1, Qt::Key_Backtab);
    QCOMPARE(focused(), u"ComboBox1"_s);

    // Every stop on show: the whole chain once round, from a click on the first
    // answer button (before FormCreate: the click does nothing else).
    for (int k = 1; k <= 6; ++k)
        form.setAnswerVisible(k, true);
    form.btnChangeCourse->setEnabled(true);
    clickAt(form.ScaledLayout1, kMain, centreOf(form.btnWord4));
    QStringList chain{focused()};
    for (int i = 0; i < 22; ++i) {
        QTest::keyClick(form.ScaledLayout1, Qt::Key_Tab);
        chain.append(focused());
    }
    QCOMPARE(chain,
             (QStringList{u"btnWord4"_s,        u"btnWord6"_s,  u"btnWord3"_s,     u"btnWord5"_s,
                          u"btnWord2"_s,        u"btnWord1"_s,  u"btnReset"_s,     u"btnNext"_s,
                          u"rbRndOff"_s,        u"rbRndOn"_s,   u"rbEnglishOff"_s, u"rbEnglishOn"_s,
                          u"bbtnListenAgain"_s, u"btnClose"_s,  u"rbItem6"_s,      u"rbItem5"_s,
                          u"rbItem4"_s,         u"rbItem3"_s,   u"rbItem2"_s,      u"rbItem1"_s,
                          u"btnChangeCourse"_s, u"ComboBox1"_s, u"btnWord4"_s}));
    // A click on any other control leaves the focus where it was.
    clickAt(form.ScaledLayout1, kMain, centreOf(form.btnReset));
    clickAt(form.ScaledLayout1, kMain, {483 + 8, 209.5}); // rbRndOn's circle
    QCOMPARE(focused(), u"btnWord4"_s);
}

void WindowTest::clicksFollowStretch_data()
{
    QTest::addColumn<double>("xFactor");
    QTest::addColumn<double>("yFactor");
    QTest::newRow("2.1 x 1.9") << 2.1 << 1.9;
    QTest::newRow("2 x 1") << 2.0 << 1.0;
    QTest::newRow("design size") << 1.0 << 1.0;
}

void WindowTest::clicksFollowStretch()
{
    QFETCH(double, xFactor);
    QFETCH(double, yFactor);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    Lifecycle life;
    TForm1 form(life, platform);
    form.FormCreate();
    form.resize(qRound(650 * xFactor), qRound(399 * yFactor));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.ScaledLayout1->viewport()->size(), form.size());

    // Design points of the radio buttons' own circles (8 units in from the left).
    clickAt(form.ScaledLayout1, kMain, {483 + 8, 209.5});
    QVERIFY(form.rbRndOn->isChecked());
    clickAt(form.ScaledLayout1, kMain, {544 + 8, 209.5});
    QVERIFY(form.rbEnglishOff->isChecked());
    // No course yet: a choice count only sets the count and checks its button.
    clickAt(form.ScaledLayout1, kMain, {542 + 8, 252.5});
    QVERIFY(form.rbItem4->isChecked());
    QCOMPARE(form.state().SelectNum, 4);
    // Listen again before any course speaks the empty word.
    clickAt(form.ScaledLayout1, kMain, {496, 39});
    QCOMPARE(spokenTexts(*made.tones), QStringList{QString()});
}

void WindowTest::radioEventOrder()
{
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    Lifecycle life;
    TForm1 form(life, platform);
    form.FormCreate();
    form.show();

    QStringList events;
    for (QRadioButton* radio : {form.rbEnglishOff, form.rbEnglishOn}) {
        connect(radio, &QRadioButton::toggled, &form, [&events, &form, radio](bool checked) {
            events.append(radio->objectName() + (checked ? u"+"_s : u"-"_s) +
                          (form.rbEnglishOff->isChecked() ? u" off"_s : u" on"_s));
        });
    }
    clickAt(form.ScaledLayout1, kMain, {544 + 8, 209.5});
    // The loser's change runs first and already sees the gainer checked.
    QCOMPARE(events, (QStringList{u"rbEnglishOn- off"_s, u"rbEnglishOff+ off"_s}));
    clickAt(form.ScaledLayout1, kMain, {544 + 8, 209.5});
    QCOMPARE(events.size(), 2);

    // The program's own check of a choice count runs no click handler.
    int clicks = 0;
    connect(form.rbItem3, &QRadioButton::clicked, &form, [&clicks] { ++clicks; });
    form.checkChoiceCount(3);
    QVERIFY(form.rbItem3->isChecked());
    QCOMPARE(clicks, 0);
    QCOMPARE(form.state().SelectNum, 0);
}

void WindowTest::displays_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    // The test program is tst_windows: the title keeps its first character as it is.
    const QString title = u"tst_windows"_s;
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

void WindowTest::displays()
{
    QFETCH(QString, kind);
    QFETCH(QString, input);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, icon);
    QCOMPARE(applicationTitle(), u"tst_windows"_s);
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

void WindowTest::wholeRun()
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
                clickAt(form->ScaledLayout1, kMain, centreOf(button));
                return;
            }
        }
        QFAIL("no answer button shows the right meaning");
    };

    script.then(dialogUp, [&] {
        form = topLevel<TForm1>(u"Form1"_s);
        QVERIFY(form->isVisible());
        QCOMPARE(form->ComboBox1->count(), 3);
        QCOMPARE(form->ComboBox1->currentIndex(), 1); // the preferred voice
        QCOMPARE(dialog->ListBox1->count(), 2);
        QCOMPARE(dialog->ListBox1->item(0)->text(), u"果物"_s);
        QCOMPARE(dialog->ItemIndex(), 0);
        QVERIFY(form->btnChangeCourse->isEnabled());
        QCOMPARE(dialog->windowTitle(), u"問題の変更"_s);
        clickAt(dialog->ScaledLayout1, kDialog, {312 + 60, 216 + 16});
    });
    script.then(dialogGone, [&] {
        QCOMPARE(form->windowTitle(), u"果物"_s);
        QVERIFY(!form->shpCircle->isVisible());
        QCOMPARE(form->lbEnglish->text(), u"apple"_s);
        QCOMPARE(form->lbQuestNum->text(), u"問題番号： 1/3"_s);
        // One wrong answer first, then the right one.
        for (int k = 1; k <= 3; ++k) {
            auto* button =
                qobject_cast<QPushButton*>(form->control(u"btnWord"_s + QString::number(k)));
            if (button->text() != form->state().AnsCheckString) {
                clickAt(form->ScaledLayout1, kMain, centreOf(button));
                QVERIFY(!button->isEnabled());
                break;
            }
        }
        QCOMPARE(form->lbWrongNum->text(), u"誤答数： 1"_s);
        answerRight();
        QVERIFY(form->shpCircle->isVisible());
        QCOMPARE(form->lbCorrectNum->text(), u"正解数： 0"_s);
        for (int question = 2; question <= 3; ++question) {
            clickAt(form->ScaledLayout1, kMain, centreOf(form->btnNext));
            QCOMPARE(form->lbQuestNum->text(),
                     u"問題番号： "_s + QString::number(question) + u"/3"_s);
            answerRight();
        }
        QCOMPARE(form->lbCorrectNum->text(), u"正解数： 2"_s);
        clickAt(form->ScaledLayout1, kMain, centreOf(form->btnNext)); // the closing message
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes[0].text, u"おつかれさまです。単語の練習を終了しました。"_s);
        QCOMPARE(answerer.boxes[0].caption, u"tst_windows"_s);
        QCOMPARE(made.sink->stopCount(), 0);
        clickAt(form->ScaledLayout1, kMain, centreOf(form->btnClose));
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

void WindowTest::singleCourseDialog()
{
    writeFruitCourse(u"only"_s, u"果物"_s);
    FirstShowing start;
    auto& [made, platform, answerer, script, form, dialog] = start;
    const auto dialogUp = [&start] { return start.dialogUp(); };

    script.then(dialogUp, [&] {
        // The only course is selected: OK starts it. There is no other to change to.
        QCOMPARE(dialog->ItemIndex(), 0);
        QVERIFY(!form->btnChangeCourse->isEnabled());
        clickAt(dialog->ScaledLayout1, kDialog, {312 + 60, 216 + 16});
    });
    script.then([&] { return !dialog->isVisible(); },
                [&] {
                    QCOMPARE(answerer.boxes.size(), 0);
                    QCOMPARE(form->windowTitle(), u"果物"_s);
                    QCOMPARE(form->lbQuestNum->text(), u"問題番号： 1/3"_s);
                    QVERIFY(form->btnWord1->isVisible());
                    QVERIFY(!form->btnChangeCourse->isEnabled());
                    clickAt(form->ScaledLayout1, kMain, centreOf(form->btnClose));
                });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QCOMPARE(spokenTexts(*made.tones).value(0), u"apple"_s);
}

void WindowTest::noCourseDialog()
{
    QVERIFY(QDir().mkdir(u"not a course"_s));
    FirstShowing start;
    auto& [made, platform, answerer, script, form, dialog] = start;
    const auto dialogUp = [&start] { return start.dialogUp(); };

    script.then(dialogUp, [&] {
        QCOMPARE(dialog->ListBox1->count(), 0);
        QCOMPARE(dialog->ItemIndex(), -1);
        QVERIFY(!form->btnChangeCourse->isEnabled());
        // OK with nothing to choose: the list index fault, and the dialog stays.
        clickAt(dialog->ScaledLayout1, kDialog, {312 + 60, 216 + 16});
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes[0].caption, u"エラー"_s);
        QCOMPARE(answerer.boxes[0].text, u"リストのインデックスが範囲を超えています (-1)"_s);
        QVERIFY(dialog->isVisible());
        QCOMPARE(form->windowTitle(), u"Form1"_s);
        // The close box leaves the main window in its start state.
        QCloseEvent close;
        QCoreApplication::sendEvent(dialog->windowHandle(), &close);
    });
    script.then([&] { return !dialog->isVisible(); },
                [&] {
                    QCOMPARE(form->windowTitle(), u"Form1"_s);
                    QVERIFY(form->shpCircle->isVisible());
                    QVERIFY(!form->btnWord1->isVisible());
                    // No course: Next and Restart do nothing.
                    clickAt(form->ScaledLayout1, kMain, centreOf(form->btnNext));
                    clickAt(form->ScaledLayout1, kMain, centreOf(form->btnReset));
                    QCOMPARE(form->lbQuestNum->text(), u"問題番号:"_s);
                    QVERIFY(answerer.boxes.size() == 1);
                    // The system's close of the main window ends the program like 終了.
                    QCloseEvent close;
                    QCoreApplication::sendEvent(form->windowHandle(), &close);
                });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QCOMPARE(made.sink->stopCount(), 1);
}

void WindowTest::closeWhileSpeakingWaits()
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
                    clickAt(topLevel<TForm2>(u"Form2"_s)->ScaledLayout1, kDialog, {372, 232});
                });
    script.then([&] { return !topLevel<TForm2>(u"Form2"_s)->isVisible(); },
                [&] {
                    closeArmed = true;
                    clickAt(form->ScaledLayout1, kMain, centreOf(form->bbtnListenAgain));
                });
    QCOMPARE(runVocarin(platform), 0);
    QCOMPARE(stopsWhenClosed, 0); // nothing released in the middle of the word
    QCOMPARE(made.sink->stopCount(), 1);
    QCOMPARE(spokenTexts(*made.tones), (QStringList{u"apple"_s, u"apple"_s}));
}

void WindowTest::tooFewWordsEnds()
{
    writeCourse(u"small"_s, u"少ない"_s, u"s"_s, 3, {u"one"_s, u"two"_s}, {u"一"_s, u"二"_s});
    writeFruitCourse(u"zz"_s, u"普通"_s);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    BoxAnswerer answerer;
    Script script;
    script.then([&] { return topLevel<TForm2>(u"Form2"_s) && QApplication::activeModalWidget(); },
                [&] {
                    clickAt(topLevel<TForm2>(u"Form2"_s)->ScaledLayout1, kDialog, {372, 232});
                });
    QCOMPARE(runVocarin(platform), 0);
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes[0].text,
             u"少なくとも3つ以上のデータを用意してください。終了します。"_s);
    QCOMPARE(made.sink->stopCount(), 1);
    QVERIFY(made.tones->requests().empty());
}

// Before FormCreate there is no exercise yet: its controls do nothing.
void WindowTest::exerciseControlsBeforeCreate()
{
    BuiltForm built;
    TForm1& form = built.form;
    const QList<QWidget*> controls{form.btnNext, form.btnReset,     form.bbtnListenAgain,
                                   form.rbRndOn, form.rbEnglishOff, form.rbItem4};
    for (QWidget* control : controls)
        clickAt(form.ScaledLayout1, kMain, designRect(control).topLeft() + QPointF(8, 8));
    QVERIFY(form.rbItem4->isChecked()); // as the toolkit checks any clicked radio
    QCOMPARE(form.lbQuestNum->text(), u"問題番号:"_s);
    QVERIFY(!built.m_made.tones); // no voice made, none asked
}

// The close releases the exercise's lists and cue streams: a click that
// reaches the window afterwards, before the program has ended, does nothing.
void WindowTest::exerciseControlsAfterClose()
{
    writeFruitCourse(u"a"_s, u"果物"_s);
    LoadedWindow w;
    QCOMPARE(spokenTexts(*w.made.tones), QStringList{u"apple"_s});
    w.form.close();
    QVERIFY(w.life.terminating());
    w.click(w.form.bbtnListenAgain);
    w.click(w.form.btnWord1);
    w.clickRadio(w.form.rbRndOn);
    QCOMPARE(spokenTexts(*w.made.tones), QStringList{u"apple"_s});
    QCOMPARE(w.form.lbJap->text(), QString());
    QCOMPARE(w.made.sink->captures(CaptureSink::Kind::Cue).size(), 0u);
}

void WindowTest::choiceCountKeys_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<bool>("restarts");
    QTest::newRow("Space on the checked count") << 3 << true << false;
    QTest::newRow("Space on another count") << 5 << true << true;
    QTest::newRow("pointer on the checked count") << 3 << false << true;
    QTest::newRow("pointer on another count") << 5 << false << true;
}

void WindowTest::choiceCountKeys()
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
        QTest::keyClick(w.form.ScaledLayout1->viewport(), Qt::Key_Space);
    } else {
        w.clickRadio(radio);
    }
    QCOMPARE(w.form.lbWrongNum->text(), restarts ? u"誤答数： 0"_s : u"誤答数： 1"_s);
    QCOMPARE(w.form.state().SelectNum, count);
    QVERIFY(radio->isChecked());
}

void WindowTest::optionsRestartOrShow()
{
    writeCourse(u"a"_s, u"数"_s, u"n"_s, 3, kEightWords, kEightMeanings);
    LoadedWindow w;
    QCOMPARE(w.order(), listOrder(8));

    // Random order on: a new shuffle from question 1, counters at zero.
    w.answerWrong();
    w.clickRadio(w.form.rbRndOn);
    QVERIFY(w.form.rbRndOn->isChecked());
    QCOMPARE(w.form.lbWrongNum->text(), u"誤答数： 0"_s);
    QCOMPARE(w.form.lbQuestNum->text(), u"問題番号： 1/8"_s);
    const QStringList shuffled = w.order();
    QVERIFY(shuffled != listOrder(8));
    QCOMPARE(w.form.lbEnglish->text(), kEightWords.at(shuffled.first().toInt() - 1));

    // Off again: list order restored, counters at zero.
    w.answerWrong();
    w.clickRadio(w.form.rbRndOff);
    QCOMPARE(w.order(), listOrder(8));
    QCOMPARE(w.form.lbWrongNum->text(), u"誤答数： 0"_s);

    // English display off empties the word at once, on shows the current one.
    w.clickRadio(w.form.rbEnglishOff);
    QCOMPARE(w.form.lbEnglish->text(), QString());
    w.click(w.visibleAnswer(true));
    w.click(w.form.btnNext);
    QCOMPARE(w.form.lbQuestNum->text(), u"問題番号： 2/8"_s);
    QCOMPARE(w.form.lbEnglish->text(), QString());
    w.clickRadio(w.form.rbEnglishOn);
    QCOMPARE(w.form.lbEnglish->text(), u"two"_s);
    QCOMPARE(w.form.lbQuestNum->text(), u"問題番号： 2/8"_s); // no restart
}

void WindowTest::courseTextsShownAsWritten()
{
    const QStringList words{u"<b>x</b>"_s, u"a&b"_s, u"&&"_s};
    const QStringList meanings{u"<b>太字</b>"_s, u"研究&開発"_s, u"&&"_s};
    // "[*]" would be the toolkit's place for a modified mark in a title.
    const QString title = u"記号[*] [*][*]"_s;
    writeCourse(u"a"_s, title, u"s"_s, 3, words, meanings);
    LoadedWindow w;
    QCOMPARE(w.form.windowHandle()->title(), title);
    for (int question = 0; question < 3; ++question) {
        QCOMPARE(shownText(w.form.lbEnglish), words.at(question));
        QStringList onButtons;
        for (int k = 1; k <= 3; ++k)
            onButtons.append(shownText(w.form.control(u"btnWord"_s + QString::number(k))));
        onButtons.sort();
        QStringList expected = meanings;
        expected.sort();
        QCOMPARE(onButtons, expected);
        // The right meaning is judged right and shown as it is.
        w.click(w.visibleAnswer(true));
        QVERIFY(w.form.shpCircle->isVisible());
        QCOMPARE(shownText(w.form.lbJap), meanings.at(question));
        if (question < 2)
            w.click(w.form.btnNext);
    }
    QCOMPARE(w.form.lbCorrectNum->text(), u"正解数： 3"_s);
}

void WindowTest::longMeaningKeepsItsBeginning()
{
    const QString meaning = u"（人・場所・物などを）見捨てる、放棄する"_s;
    writeCourse(u"a"_s, u"長い"_s, u"l"_s, 3, {u"abandon"_s, u"cat"_s, u"dog"_s},
                {meaning, u"猫"_s, u"犬"_s});
    LoadedWindow w;
    QAbstractButton* right = w.visibleAnswer(true);
    QVERIFY(right);
    const QString shown = right->text();
    QVERIFY2(shown.startsWith(u"（人・場所"_s) && shown.endsWith(u'…'), qPrintable(shown));
    QCOMPARE(right->toolTip(), meaning);
    // Centred, the cut meaning starts clear of the key badge in the corner.
    QStyleOptionButton option;
    option.initFrom(right);
    const QRect contents =
        right->style()->subElementRect(QStyle::SE_PushButtonContents, &option, right);
    const int textLeft = contents.center().x() - right->fontMetrics().horizontalAdvance(shown) / 2;
    const auto* badge = right->findChild<QLabel*>(u"keyBadge"_s);
    QVERIFY(badge);
    QVERIFY2(
        textLeft > badge->geometry().right(),
        qPrintable(u"text from %1, badge to %2"_s.arg(textLeft).arg(badge->geometry().right())));
    QAbstractButton* other = w.visibleAnswer(false);
    QCOMPARE(other->toolTip(), QString()); // shown whole
    w.click(right);
    QVERIFY(w.form.shpCircle->isVisible());
    QCOMPARE(w.form.lbJap->text(), meaning);
}

void WindowTest::voicePopupStaysOnCanvas_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(650, 399);
    QTest::newRow("twice as wide") << QSize(1300, 399);
    QTest::newRow("maximised with a frame") << QSize(1280, 781);
    QTest::newRow("maximised bare") << QSize(1280, 800);
}

void WindowTest::voicePopupStaysOnCanvas()
{
    QFETCH(QSize, size);
    QStringList voices;
    for (int i = 1; i <= 12; ++i)
        voices.append(u"Voice %1 - English (United States)"_s.arg(i));
    Made made;
    const Platform platform = standInPlatform(made, {.voices = voices});
    Lifecycle life;
    TForm1 form(life, platform);
    form.FormCreate();
    form.resize(size);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    form.ComboBox1->showPopup();
    QAbstractItemView* list = form.ComboBox1->view();
    QVERIFY(list->isVisible());
    QGraphicsProxyWidget* popup = list->window()->graphicsProxyWidget();
    QVERIFY(popup);
    const QRectF canvas(QPointF(0, 0), kMain);
    QVERIFY2(canvas.contains(popup->sceneBoundingRect()),
             qPrintable(u"popup at %1,%2 size %3 x %4"_s.arg(popup->sceneBoundingRect().x())
                            .arg(popup->sceneBoundingRect().y())
                            .arg(popup->sceneBoundingRect().width())
                            .arg(popup->sceneBoundingRect().height())));
    // Drawn over every other control.
    const QPointF middle = popup->sceneBoundingRect().center();
    QGraphicsItem* top = form.ScaledLayout1->scene()->items(middle).value(0);
    QVERIFY(top == popup || popup->isAncestorOf(top));

    // Every voice can be reached; the wheel scrolls when they do not all fit.
    const QRect inside = list->viewport()->rect();
    const QModelIndex last = list->model()->index(11, 0);
    const auto lastShown = [&] {
        const QRect item = list->visualRect(last);
        return item.top() >= inside.top() && item.bottom() <= inside.bottom();
    };
    if (!lastShown()) {
        QWheelEvent wheel(QPointF(inside.center()), list->viewport()->mapToGlobal(inside.center()),
                          QPoint(), QPoint(0, -120 * 12), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(list->viewport(), &wheel);
        QVERIFY(lastShown());
    }
    form.ComboBox1->hidePopup();
}

// What the closed voice box shows of each installed voice, at the layout's
// size, tells it from every other; the tooltip is the whole description.
void WindowTest::voiceBoxTellsVoicesApart()
{
    CaptureSink sink;
    const VoiceCollection installed = SpVoice(sink).GetVoices();
    QStringList descriptions;
    for (qint32 i = 0; i < installed.Count(); ++i)
        descriptions.append(installed.Item(i).GetDescription());
    QVERIFY(descriptions.size() > 1);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = descriptions});
    Lifecycle life;
    TForm1 form(life, platform);
    form.FormCreate();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QComboBox* box = form.ComboBox1;
    QStyleOptionComboBox option;
    option.initFrom(box);
    const int room =
        box->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
            .width();
    QMap<QString, QString> shownFor;
    for (int i = 0; i < box->count(); ++i) {
        box->setCurrentIndex(i);
        QString shown = box->currentText();
        while (box->fontMetrics().horizontalAdvance(shown) > room)
            shown.chop(1);
        QVERIFY2(!shownFor.contains(shown),
                 qPrintable(shownFor.value(shown) + u" and "_s + descriptions.at(i) +
                            u" both show "_s + shown));
        shownFor.insert(shown, descriptions.at(i));
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &help);
        QCOMPARE(QToolTip::text(), descriptions.at(i));
    }
}

// "声を変える" overlaps the top of the voice box: a click there opens the box.
void WindowTest::labelLeavesClicksToTheVoiceBox()
{
    writeFruitCourse(u"a"_s, u"果物"_s);
    LoadedWindow w;
    const QRectF box = designRect(w.form.ComboBox1);
    const QRectF label = designRect(w.form.Label1);
    QVERIFY(label.intersects(box));
    w.click(w.form.Label1); // beside the box: nothing
    QVERIFY(!w.form.ComboBox1->view()->isVisible());
    const QRectF strip = label.intersected(box); // one unit tall
    clickAt(w.form.ScaledLayout1, kMain, {strip.center().x(), strip.top() + 0.2});
    QVERIFY(w.form.ComboBox1->view()->isVisible());
    w.form.ComboBox1->hidePopup();
}

void WindowTest::courseListKeepsSelection_data()
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

void WindowTest::courseListKeepsSelection()
{
    QFETCH(int, courses);
    QFETCH(int, selected);
    QFETCH(QString, action);
    QFETCH(int, afterwards);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    Lifecycle life;
    TForm1 form(life, platform);
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

    QListWidget* list = dialog.ListBox1;
    const auto clickRow = [&](int row, Qt::KeyboardModifiers modifiers) {
        // Through the dialog's canvas: the list's own coordinates are design units.
        const QPointF inList = list->visualItemRect(list->item(row)).center();
        const QPointF onCanvas =
            designRect(list).topLeft() + QPointF(list->viewport()->mapTo(list, inList.toPoint()));
        QTest::mouseClick(dialog.ScaledLayout1->viewport(), Qt::LeftButton, modifiers,
                          designPoint(dialog.ScaledLayout1, kDialog, onCanvas));
    };
    if (action == u"blank")
        clickAt(dialog.ScaledLayout1, kDialog, {220, 200});
    else if (action == u"ctrl")
        clickRow(selected, Qt::ControlModifier);
    else
        clickRow(action == u"third" ? 2 : 0, {});
    QCOMPARE(dialog.ItemIndex(), afterwards);
}

void WindowTest::courseDialogKeys_data()
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
void WindowTest::courseDialogKeys()
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
                   dialog->Button1->hasFocus();
        },
        [&] {
            form = topLevel<TForm1>(u"Form1"_s);
            auto* dialog = topLevel<TForm2>(u"Form2"_s);
            for (int i = 0; i < keys.count(); ++i)
                QTest::keyClick(dialog->windowHandle(), keys[i].key(), keys[i].keyboardModifiers());
            if (doubleClick) {
                QListWidget* list = dialog->ListBox1;
                const QPoint inList = list->visualItemRect(list->item(2)).center();
                const QPointF onCanvas =
                    designRect(list).topLeft() + QPointF(list->viewport()->mapTo(list, inList));
                // The first click of the two, then the second, a double-click.
                const QPoint at = designPoint(dialog->ScaledLayout1, kDialog, onCanvas);
                QWidget* viewport = dialog->ScaledLayout1->viewport();
                QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
                QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
            }
            QCOMPARE(form->windowTitle(), loaded.isEmpty() ? u"Form1"_s : loaded);
            // Closed by hand when the keys left it open.
            if (loaded.isEmpty())
                dialog->close();
        });
    script.then([] { return !topLevel<TForm2>(u"Form2"_s)->isVisible(); }, [&] { form->close(); });
    QCOMPARE(runVocarin(platform), 0);
    QVERIFY(script.done());
    QVERIFY(answerer.boxes.isEmpty());
}

void WindowTest::childExitCodes_data()
{
    QTest::addColumn<QString>("engines");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstBox");
    QTest::newRow("engine cannot start") << u"broken"_s << 1 << u"アプリケーションエラー|"_s;
    QTest::newRow("no voices")
        << u"silent"_s << 0
        << u"tst_windows|Microsoft 音声合成 (TTS: text-to-speech) を利用できません。\n"
           u"Microsoft 音声合成をインストールして下さい。"_s;
}

void WindowTest::childExitCodes()
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
// A course with recordings: a word with one is heard from it, a word whose
// file cannot be played gets a message naming the file and the voice.
void WindowTest::recordedWords()
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
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"
