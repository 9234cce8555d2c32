#pragma once

// The window tests' fixtures: the main window built or loaded on its own, the
// program about to start, where controls lie on the canvas and on screen, and
// the cues and texts they give.

#include "WindowTestKit.h"

#include "app/Program.h"
#include "speech/CueSounds.h"
#include "speech/VoiceList.h"
#include "widgets/ScaledView.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"
#include "windows/Lifecycle.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGraphicsProxyWidget>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

namespace vocarin::testkit {

using namespace Qt::StringLiterals;

inline const QString kPreferred = preferredVoiceDescription();
inline const QStringList kVoices{u"Tone A - English"_s, kPreferred, u"Tone C - English"_s};
inline const QSizeF kMain(TForm1::kDesignSize);
inline const QSizeF kDialog(TForm2::kDesignSize);

// Three fruits in list order, three choices.
inline void writeFruitCourse(const QString& folder, const QString& title)
{
    writeCourse(folder, title, u"f"_s, 3, {u"apple"_s, u"grape"_s, u"peach"_s},
                {u"りんご"_s, u"ぶどう"_s, u"もも"_s});
}

// Where a control lies on its window's canvas: mapped through the one proxy
// that shows all of the window's controls.
inline QRectF designRect(QWidget* control)
{
    QWidget* canvas = control->window();
    return canvas->graphicsProxyWidget()->mapRectToScene(
        QRectF(control->mapTo(canvas, QPoint(0, 0)), control->size()));
}

// Where a control is drawn, in pixels of the window's view.
inline QRectF onScreen(TForm1& form, QWidget* control)
{
    return form.view()->viewportTransform().mapRect(designRect(control));
}

inline QString captionOf(QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<QGroupBox*>(control))
        return box->title();
    return QString();
}

// The program's parts made, FormCreate included, before the first showing.
inline TForm1& createdForm(Program& program)
{
    program.create();
    return *program.form();
}

// The main window as built, before FormCreate, shown at a client size.
struct BuiltForm
{
    explicit BuiltForm(QSize size = TForm1::kDesignSize) : form(m_life)
    {
        form.show();
        resize(size);
    }

    void resize(QSize size)
    {
        form.resize(size);
        QTRY_COMPARE(form.view()->viewport()->size(), size);
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
        collect(collect, form.view()->canvas());
        return found;
    }

    Made m_made; // stays empty: nothing is made for the window alone
    Lifecycle m_life;
    TForm1 form;
};

inline QPointF centreOf(QWidget* control)
{
    return designRect(control).center();
}

// Which cue a captured clip is, told by its length and rate.
inline QString cueName(const AudioClip& clip)
{
    for (const QString& name : {u"SysPu"_s, u"Sysbubuu"_s, u"SysPingPong"_s}) {
        const auto known = CueStream(name).clip();
        if (known->frames() == clip.frames() && known->sampleRate == clip.sampleRate)
            return name;
    }
    return u"?"_s;
}

inline QStringList cueNames(const CaptureSink& sink)
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
        : platform(standInPlatform(made, {.voices = std::move(voices)})), program(platform),
          life(program.life()), form(createdForm(program))
    {
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
                (form.board().answerText(k) == form.state().AnsCheckString) == right)
                return button;
        }
        return nullptr;
    }
    void click(QWidget* control) { clickAt(form.view(), kMain, centreOf(control)); }
    // A radio button is clicked on its circle, 8 units in from its left edge.
    void clickRadio(QWidget* radio)
    {
        const QRectF box = designRect(radio);
        clickAt(form.view(), kMain, {box.left() + 8, box.center().y()});
    }
    void answerWrong()
    {
        QAbstractButton* wrong = visibleAnswer(false);
        QVERIFY(wrong);
        click(wrong);
        QCOMPARE(form.control<QLabel>(u"lbWrongNum"_s)->text(), u"誤答数： 1"_s);
    }
    QStringList order() { return form.state().QNumList.lines(); }

    Made made;
    Platform platform;
    Program program;
    Lifecycle& life;
    TForm1& form;
};

inline QStringList listOrder(int words)
{
    QStringList order;
    for (int n = 1; n <= words; ++n)
        order.append(QString::number(n));
    return order;
}

// What assistive technology reads from a control: the text as it is shown.
inline QString shownText(QWidget* control)
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

inline const QStringList kEightWords{u"one"_s,  u"two"_s, u"three"_s, u"four"_s,
                                     u"five"_s, u"six"_s, u"seven"_s, u"eight"_s};
inline const QStringList kEightMeanings{u"一"_s, u"二"_s, u"三"_s, u"四"_s,
                                        u"五"_s, u"六"_s, u"七"_s, u"八"_s};

} // namespace vocarin::testkit
