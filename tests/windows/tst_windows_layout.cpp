// Layout: where each control lies, how it stretches and reads, its looks,
// tab order and texts, and the voice box and its list.

#include "WindowFixtures.h"
#include "WorkingFolder.h"
#include "course/CourseDiscovery.h"
#include "course/CourseLoad.h"
#include "speech/SpVoice.h"
#include "widgets/AnswerButton.h"
#include "widgets/CircleShape.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

namespace {

// Two sizes of the main window: a full HD screen, drawn through a copy in
// screen pixels, and the design size, drawn directly.
const QList<QSize> kTwoSizes{QSize(1920, 1080), QSize(650, 399)};

// What the view draws of a place on the canvas, at the window's present size.
QImage drawnAt(TForm1& form, const QRectF& canvasRect)
{
    // The copy is renewed from the controls' pending updates.
    QCoreApplication::processEvents();
    const QRect pixels = form.view()->viewportTransform().mapRect(canvasRect).toAlignedRect();
    return form.view()->viewport()->grab(pixels).toImage();
}

// Where two drawings of one place differ: the text that one of them shows.
QRect inkBetween(const QImage& with, const QImage& without)
{
    QRect ink;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y))
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// A stock control of the toolkit in the place of one of the window's, with its
// font, colours and text settings: how the window drew that control before its
// texts were fitted. The window's own control is hidden meanwhile.
QImage drawnByStock(TForm1& form, QWidget* control, QWidget& stock, bool shadow = false)
{
    stock.setFont(control->font());
    stock.setPalette(control->palette());
    const QRectF place = designRect(control);
    QWidget* parent = control->parentWidget();
    form.view()->place(&stock, parent == form.view()->canvas() ? nullptr : parent,
                       QRectF(control->geometry()));
    if (shadow)
        form.view()->addShadow(&stock);
    control->hide();
    const QImage drawn = drawnAt(form, place);
    control->show();
    stock.hide();
    return drawn;
}

QImage drawnByStockLabel(TForm1& form, QLabel* label, const QString& text)
{
    QLabel stock(text);
    stock.setAlignment(label->alignment());
    stock.setWordWrap(label->wordWrap());
    stock.setTextFormat(label->textFormat());
    return drawnByStock(form, label, stock);
}

QImage drawnByStockButton(TForm1& form, QAbstractButton* button, const QString& text)
{
    QPushButton stock(text);
    return drawnByStock(form, button, stock, true);
}

} // namespace

class WindowLayoutTest : public QObject
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
    void courseTextsShownAsWritten();
    void longMeaningKeepsItsBeginning();
    void countsShowWhole_data();
    void countsShowWhole();
    void meaningsBesideTheBadge_data();
    void meaningsBesideTheBadge();
    void bundledMeaningsShowWhole();
    void voicePopupStaysOnCanvas_data();
    void voicePopupStaysOnCanvas();
    void voiceBoxTellsVoicesApart();
    void labelLeavesClicksToTheVoiceBox();

private:
    std::optional<WorkingFolder> m_folder;
};

void WindowLayoutTest::init()
{
    m_folder.emplace();
}

void WindowLayoutTest::cleanup()
{
    m_folder.reset();
}

void WindowLayoutTest::controlKinds_data()
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
void WindowLayoutTest::controlKinds()
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
void WindowLayoutTest::stretch()
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
void WindowLayoutTest::readingOrder()
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

void WindowLayoutTest::alike_data()
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
void WindowLayoutTest::alike()
{
    QFETCH(QStringList, names);
    BuiltForm built;
    const QSizeF size = designRect(built.form.control(names.first())).size();
    for (const QString& name : std::as_const(names))
        QVERIFY2(designRect(built.form.control(name)).size() == size, qPrintable(name));
}

// What differs from the start state of a plain control, across the window.
void WindowLayoutTest::startState()
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
void WindowLayoutTest::looks()
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

void WindowLayoutTest::tabOrder()
{
    Lifecycle life;
    TForm1 form(life);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.view()->setFocus();

    const auto focused = [&form] {
        QWidget* control = form.view()->canvas()->focusWidget();
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
        QTest::keyClick(form.view(), Qt::Key_Tab);
        seen.append(focused());
    }
    QCOMPARE(seen, expected);
    QTest::keyClick(form.view(), Qt::Key_Backtab);
    QCOMPARE(focused(), u"ComboBox1"_s);

    // Every stop on show: the whole chain once round, from a click on the first
    // answer button (before FormCreate: the click does nothing else).
    for (int k = 1; k <= 6; ++k)
        form.board().setAnswerVisible(k, true);
    form.control<QPushButton>(u"btnChangeCourse"_s)->setEnabled(true);
    clickAt(form.view(), kMain, centreOf(form.control<AnswerButton>(u"btnWord4"_s)));
    QStringList chain{focused()};
    for (int i = 0; i < 22; ++i) {
        QTest::keyClick(form.view(), Qt::Key_Tab);
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
    clickAt(form.view(), kMain, centreOf(form.control<QPushButton>(u"btnReset"_s)));
    clickAt(form.view(), kMain, {483 + 8, 209.5}); // rbRndOn's circle
    QCOMPARE(focused(), u"btnWord4"_s);
}

void WindowLayoutTest::clicksFollowStretch_data()
{
    QTest::addColumn<double>("xFactor");
    QTest::addColumn<double>("yFactor");
    QTest::newRow("2.1 x 1.9") << 2.1 << 1.9;
    QTest::newRow("2 x 1") << 2.0 << 1.0;
    QTest::newRow("design size") << 1.0 << 1.0;
}

void WindowLayoutTest::clicksFollowStretch()
{
    QFETCH(double, xFactor);
    QFETCH(double, yFactor);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = kVoices});
    Program program(platform);
    TForm1& form = createdForm(program);
    form.resize(qRound(650 * xFactor), qRound(399 * yFactor));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.view()->viewport()->size(), form.size());

    // Design points of the radio buttons' own circles (8 units in from the left).
    clickAt(form.view(), kMain, {483 + 8, 209.5});
    QVERIFY(form.control<QRadioButton>(u"rbRndOn"_s)->isChecked());
    clickAt(form.view(), kMain, {544 + 8, 209.5});
    QVERIFY(form.control<QRadioButton>(u"rbEnglishOff"_s)->isChecked());
    // No course yet: a choice count only sets the count and checks its button.
    clickAt(form.view(), kMain, {542 + 8, 252.5});
    QVERIFY(form.control<QRadioButton>(u"rbItem4"_s)->isChecked());
    QCOMPARE(form.state().SelectNum, 4);
    // Listen again before any course speaks the empty word.
    clickAt(form.view(), kMain, {496, 39});
    QCOMPARE(spokenTexts(*made.tones), QStringList{QString()});
}

void WindowLayoutTest::courseTextsShownAsWritten()
{
    const QStringList words{u"<b>x</b>"_s, u"a&b"_s, u"&&"_s};
    const QStringList meanings{u"<b>太字</b>"_s, u"研究&開発"_s, u"&&"_s};
    // "[*]" would be the toolkit's place for a modified mark in a title.
    const QString title = u"記号[*] [*][*]"_s;
    writeCourse(u"a"_s, title, u"s"_s, 3, words, meanings);
    LoadedWindow w;
    QCOMPARE(w.form.windowHandle()->title(), title);
    for (int question = 0; question < 3; ++question) {
        QCOMPARE(shownText(w.form.control<QLabel>(u"lbEnglish"_s)), words.at(question));
        QStringList onButtons;
        for (int k = 1; k <= 3; ++k)
            onButtons.append(shownText(w.form.control(u"btnWord"_s + QString::number(k))));
        onButtons.sort();
        QStringList expected = meanings;
        expected.sort();
        QCOMPARE(onButtons, expected);
        // The right meaning is judged right and shown as it is.
        w.click(w.visibleAnswer(true));
        QVERIFY(w.form.control<CircleShape>(u"shpCircle"_s)->isVisible());
        QCOMPARE(shownText(w.form.control<QLabel>(u"lbJap"_s)), meanings.at(question));
        if (question < 2)
            w.click(w.form.control<QPushButton>(u"btnNext"_s));
    }
    QCOMPARE(w.form.control<QLabel>(u"lbCorrectNum"_s)->text(), u"正解数： 3"_s);
}

void WindowLayoutTest::longMeaningKeepsItsBeginning()
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
    QAbstractButton* other = w.visibleAnswer(false);
    QCOMPARE(other->toolTip(), QString()); // shown whole
    w.click(right);
    QVERIFY(w.form.control<CircleShape>(u"shpCircle"_s)->isVisible());
    QCOMPARE(w.form.control<QLabel>(u"lbJap"_s)->text(), meaning);
}

void WindowLayoutTest::countsShowWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fitsAtItsSize"); // drawn exactly as a stock label draws it
    QTest::addColumn<QString>("shorter");    // a text of the same label that fits
    const QString first = u"問題番号： 1/100"_s;
    const auto row = [](const char* what, const QString& name, const QString& text, bool fits,
                        const QString& shorter) {
        QTest::newRow(what) << name << text << fits << shorter;
    };
    row("at start", u"lbQuestNum"_s, u"問題番号:"_s, true, first);
    row("question 1 of 100", u"lbQuestNum"_s, first, true, first);
    row("question 99 of 100", u"lbQuestNum"_s, u"問題番号： 99/100"_s, true, first);
    row("question 100 of 100", u"lbQuestNum"_s, u"問題番号： 100/100"_s, false, first);
    row("question 100 of 120", u"lbQuestNum"_s, u"問題番号： 100/120"_s, false, first);
    row("question 9999 of 9999", u"lbQuestNum"_s, u"問題番号： 9999/9999"_s, false, first);
    row("9999 right", u"lbCorrectNum"_s, u"正解数： 9999"_s, true, u"正解数： 1"_s);
    row("10000 wrong", u"lbWrongNum"_s, u"誤答数： 10000"_s, false, u"誤答数： 1"_s);
}

// The question number and the counts are read whole at every window size: a
// text that fits its box is drawn as a plain label draws it, a longer one
// smaller, on one line, still inside the box.
void WindowLayoutTest::countsShowWhole()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, fitsAtItsSize);
    QFETCH(QString, shorter);
    BuiltForm built;
    auto* label = qobject_cast<QLabel*>(built.form.control(name));
    QVERIFY(label);
    const QRectF box = designRect(label);
    for (const QSize size : kTwoSizes) {
        built.resize(size);
        label->setText(QString());
        const QImage empty = drawnAt(built.form, box);
        label->setText(shorter);
        const QRect shorterInk = inkBetween(drawnAt(built.form, box), empty);
        label->setText(text);
        const QImage shown = drawnAt(built.form, box);
        QCOMPARE(label->text(), text);
        if (fitsAtItsSize) {
            QCOMPARE(shown, drawnByStockLabel(built.form, label, text));
            continue;
        }
        const QRect ink = inkBetween(shown, empty);
        const QString where = u"%1 x %2: text drawn at %3,%4 %5 x %6 in %7 x %8"_s.arg(size.width())
                                  .arg(size.height())
                                  .arg(ink.x())
                                  .arg(ink.y())
                                  .arg(ink.width())
                                  .arg(ink.height())
                                  .arg(shown.width())
                                  .arg(shown.height());
        // One line no taller than a text that fits, the number after the
        // words reaching further right than a shorter one's and not cut at
        // the right edge.
        QVERIFY2(ink.height() <= shorterInk.height(), qPrintable(where));
        QVERIFY2(ink.right() > shorterInk.right() && ink.right() < shown.width() - 1,
                 qPrintable(where));
    }
}

void WindowLayoutTest::meaningsBesideTheBadge_data()
{
    QTest::addColumn<QString>("meaning");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("centred"); // drawn exactly as a stock button draws it
    QTest::newRow("short") << u"もし～なら"_s << true << true;
    QTest::newRow("the longest that fits centred (like)")
        << u"好きだ、～のような"_s << true << true;
    QTest::newRow("fits beside the badge (as)") << u"～として、～のように"_s << true << false;
    QTest::newRow("fits beside the badge (over)") << u"～を越えて、終わって"_s << true << false;
    QTest::newRow("longer than the room beside the badge (would)")
        << u"（もし～なら）～だろう"_s << false << false;
    QTest::newRow("far too long") << u"（人・場所・物などを）見捨てる、放棄する"_s << false
                                  << false;
}

// A meaning is drawn whole whenever it fits the button beside its key's
// badge, never over the badge; one that fits centred is drawn as every
// button draws its text. One that does not fit keeps its beginning, ends in
// "…" and shows whole as the tooltip.
void WindowLayoutTest::meaningsBesideTheBadge()
{
    QFETCH(QString, meaning);
    QFETCH(bool, whole);
    QFETCH(bool, centred);
    BuiltForm built;
    built.form.board().setAnswerVisible(1, true);
    auto* button = qobject_cast<AnswerButton*>(built.form.control(u"btnWord1"_s));
    auto* badge = button->findChild<QLabel*>(u"keyBadge"_s);
    QVERIFY(button && badge);
    const QRectF place = designRect(button);
    for (const QSize size : kTwoSizes) {
        built.resize(size);
        built.form.board().setAnswerText(1, QString());
        const QImage empty = drawnAt(built.form, place);
        built.form.board().setAnswerText(1, meaning);
        QCOMPARE(button->meaning(), meaning);
        const QImage shown = drawnAt(built.form, place);
        const QRect ink = inkBetween(shown, empty);
        const QRectF badgeRect = built.form.view()->viewportTransform().mapRect(
            designRect(badge).translated(-place.topLeft()));
        QVERIFY2(ink.left() > badgeRect.right(),
                 qPrintable(u"%1 x %2: text from %3, badge to %4"_s.arg(size.width())
                                .arg(size.height())
                                .arg(ink.left())
                                .arg(badgeRect.right())));
        if (!whole) {
            QVERIFY2(button->text().endsWith(u'…'), qPrintable(button->text()));
            QVERIFY(meaning.startsWith(button->text().chopped(1)));
            QCOMPARE(button->toolTip(), meaning);
            continue;
        }
        QCOMPARE(button->text(), meaning);
        QCOMPARE(button->toolTip(), QString());
        if (centred) {
            badge->hide();
            const QImage unbadged = drawnAt(built.form, place);
            badge->show();
            QCOMPARE(unbadged, drawnByStockButton(built.form, button, meaning));
        } else {
            // As wide as a stock button draws it: not a character cut.
            const QRect stockInk = inkBetween(drawnByStockButton(built.form, button, meaning),
                                              drawnByStockButton(built.form, button, QString()));
            QVERIFY2(qAbs(ink.width() - stockInk.width()) <= 1,
                     qPrintable(u"%1 pixels wide, %2 on a stock button"_s.arg(ink.width())
                                    .arg(stockInk.width())));
        }
    }
}

// Every meaning of the bundled courses shows whole on every answer button,
// whatever the width of its key's badge: a learner answering by keys never
// sees the tooltip of a cut one. The buttons lay out their text on the design
// canvas, so the window's size does not change what fits.
void WindowLayoutTest::bundledMeaningsShowWhole()
{
    const QDir courses(QStringLiteral(VOCARIN_COURSES_DIR));
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(courses, optionList);
    QStringList meanings;
    for (const QString& folder : catalogue.folders) {
        const CourseFolder course{courses, folder};
        meanings += readCourseLists(course, listPrefix(readOptionFile(course))).meanings.lines();
    }
    QVERIFY(meanings.size() > 3000);
    BuiltForm built;
    for (int k = 1; k <= 6; ++k) {
        built.form.board().setAnswerVisible(k, true);
        auto* button = qobject_cast<AnswerButton*>(built.form.control(u"btnWord%1"_s.arg(k)));
        QVERIFY(button);
        QStringList cut;
        for (const QString& meaning : std::as_const(meanings)) {
            built.form.board().setAnswerText(k, meaning);
            if (!button->toolTip().isEmpty())
                cut.append(meaning);
        }
        QVERIFY2(cut.isEmpty(), qPrintable(u"button %1: %2"_s.arg(k).arg(cut.join(u" / "_s))));
    }
}

void WindowLayoutTest::voicePopupStaysOnCanvas_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(650, 399);
    QTest::newRow("twice as wide") << QSize(1300, 399);
    QTest::newRow("maximised with a frame") << QSize(1280, 781);
    QTest::newRow("maximised bare") << QSize(1280, 800);
}

void WindowLayoutTest::voicePopupStaysOnCanvas()
{
    QFETCH(QSize, size);
    QStringList voices;
    for (int i = 1; i <= 12; ++i)
        voices.append(u"Voice %1 - English (United States)"_s.arg(i));
    Made made;
    const Platform platform = standInPlatform(made, {.voices = voices});
    Program program(platform);
    TForm1& form = createdForm(program);
    form.resize(size);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    form.control<QComboBox>(u"ComboBox1"_s)->showPopup();
    QAbstractItemView* list = form.control<QComboBox>(u"ComboBox1"_s)->view();
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
    QGraphicsItem* top = form.view()->scene()->items(middle).value(0);
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
    form.control<QComboBox>(u"ComboBox1"_s)->hidePopup();
}

// What the closed voice box shows of each installed voice, at the layout's
// size, tells it from every other; the tooltip is the whole description.
void WindowLayoutTest::voiceBoxTellsVoicesApart()
{
    CaptureSink sink;
    const VoiceCollection installed = SpVoice(sink).GetVoices();
    QStringList descriptions;
    for (qint32 i = 0; i < installed.Count(); ++i)
        descriptions.append(installed.Item(i).GetDescription());
    QVERIFY(descriptions.size() > 1);
    Made made;
    const Platform platform = standInPlatform(made, {.voices = descriptions});
    Program program(platform);
    TForm1& form = createdForm(program);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QComboBox* box = form.control<QComboBox>(u"ComboBox1"_s);
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
void WindowLayoutTest::labelLeavesClicksToTheVoiceBox()
{
    writeFruitCourse(u"a"_s, u"果物"_s);
    LoadedWindow w;
    const QRectF box = designRect(w.form.control<QComboBox>(u"ComboBox1"_s));
    const QRectF label = designRect(w.form.control<QLabel>(u"Label1"_s));
    QVERIFY(label.intersects(box));
    w.click(w.form.control<QLabel>(u"Label1"_s)); // beside the box: nothing
    QVERIFY(!w.form.control<QComboBox>(u"ComboBox1"_s)->view()->isVisible());
    const QRectF strip = label.intersected(box); // one unit tall
    clickAt(w.form.view(), kMain, {strip.center().x(), strip.top() + 0.2});
    QVERIFY(w.form.control<QComboBox>(u"ComboBox1"_s)->view()->isVisible());
    w.form.control<QComboBox>(u"ComboBox1"_s)->hidePopup();
}

QTEST_MAIN(WindowLayoutTest)

#include "tst_windows_layout.moc"
