#include "windows/DrillActions.h"

#include "speech/SpVoice.h"
#include "windows/Displays.h"
#include "windows/Fmain.h"
#include "windows/Lifecycle.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

QList<QKeySequence> digitKeys(int digit)
{
    const auto key = Qt::Key(Qt::Key_0 + digit);
    return {QKeySequence(key), QKeySequence(Qt::KeypadModifier | key)};
}

} // namespace

QString keyGuideText()
{
    return u"キー操作\n"
           u"\n"
           u"1～6（テンキーも可）：答えのボタンを押す\n"
           u"Enter または →：次へ\n"
           u"R または F5：もう一度聞く\n"
           u"Shift+R：ゆっくり聞く\n"
           u"Home：最初から\n"
           u"M：間違えた単語だけ練習\n"
           u"Tab：ボタンや選択肢を選ぶ（黒い枠が付きます）\n"
           u"枠の付いたボタンは Space で、答え以外のボタンは Enter でも押せます"_s;
}

DrillActions::DrillActions(TForm1& form, Lifecycle& life)
    : QObject(&form), m_form(form), m_life(life)
{
    const auto& answers = form.answerButtons();
    for (int k = 1; k < int(answers.size()); ++k) {
        AnswerButton* button = answers.at(k);
        addAction(button->objectName(), digitKeys(k), [button] { press(button); });
        button->setKeyBadge(k);
    }
    addAction(u"次へ"_s,
              {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
               QKeySequence(Qt::KeypadModifier | Qt::Key_Enter), QKeySequence(Qt::Key_Right)},
              [&form] { press(form.btnNext); });
    addAction(u"最初から"_s, {QKeySequence(Qt::Key_Home)}, [&form] { press(form.btnReset); });
    m_listenAgain =
        addAction(u"もう一度聞く"_s, {QKeySequence(Qt::Key_R), QKeySequence(Qt::Key_F5)},
                  [&form] { press(form.bbtnListenAgain); });
    m_listenSlowly = addAction(u"ゆっくり聞く"_s, {QKeySequence(Qt::SHIFT | Qt::Key_R)},
                               [this] { listenSlowly(); });
    m_mistakesRound = addAction(u"間違えた単語だけ練習"_s, {QKeySequence(Qt::Key_M)}, [this] {
        m_life.handle([this] { m_form.actMistakesRoundExecute(); });
    });
    m_keyGuide = addAction(u"キー操作"_s, {},
                           [this] { m_life.handle([] { showMessage(keyGuideText()); }); });

    form.btnNext->setToolTip(u"次の問題へ（Enter または →）"_s);
    form.bbtnListenAgain->setToolTip(u"もう一度聞く（R または F5）\nゆっくり聞く（Shift+R）"_s);
    form.btnReset->setToolTip(u"最初の問題から（Home）"_s);
}

QAction* DrillActions::addAction(const QString& text, const QList<QKeySequence>& keys,
                                 std::function<void()> run)
{
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    // The focused control keeps the keys it works with (the canvas sees to
    // that): an action runs only for a key no control wants.
    connect(action, &QAction::triggered, this, std::move(run));
    m_form.addAction(action);
    return action;
}

void DrillActions::press(QPushButton* button)
{
    if (button->isVisible() && button->isEnabled())
        button->click();
}

void DrillActions::listenSlowly()
{
    if (!m_form.bbtnListenAgain->isEnabled())
        return;
    SpVoice* voice = m_form.speechObject();
    const double rate = voice->rate();
    voice->setRate(kSlowReplayRate);
    press(m_form.bbtnListenAgain);
    voice->setRate(rate);
}

void DrillActions::fillContextMenu(QMenu& menu) const
{
    menu.addAction(m_listenAgain);
    menu.addAction(m_listenSlowly);
    menu.addAction(m_mistakesRound);
    menu.addSeparator();
    menu.addAction(m_keyGuide);
}

} // namespace vocarin
