#include "windows/Fmain.h"

#include "course/CourseDiscovery.h"
#include "exercise/RandomSource.h"
#include "speech/CueSounds.h"
#include "speech/SpVoice.h"
#include "speech/SpeechEngine.h"
#include "windows/CircleShape.h"
#include "windows/Displays.h"
#include "windows/DrillActions.h"
#include "windows/Fselect.h"
#include "windows/Lifecycle.h"
#include "windows/Look.h"
#include "windows/Placement.h"
#include "windows/Platform.h"
#include "windows/ScaledView.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QMenu>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

enum class Kind { Panel, Button, Answer, GroupBox, Radio, Label, TextLabel, Circle, Combo };
enum class Start { Shown, Hidden, Checked, Disabled };

struct FontSpec
{
    bool gothic = false; // "MS Gothic"
    int size = 0;        // 0: the standard size
    bool bold = false;
};

struct ControlRow
{
    QString name;
    Kind kind;
    QString parent; // empty: the canvas
    QRectF rect;
    QString text;
    FontSpec font;
    QColor colour; // invalid: the standard text colour
    Start start;
    int tabOrder; // within the parent; -1: not a tab stop
    QString group;
};

// The layout in design units; the row order is the stacking order, later on top.
const std::vector<ControlRow>& layoutRows()
{
    using K = Kind;
    using S = Start;
    const FontSpec plain;
    const FontSpec word{false, 16, false};
    const FontSpec gothic14Bold{true, 14, true};
    const FontSpec gothic{true, 0, false};
    const FontSpec gothic14{true, 14, false};
    const FontSpec bold{false, 0, true};
    static const std::vector<ControlRow> rows{
        {u"Panel1"_s, K::Panel, {}, {8, 276, 633, 112}, {}, plain, {}, S::Shown, 0, {}},
        {u"btnWord1"_s, K::Answer, u"Panel1"_s, {16, 16, 185, 33}, {}, word, {}, S::Hidden, 6, {}},
        {u"btnWord2"_s, K::Answer, u"Panel1"_s, {224, 16, 185, 33}, {}, word, {}, S::Hidden, 5, {}},
        {u"btnWord3"_s, K::Answer, u"Panel1"_s, {432, 16, 185, 33}, {}, word, {}, S::Hidden, 3, {}},
        {u"btnWord4"_s, K::Answer, u"Panel1"_s, {16, 64, 185, 33}, {}, word, {}, S::Hidden, 1, {}},
        {u"btnWord5"_s, K::Answer, u"Panel1"_s, {224, 64, 185, 33}, {}, word, {}, S::Hidden, 4, {}},
        {u"btnWord6"_s, K::Answer, u"Panel1"_s, {432, 64, 185, 33}, {}, word, {}, S::Hidden, 2, {}},
        {u"btnNext"_s,
         K::Button,
         {},
         {24, 236, 89, 30},
         u"次へ"_s,
         gothic14Bold,
         look::claBlue,
         S::Shown,
         2,
         {}},
        {u"btnReset"_s,
         K::Button,
         {},
         {152, 236, 89, 30},
         u"最初から"_s,
         gothic14Bold,
         look::claRed,
         S::Shown,
         1,
         {}},
        {u"gbRandom"_s,
         K::GroupBox,
         {},
         {427, 184, 105, 44},
         u"ランダム"_s,
         gothic,
         {},
         S::Shown,
         3,
         {}},
        {u"rbRndOff"_s,
         K::Radio,
         u"gbRandom"_s,
         {8, 16, 41, 19},
         u"なし"_s,
         plain,
         {},
         S::Checked,
         1,
         u"gbRandom"_s},
        {u"rbRndOn"_s,
         K::Radio,
         u"gbRandom"_s,
         {56, 16, 41, 19},
         u"あり"_s,
         plain,
         {},
         S::Shown,
         2,
         u"gbRandom"_s},
        {u"gbEnglishView"_s,
         K::GroupBox,
         {},
         {536, 184, 105, 44},
         u"英語"_s,
         gothic,
         {},
         S::Shown,
         4,
         {}},
        {u"rbEnglishOff"_s,
         K::Radio,
         u"gbEnglishView"_s,
         {8, 16, 41, 19},
         u"なし"_s,
         plain,
         {},
         S::Shown,
         1,
         u"gbEnglishView"_s},
        {u"rbEnglishOn"_s,
         K::Radio,
         u"gbEnglishView"_s,
         {56, 16, 41, 19},
         u"あり"_s,
         plain,
         {},
         S::Checked,
         2,
         u"gbEnglishView"_s},
        {u"lbQuestNum"_s,
         K::TextLabel,
         {},
         {14, 196, 123, 17},
         u"問題番号:"_s,
         gothic14,
         {},
         S::Shown,
         7,
         {}},
        {u"lbCorrectNum"_s,
         K::TextLabel,
         {},
         {142, 196, 99, 17},
         u"正解数:"_s,
         gothic14,
         {},
         S::Shown,
         6,
         {}},
        {u"lbWrongNum"_s,
         K::TextLabel,
         {},
         {246, 196, 97, 17},
         u"誤答数:"_s,
         gothic14,
         {},
         S::Shown,
         5,
         {}},
        {u"Panel2"_s, K::Panel, {}, {8, 126, 633, 48}, {}, plain, {}, S::Shown, 9, {}},
        {u"lbEnglish"_s,
         K::TextLabel,
         u"Panel2"_s,
         {16, 0, 601, 49},
         {},
         word,
         {},
         S::Shown,
         1,
         {}},
        {u"Panel3"_s, K::Panel, {}, {8, 70, 633, 48}, {}, plain, {}, S::Shown, 8, {}},
        {u"lbJap"_s, K::TextLabel, u"Panel3"_s, {16, 0, 601, 49}, {}, word, {}, S::Shown, 1, {}},
        {u"bbtnListenAgain"_s,
         K::Button,
         {},
         {456, 24, 80, 30},
         u"もう一度聞く"_s,
         bold,
         look::claDarkorchid,
         S::Shown,
         10,
         {}},
        {u"btnClose"_s,
         K::Button,
         {},
         {552, 24, 80, 30},
         u"終了"_s,
         bold,
         look::claBlack,
         S::Shown,
         11,
         {}},
        {u"Label6"_s,
         K::Label,
         {},
         {16, 8, 409, 17},
         u"Vocarin Ver.0.02"_s,
         plain,
         {},
         S::Shown,
         12,
         {}},
        {u"shpCircle"_s, K::Circle, {}, {72, 53, 121, 137}, {}, plain, {}, S::Shown, -1, {}},
        {u"gbItemNum"_s,
         K::GroupBox,
         {},
         {438, 224, 203, 49},
         u"項目数"_s,
         plain,
         {},
         S::Shown,
         13,
         {}},
        {u"rbItem1"_s,
         K::Radio,
         u"gbItemNum"_s,
         {5, 19, 33, 19},
         u"1"_s,
         plain,
         {},
         S::Shown,
         5,
         u"gbItemNum"_s},
        {u"rbItem2"_s,
         K::Radio,
         u"gbItemNum"_s,
         {38, 19, 33, 19},
         u"2"_s,
         plain,
         {},
         S::Shown,
         4,
         u"gbItemNum"_s},
        {u"rbItem3"_s,
         K::Radio,
         u"gbItemNum"_s,
         {71, 19, 33, 19},
         u"3"_s,
         plain,
         {},
         S::Shown,
         3,
         u"gbItemNum"_s},
        {u"rbItem4"_s,
         K::Radio,
         u"gbItemNum"_s,
         {104, 19, 33, 19},
         u"4"_s,
         plain,
         {},
         S::Shown,
         2,
         u"gbItemNum"_s},
        {u"rbItem5"_s,
         K::Radio,
         u"gbItemNum"_s,
         {136, 19, 33, 19},
         u"5"_s,
         plain,
         {},
         S::Shown,
         1,
         u"gbItemNum"_s},
        {u"rbItem6"_s,
         K::Radio,
         u"gbItemNum"_s,
         {168, 19, 33, 19},
         u"6"_s,
         plain,
         {},
         S::Shown,
         0,
         u"gbItemNum"_s},
        {u"btnChangeCourse"_s,
         K::Button,
         u"gbItemNum"_s,
         {-92, -32, 80, 33},
         u"問題を変える"_s,
         plain,
         {},
         S::Disabled,
         7,
         {}},
        {u"ComboBox1"_s, K::Combo, {}, {296, 244, 141, 22}, {}, plain, {}, S::Shown, 14, {}},
        {u"Label1"_s,
         K::Label,
         {},
         {337, 228, 60, 17},
         u"声を変える"_s,
         plain,
         {},
         S::Shown,
         15,
         {}},
    };
    return rows;
}

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
    case Kind::Button:
        control = new QPushButton(row.text);
        break;
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
    case Kind::TextLabel: {
        auto* label = new QLabel(row.text);
        if (row.kind == Kind::TextLabel) {
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
    // A proxied widget paints a window background unless told otherwise.
    control->setAttribute(Qt::WA_TranslucentBackground);
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

// Qt clicks a radio button on Space also when it is checked already; a click
// on the checked choice count would restart the run. Only the pointer may.
class NoKeyClickOnChecked : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* radio = qobject_cast<QRadioButton*>(watched);
        return radio && radio->isChecked() && (key == Qt::Key_Space || key == Qt::Key_Select);
    }
};

const QString kNoVoiceMessage = u"Microsoft 音声合成 (TTS: text-to-speech) を利用できません。\r\n"
                                u"Microsoft 音声合成をインストールして下さい。"_s;

constexpr qint32 kNoPreferredVoice = 999;

} // namespace

// The exercise holds its speaker, cue player and generator from the start;
// FormCreate makes the real objects later, in its own order.
class TForm1::Services : public Speaker, public CuePlayer, public RandomSource
{
public:
    SpVoice* voice = nullptr;
    CuePlayer* cues = nullptr;
    RandomSource* random = nullptr;

    void speak(const QString& text) override { voice->speak(text); }
    // Cues released at close cost nothing but silence.
    void play(Cue cue) override
    {
        if (cues)
            cues->play(cue);
    }
    qint32 Random(qint32 n) override { return random->Random(n); }
};

TForm1::TForm1(Lifecycle& life, const Platform& platform)
    : m_life(life), m_platform(platform), m_services(std::make_unique<Services>()),
      m_exercise(*this, *m_services, *m_services, *m_services)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Form1"_s);
    buildLayout();
    bindHandlers();
    m_drill = new DrillActions(*this, m_life);
}

TForm1::~TForm1()
{
    FormDestroy();
}

template <typename Control> Control* TForm1::named(const QString& name) const
{
    auto* control = qobject_cast<Control*>(m_controls.value(name));
    Q_ASSERT(control);
    return control;
}

void TForm1::buildLayout()
{
    ScaledLayout1 = new ScaledView(kDesignSize, this);
    ScaledLayout1->setObjectName(u"ScaledLayout1"_s);
    ScaledLayout1->setBackgroundBrush(look::claDarkseagreen);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(ScaledLayout1);

    const auto& rows = layoutRows();
    QHash<QString, QGraphicsProxyWidget*> proxies;
    for (qsizetype z = 0; z < qsizetype(rows.size()); ++z) {
        const ControlRow& row = rows[z];
        QWidget* control = makeControl(row);
        control->setObjectName(row.name);
        if (row.tabOrder < 0 || row.kind == Kind::Panel || row.kind == Kind::Label ||
            row.kind == Kind::TextLabel)
            control->setFocusPolicy(Qt::NoFocus);
        if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            QButtonGroup*& group = m_radioGroups[row.group];
            if (!group) {
                group = new QButtonGroup(this);
                group->setObjectName(row.group);
            }
            group->addButton(radio);
            radio->setChecked(row.start == Start::Checked);
        }
        control->setVisible(row.start != Start::Hidden);
        control->setEnabled(row.start != Start::Disabled);
        proxies.insert(
            row.name, ScaledLayout1->place(control, proxies.value(row.parent), row.rect, qreal(z)));
        m_controls.insert(row.name, control);
    }
    // Clicks go through the circle to whatever lies under it.
    proxies.value(u"shpCircle"_s)->setAcceptedMouseButtons(Qt::NoButton);

    QList<QWidget*> chain;
    appendTabChain(rows, QString(), m_controls, chain);
    ScaledLayout1->setTabChain(chain);

    Panel1 = named<QFrame>(u"Panel1"_s);
    btnWord1 = named<AnswerButton>(u"btnWord1"_s);
    btnWord2 = named<AnswerButton>(u"btnWord2"_s);
    btnWord3 = named<AnswerButton>(u"btnWord3"_s);
    btnWord4 = named<AnswerButton>(u"btnWord4"_s);
    btnWord5 = named<AnswerButton>(u"btnWord5"_s);
    btnWord6 = named<AnswerButton>(u"btnWord6"_s);
    btnNext = named<QPushButton>(u"btnNext"_s);
    btnReset = named<QPushButton>(u"btnReset"_s);
    gbRandom = named<QGroupBox>(u"gbRandom"_s);
    gbEnglishView = named<QGroupBox>(u"gbEnglishView"_s);
    rbRndOff = named<QRadioButton>(u"rbRndOff"_s);
    rbRndOn = named<QRadioButton>(u"rbRndOn"_s);
    rbEnglishOff = named<QRadioButton>(u"rbEnglishOff"_s);
    rbEnglishOn = named<QRadioButton>(u"rbEnglishOn"_s);
    lbQuestNum = named<QLabel>(u"lbQuestNum"_s);
    lbCorrectNum = named<QLabel>(u"lbCorrectNum"_s);
    lbWrongNum = named<QLabel>(u"lbWrongNum"_s);
    Panel2 = named<QFrame>(u"Panel2"_s);
    lbEnglish = named<QLabel>(u"lbEnglish"_s);
    Panel3 = named<QFrame>(u"Panel3"_s);
    lbJap = named<QLabel>(u"lbJap"_s);
    bbtnListenAgain = named<QPushButton>(u"bbtnListenAgain"_s);
    btnClose = named<QPushButton>(u"btnClose"_s);
    Label6 = named<QLabel>(u"Label6"_s);
    shpCircle = named<CircleShape>(u"shpCircle"_s);
    gbItemNum = named<QGroupBox>(u"gbItemNum"_s);
    rbItem1 = named<QRadioButton>(u"rbItem1"_s);
    rbItem2 = named<QRadioButton>(u"rbItem2"_s);
    rbItem3 = named<QRadioButton>(u"rbItem3"_s);
    rbItem4 = named<QRadioButton>(u"rbItem4"_s);
    rbItem5 = named<QRadioButton>(u"rbItem5"_s);
    rbItem6 = named<QRadioButton>(u"rbItem6"_s);
    btnChangeCourse = named<QPushButton>(u"btnChangeCourse"_s);
    ComboBox1 = named<QComboBox>(u"ComboBox1"_s);
    Label1 = named<QLabel>(u"Label1"_s);

    ShadowEffect1 = ScaledLayout1->addShadow(proxies.value(u"bbtnListenAgain"_s));
    ShadowEffect2 = ScaledLayout1->addShadow(proxies.value(u"btnClose"_s));
    ShadowEffect3 = ScaledLayout1->addShadow(proxies.value(u"btnNext"_s));
    ShadowEffect4 = ScaledLayout1->addShadow(proxies.value(u"btnWord1"_s));
    ShadowEffect5 = ScaledLayout1->addShadow(proxies.value(u"btnWord2"_s));
    ShadowEffect6 = ScaledLayout1->addShadow(proxies.value(u"btnWord3"_s));
    ShadowEffect7 = ScaledLayout1->addShadow(proxies.value(u"btnWord4"_s));
    ShadowEffect8 = ScaledLayout1->addShadow(proxies.value(u"btnWord5"_s));
    ShadowEffect9 = ScaledLayout1->addShadow(proxies.value(u"btnWord6"_s));

    btnQArray = {nullptr, btnWord1, btnWord2, btnWord3, btnWord4, btnWord5, btnWord6};
}

void TForm1::bindHandlers()
{
    const auto bind = [this](auto* control, auto signal, void (TForm1::*handler)()) {
        connect(control, signal, this,
                [this, handler] { m_life.handle([this, handler] { (this->*handler)(); }); });
    };
    for (AnswerButton* button : btnQArray) {
        if (!button)
            continue;
        connect(button, &QPushButton::clicked, this,
                [this, button] { m_life.handle([this, button] { btnWord1Click(button); }); });
    }
    bind(btnNext, &QPushButton::clicked, &TForm1::btnNextClick);
    bind(btnReset, &QPushButton::clicked, &TForm1::btnResetClick);
    bind(rbRndOff, &QRadioButton::toggled, &TForm1::rbRndOffChange);
    bind(rbEnglishOff, &QRadioButton::toggled, &TForm1::rbEnglishOnChange);
    bind(rbEnglishOn, &QRadioButton::toggled, &TForm1::rbEnglishOnChange);
    bind(bbtnListenAgain, &QPushButton::clicked, &TForm1::bbtnListenAgainClick);
    bind(btnClose, &QPushButton::clicked, &TForm1::btnCloseClick);
    auto* keys = new NoKeyClickOnChecked(this);
    for (QRadioButton* radio : {rbItem1, rbItem2, rbItem3, rbItem4, rbItem5, rbItem6})
        radio->installEventFilter(keys);
    bind(rbItem1, &QRadioButton::clicked, &TForm1::rbItem1Click);
    bind(rbItem2, &QRadioButton::clicked, &TForm1::rbItem2Click);
    bind(rbItem3, &QRadioButton::clicked, &TForm1::rbItem3Click);
    bind(rbItem4, &QRadioButton::clicked, &TForm1::rbItem4Click);
    bind(rbItem5, &QRadioButton::clicked, &TForm1::rbItem5Click);
    bind(rbItem6, &QRadioButton::clicked, &TForm1::rbItem6Click);
    bind(btnChangeCourse, &QPushButton::clicked, &TForm1::btnChangeCourseClick);
    bind(ComboBox1, &QComboBox::currentIndexChanged, &TForm1::ComboBox1Change);
}

void TForm1::btnCloseClick()
{
    close();
}

void TForm1::StartGame()
{
    m_exercise.StartGame();
}

void TForm1::InitialGame(const QString& SubDirectory)
{
    m_exercise.InitialGame(SubDirectory);
}

void TForm1::FormCreate()
{
    // OptionList and SubDirectoryList start empty with the exercise state.
    m_audio = m_platform.openAudioOutput();
    voice = std::make_unique<SpVoice>(*m_audio, m_platform.speechEngines());
    m_services->voice = voice.get();
    const VoiceCollection Voices = voice->GetVoices();
    if (Voices.Count() == 0) {
        vocarin::showMessage(kNoVoiceMessage);
        m_life.requestTermination();
    }
    state().KeyVoice = kNoPreferredVoice;
    {
        // Filling an empty list would select its first entry on its own.
        const QSignalBlocker quiet(ComboBox1);
        for (qint32 index = 0; index < Voices.Count(); ++index)
            ComboBox1->addItem(Voices.Item(index).GetDescription());
        ComboBox1->setCurrentIndex(-1);
    }
    state().KeyVoice = findPreferredVoice(Voices);
    if (state().KeyVoice != kNoPreferredVoice) {
        ComboBox1->setCurrentIndex(state().KeyVoice);
        ComboBox1Change();
    }

    RSPu = std::make_unique<CueStream>(u"SysPu"_s);
    RSBubuu = std::make_unique<CueStream>(u"Sysbubuu"_s);
    RSPingPong = std::make_unique<CueStream>(u"SysPingPong"_s);
    m_cuePlayer = std::make_unique<CueStreamPlayer>(*m_audio, *RSPu, *RSPingPong, *RSBubuu);
    m_services->cues = m_cuePlayer.get();

    // QuestionList, AnswerList, QNumList, CQList and CJList start empty too.
    m_random = m_platform.makeRandom();
    m_services->random = m_random.get();
}

void TForm1::rbEnglishOnChange()
{
    m_exercise.rbEnglishOnChange();
}

void TForm1::rbRndOffChange()
{
    m_exercise.rbRndOffChange();
}

void TForm1::FormClose()
{
    // Playback stops before the cue images go.
    if (m_audio)
        m_audio->stopAll();
    m_services->cues = nullptr;
    m_cuePlayer.reset();
    RSPu.reset();
    RSBubuu.reset();
    RSPingPong.reset();
    ExerciseState& s = state();
    for (StringList* list : {&s.QuestionList, &s.AnswerList, &s.QNumList, &s.CQList, &s.OptionList,
                             &s.CJList, &s.SubDirectoryList})
        list->clear();
}

void TForm1::btnResetClick()
{
    m_exercise.btnResetClick();
}

void TForm1::bbtnListenAgainClick()
{
    m_exercise.bbtnListenAgainClick();
}

void TForm1::btnWord1Click(QObject* Sender)
{
    const auto pressed = std::find(btnQArray.begin(), btnQArray.end(), Sender);
    m_exercise.btnWord1Click(int(pressed - btnQArray.begin()));
}

void TForm1::btnNextClick()
{
    m_exercise.btnNextClick();
}

void TForm1::rbItem6Click()
{
    m_exercise.rbItem6Click();
}

void TForm1::rbItem1Click()
{
    m_exercise.rbItem1Click();
}

void TForm1::rbItem2Click()
{
    m_exercise.rbItem2Click();
}

void TForm1::rbItem3Click()
{
    m_exercise.rbItem3Click();
}

void TForm1::rbItem4Click()
{
    m_exercise.rbItem4Click();
}

void TForm1::rbItem5Click()
{
    m_exercise.rbItem5Click();
}

void TForm1::btnChangeCourseClick()
{
    Form2->ShowModal();
}

void TForm1::FormShow()
{
    const CourseCatalogue courses = discoverCourses(state().OptionList);
    Form2->ListBox1->clear();
    for (qsizetype i = 0; i < courses.titles.size(); ++i) {
        Form2->ListBox1->addItem(courses.titles.at(i));
        state().SubDirectoryList.add(courses.folders.at(i));
    }
    if (Form2->ListBox1->count() > 1) {
        Form2->setItemIndex(0);
        btnChangeCourse->setEnabled(true);
    }
    Form2->ShowModal();
}

void TForm1::FormDestroy()
{
    m_services->voice = nullptr;
    voice.reset();
}

void TForm1::ComboBox1Change()
{
    voice->setVoice(voice->GetVoices(QString(), QString()).Item(ComboBox1->currentIndex()));
}

void TForm1::actMistakesRoundExecute()
{
    m_exercise.startMistakesRound();
}

void TForm1::showOnStart()
{
    showMaximised(this, kDesignSize, true);
    FormShow();
    activateWindow();
}

void TForm1::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TForm1::setAnswerText(int button, const QString& text)
{
    btnQArray.at(button)->setMeaning(text);
}

QString TForm1::answerText(int button) const
{
    return btnQArray.at(button)->meaning();
}

void TForm1::setAnswerVisible(int button, bool visible)
{
    btnQArray.at(button)->setVisible(visible);
}

void TForm1::setAnswerEnabled(int button, bool enabled)
{
    btnQArray.at(button)->setEnabled(enabled);
}

void TForm1::setEnglishText(const QString& text)
{
    lbEnglish->setText(text);
}

void TForm1::setShownAnswer(const QString& text)
{
    lbJap->setText(text);
}

QString TForm1::shownAnswer() const
{
    return lbJap->text();
}

void TForm1::setQuestNumText(const QString& text)
{
    lbQuestNum->setText(text);
}

void TForm1::setCorrectNumText(const QString& text)
{
    lbCorrectNum->setText(text);
}

void TForm1::setWrongNumText(const QString& text)
{
    lbWrongNum->setText(text);
}

void TForm1::setCircleVisible(bool visible)
{
    shpCircle->setVisible(visible);
}

void TForm1::setNextEnabled(bool enabled)
{
    btnNext->setEnabled(enabled);
}

void TForm1::setListenAgainEnabled(bool enabled)
{
    bbtnListenAgain->setEnabled(enabled);
}

bool TForm1::isRandomOrderOn() const
{
    return rbRndOn->isChecked();
}

bool TForm1::isEnglishOn() const
{
    return rbEnglishOn->isChecked();
}

bool TForm1::isEnglishOff() const
{
    return rbEnglishOff->isChecked();
}

void TForm1::checkChoiceCount(int count)
{
    const std::array<QRadioButton*, 6> buttons{rbItem1, rbItem2, rbItem3,
                                               rbItem4, rbItem5, rbItem6};
    if (count >= 1 && count <= int(buttons.size()))
        buttons.at(count - 1)->setChecked(true);
}

void TForm1::showMessage(const QString& text)
{
    vocarin::showMessage(text);
}

void TForm1::closeMainWindow()
{
    close();
}

void TForm1::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu;
    m_drill->fillContextMenu(menu);
    menu.exec(event->globalPos());
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The window stays on screen until it is destroyed at the end.
    event->ignore();
    if (event->spontaneous() && m_life.handlerRunning()) {
        m_life.closeAfterHandlers(this);
        return;
    }
    if (m_closing)
        return;
    m_closing = true;
    FormClose();
    m_life.requestTermination();
}

} // namespace vocarin
