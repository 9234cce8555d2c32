// The main window's layout: one row a control, and the code that builds it.

#include "widgets/AnswerButton.h"
#include "widgets/CanvasComboBox.h"
#include "widgets/CircleShape.h"
#include "widgets/FittingLabel.h"
#include "widgets/Look.h"
#include "widgets/ScaledView.h"
#include "windows/Fmain.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

// A TextLabel shows a course's text, a Count the question number or a count.
enum class Kind { Panel, Button, Answer, GroupBox, Radio, Label, TextLabel, Count, Circle, Combo };
enum class Start { Shown, Hidden, Checked, Disabled };

struct FontSpec
{
    bool gothic = false; // "MS Gothic"
    int size = 0;        // 0: the standard size
    bool bold = false;
};

// The member of TForm1 that holds a control.
template <typename... Controls> using MemberOf = std::variant<Controls * TForm1::*...>;
using ControlMember = MemberOf<QFrame, AnswerButton, QPushButton, QGroupBox, QRadioButton, QLabel,
                               CircleShape, QComboBox>;

struct ControlRow
{
    QString name{};
    Kind kind{};
    QString parent{}; // empty: the canvas
    QRectF rect{};    // design units, relative to the parent
    QString text{};
    FontSpec font{};
    QColor colour{}; // invalid: the standard text colour
    Start start = Start::Shown;
    int tabOrder = -1; // within the parent; -1: not a tab stop
    QString group{};   // radio group name
    ControlMember member{};
    bool shadow = false; // the buttons' drop shadow
};

} // namespace

// The table names the window's control members, which are its own.
struct TForm1::Layout
{
    // The row order is the stacking order, later on top.
    static const std::vector<ControlRow>& rows();
};

const std::vector<ControlRow>& TForm1::Layout::rows()
{
    using K = Kind;
    using S = Start;
    const FontSpec word{.size = 16};
    const FontSpec gothic{.gothic = true};
    const FontSpec gothic14{.gothic = true, .size = 14};
    const FontSpec gothic14Bold{.gothic = true, .size = 14, .bold = true};
    const FontSpec bold{.bold = true};
    // clang-format off
    static const std::vector<ControlRow> rows{
        {.name = u"Panel1"_s, .kind = K::Panel, .rect = {8, 276, 633, 112}, .tabOrder = 0, .member = &TForm1::Panel1},
        {.name = u"btnWord1"_s, .kind = K::Answer, .parent = u"Panel1"_s, .rect = {16, 16, 185, 33}, .font = word, .start = S::Hidden, .tabOrder = 6, .member = &TForm1::btnWord1, .shadow = true},
        {.name = u"btnWord2"_s, .kind = K::Answer, .parent = u"Panel1"_s, .rect = {224, 16, 185, 33}, .font = word, .start = S::Hidden, .tabOrder = 5, .member = &TForm1::btnWord2, .shadow = true},
        {.name = u"btnWord3"_s, .kind = K::Answer, .parent = u"Panel1"_s, .rect = {432, 16, 185, 33}, .font = word, .start = S::Hidden, .tabOrder = 3, .member = &TForm1::btnWord3, .shadow = true},
        {.name = u"btnWord4"_s, .kind = K::Answer, .parent = u"Panel1"_s, .rect = {16, 64, 185, 33}, .font = word, .start = S::Hidden, .tabOrder = 1, .member = &TForm1::btnWord4, .shadow = true},
        {.name = u"btnWord5"_s, .kind = K::Answer, .parent = u"Panel1"_s, .rect = {224, 64, 185, 33}, .font = word, .start = S::Hidden, .tabOrder = 4, .member = &TForm1::btnWord5, .shadow = true},
        {.name = u"btnWord6"_s, .kind = K::Answer, .parent = u"Panel1"_s, .rect = {432, 64, 185, 33}, .font = word, .start = S::Hidden, .tabOrder = 2, .member = &TForm1::btnWord6, .shadow = true},
        {.name = u"btnNext"_s, .kind = K::Button, .rect = {24, 236, 89, 30}, .text = u"次へ"_s, .font = gothic14Bold, .colour = look::claBlue, .tabOrder = 2, .member = &TForm1::btnNext, .shadow = true},
        {.name = u"btnReset"_s, .kind = K::Button, .rect = {152, 236, 89, 30}, .text = u"最初から"_s, .font = gothic14Bold, .colour = look::claRed, .tabOrder = 1, .member = &TForm1::btnReset},
        {.name = u"gbRandom"_s, .kind = K::GroupBox, .rect = {427, 184, 105, 44}, .text = u"ランダム"_s, .font = gothic, .tabOrder = 3, .member = &TForm1::gbRandom},
        {.name = u"rbRndOff"_s, .kind = K::Radio, .parent = u"gbRandom"_s, .rect = {8, 16, 41, 19}, .text = u"なし"_s, .start = S::Checked, .tabOrder = 1, .group = u"gbRandom"_s, .member = &TForm1::rbRndOff},
        {.name = u"rbRndOn"_s, .kind = K::Radio, .parent = u"gbRandom"_s, .rect = {56, 16, 41, 19}, .text = u"あり"_s, .tabOrder = 2, .group = u"gbRandom"_s, .member = &TForm1::rbRndOn},
        {.name = u"gbEnglishView"_s, .kind = K::GroupBox, .rect = {536, 184, 105, 44}, .text = u"英語"_s, .font = gothic, .tabOrder = 4, .member = &TForm1::gbEnglishView},
        {.name = u"rbEnglishOff"_s, .kind = K::Radio, .parent = u"gbEnglishView"_s, .rect = {8, 16, 41, 19}, .text = u"なし"_s, .tabOrder = 1, .group = u"gbEnglishView"_s, .member = &TForm1::rbEnglishOff},
        {.name = u"rbEnglishOn"_s, .kind = K::Radio, .parent = u"gbEnglishView"_s, .rect = {56, 16, 41, 19}, .text = u"あり"_s, .start = S::Checked, .tabOrder = 2, .group = u"gbEnglishView"_s, .member = &TForm1::rbEnglishOn},
        {.name = u"lbQuestNum"_s, .kind = K::Count, .rect = {14, 196, 123, 17}, .text = u"問題番号:"_s, .font = gothic14, .tabOrder = 7, .member = &TForm1::lbQuestNum},
        {.name = u"lbCorrectNum"_s, .kind = K::Count, .rect = {142, 196, 99, 17}, .text = u"正解数:"_s, .font = gothic14, .tabOrder = 6, .member = &TForm1::lbCorrectNum},
        {.name = u"lbWrongNum"_s, .kind = K::Count, .rect = {246, 196, 97, 17}, .text = u"誤答数:"_s, .font = gothic14, .tabOrder = 5, .member = &TForm1::lbWrongNum},
        {.name = u"Panel2"_s, .kind = K::Panel, .rect = {8, 126, 633, 48}, .tabOrder = 9, .member = &TForm1::Panel2},
        {.name = u"lbEnglish"_s, .kind = K::TextLabel, .parent = u"Panel2"_s, .rect = {16, 0, 601, 49}, .font = word, .tabOrder = 1, .member = &TForm1::lbEnglish},
        {.name = u"Panel3"_s, .kind = K::Panel, .rect = {8, 70, 633, 48}, .tabOrder = 8, .member = &TForm1::Panel3},
        {.name = u"lbJap"_s, .kind = K::TextLabel, .parent = u"Panel3"_s, .rect = {16, 0, 601, 49}, .font = word, .tabOrder = 1, .member = &TForm1::lbJap},
        {.name = u"bbtnListenAgain"_s, .kind = K::Button, .rect = {456, 24, 80, 30}, .text = u"もう一度聞く"_s, .font = bold, .colour = look::claDarkorchid, .tabOrder = 10, .member = &TForm1::bbtnListenAgain, .shadow = true},
        {.name = u"btnClose"_s, .kind = K::Button, .rect = {552, 24, 80, 30}, .text = u"終了"_s, .font = bold, .colour = look::claBlack, .tabOrder = 11, .member = &TForm1::btnClose, .shadow = true},
        {.name = u"Label6"_s, .kind = K::Label, .rect = {16, 8, 409, 17}, .text = u"Vocarin Ver.0.02"_s, .tabOrder = 12, .member = &TForm1::Label6},
        {.name = u"shpCircle"_s, .kind = K::Circle, .rect = {72, 53, 121, 137}, .member = &TForm1::shpCircle},
        {.name = u"gbItemNum"_s, .kind = K::GroupBox, .rect = {438, 224, 203, 49}, .text = u"項目数"_s, .tabOrder = 13, .member = &TForm1::gbItemNum},
        {.name = u"rbItem1"_s, .kind = K::Radio, .parent = u"gbItemNum"_s, .rect = {5, 19, 33, 19}, .text = u"1"_s, .tabOrder = 5, .group = u"gbItemNum"_s, .member = &TForm1::rbItem1},
        {.name = u"rbItem2"_s, .kind = K::Radio, .parent = u"gbItemNum"_s, .rect = {38, 19, 33, 19}, .text = u"2"_s, .tabOrder = 4, .group = u"gbItemNum"_s, .member = &TForm1::rbItem2},
        {.name = u"rbItem3"_s, .kind = K::Radio, .parent = u"gbItemNum"_s, .rect = {71, 19, 33, 19}, .text = u"3"_s, .tabOrder = 3, .group = u"gbItemNum"_s, .member = &TForm1::rbItem3},
        {.name = u"rbItem4"_s, .kind = K::Radio, .parent = u"gbItemNum"_s, .rect = {104, 19, 33, 19}, .text = u"4"_s, .tabOrder = 2, .group = u"gbItemNum"_s, .member = &TForm1::rbItem4},
        {.name = u"rbItem5"_s, .kind = K::Radio, .parent = u"gbItemNum"_s, .rect = {136, 19, 33, 19}, .text = u"5"_s, .tabOrder = 1, .group = u"gbItemNum"_s, .member = &TForm1::rbItem5},
        {.name = u"rbItem6"_s, .kind = K::Radio, .parent = u"gbItemNum"_s, .rect = {168, 19, 33, 19}, .text = u"6"_s, .tabOrder = 0, .group = u"gbItemNum"_s, .member = &TForm1::rbItem6},
        {.name = u"btnChangeCourse"_s, .kind = K::Button, .parent = u"gbItemNum"_s, .rect = {-92, -32, 80, 33}, .text = u"問題を変える"_s, .start = S::Disabled, .tabOrder = 7, .member = &TForm1::btnChangeCourse},
        {.name = u"ComboBox1"_s, .kind = K::Combo, .rect = {296, 244, 141, 22}, .tabOrder = 14, .member = &TForm1::ComboBox1},
        {.name = u"Label1"_s, .kind = K::Label, .rect = {337, 228, 60, 17}, .text = u"声を変える"_s, .tabOrder = 15, .member = &TForm1::Label1},
    };
    // clang-format on
    return rows;
}

namespace {

QWidget* makeControl(const ControlRow& row)
{
    QWidget* control = nullptr;
    switch (row.kind) {
    case Kind::Panel: {
        auto* panel = new QFrame;
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
        panel->setAutoFillBackground(true);
        return panel;
    }
    case Kind::Button: {
        // Enter presses it while it has the focus, as Space does.
        auto* button = new QPushButton(row.text);
        button->setAutoDefault(true);
        control = button;
        break;
    }
    case Kind::Answer:
        control = new AnswerButton;
        break;
    case Kind::GroupBox:
        control = new QGroupBox(row.text);
        break;
    case Kind::Radio:
        control = new QRadioButton(row.text);
        break;
    case Kind::Label:
    case Kind::TextLabel:
    case Kind::Count: {
        // A number too long for its box is drawn smaller, never cut.
        auto* label = row.kind == Kind::Count ? new FittingLabel(row.text) : new QLabel(row.text);
        // A label over a control leaves the control's clicks to it.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (row.kind != Kind::Label) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setWordWrap(true);
            // Course texts are shown as written, never read as markup.
            label->setTextFormat(Qt::PlainText);
        }
        control = label;
        break;
    }
    case Kind::Circle:
        return new CircleShape(look::claRed, 5);
    case Kind::Combo:
        control = new CanvasComboBox;
        break;
    }
    control->setFont(look::designFont(row.font.gothic, row.font.size, row.font.bold));
    if (row.colour.isValid()) {
        // A disabled control keeps the standard look, so that it shows as disabled.
        QPalette palette = control->palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::ButtonText, row.colour);
            palette.setColor(group, QPalette::WindowText, row.colour);
        }
        control->setPalette(palette);
    }
    return control;
}

// Tab order counts within a parent; a container's children follow it.
void appendTabChain(const std::vector<ControlRow>& rows, const QString& parent,
                    const QHash<QString, QWidget*>& controls, QList<QWidget*>& chain)
{
    std::vector<const ControlRow*> children;
    for (const ControlRow& row : rows) {
        if (row.parent == parent && row.tabOrder >= 0)
            children.push_back(&row);
    }
    std::stable_sort(
        children.begin(), children.end(),
        [](const ControlRow* a, const ControlRow* b) { return a->tabOrder < b->tabOrder; });
    for (const ControlRow* row : children) {
        chain.append(controls.value(row->name));
        appendTabChain(rows, row->name, controls, chain);
    }
}

} // namespace

void TForm1::buildLayout()
{
    // An answer changes controls all over the window at once.
    ScaledLayout1 = new ScaledView(kDesignSize, ScaledView::Drawing::ThroughCopyWhenLarge, this);
    ScaledLayout1->setObjectName(u"ScaledLayout1"_s);
    ScaledLayout1->setBackgroundBrush(look::claDarkseagreen);
    // Until the learner presses Tab, no control has the focus and every key
    // is the window's.
    ScaledLayout1->setEntryFocus(ScaledView::EntryFocus::None);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(ScaledLayout1);

    const auto& rows = Layout::rows();
    for (const ControlRow& row : rows) {
        QWidget* control = makeControl(row);
        control->setObjectName(row.name);
        // The control goes into its member, which has the control's own type.
        std::visit(
            [this, control](auto member) {
                using Control =
                    std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
                this->*member = qobject_cast<Control*>(control);
                Q_ASSERT(this->*member);
            },
            row.member);
        if (row.tabOrder < 0 || row.kind == Kind::Panel || row.kind == Kind::Label ||
            row.kind == Kind::TextLabel || row.kind == Kind::Count)
            control->setFocusPolicy(Qt::NoFocus);
        else if (row.kind != Kind::Answer && control->focusPolicy() != Qt::NoFocus)
            // The pointer leaves the focus where it was: only Tab brings it to
            // a control that would keep Enter, the arrows or the digits.
            control->setFocusPolicy(Qt::TabFocus);
        if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            QButtonGroup*& group = m_radioGroups[row.group];
            if (!group) {
                group = new QButtonGroup(this);
                group->setObjectName(row.group);
            }
            group->addButton(radio);
            radio->setChecked(row.start == Start::Checked);
        }
        // Placed first, then shown or hidden: a widget shown before it has a
        // parent would get a native window of its own.
        ScaledLayout1->place(control, m_controls.value(row.parent), row.rect);
        control->setVisible(row.start != Start::Hidden);
        control->setEnabled(row.start != Start::Disabled);
        if (row.shadow)
            ScaledLayout1->addShadow(control);
        m_controls.insert(row.name, control);
    }

    QList<QWidget*> chain;
    appendTabChain(rows, QString(), m_controls, chain);
    ScaledLayout1->setTabChain(chain);

    btnQArray = {nullptr, btnWord1, btnWord2, btnWord3, btnWord4, btnWord5, btnWord6};
}

} // namespace vocarin
