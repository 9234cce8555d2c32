#include "windows/DrillActions.h"

#include "widgets/AnswerButton.h"
#include "windows/Displays.h"
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

DrillActions::DrillActions(DrillControls controls, Lifecycle& life)
    : QObject(controls.window), m_controls(std::move(controls)), m_life(life)
{
    for (int k = 1; k < int(m_controls.answers.size()); ++k) {
        AnswerButton* button = m_controls.answers.at(k);
        addAction(button->objectName(), digitKeys(k), [button] { press(button); });
        button->setKeyBadge(k);
    }
    addAction(u"次へ"_s,
              {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
               QKeySequence(Qt::KeypadModifier | Qt::Key_Enter), QKeySequence(Qt::Key_Right)},
              [this] { press(m_controls.next); });
    addAction(u"最初から"_s, {QKeySequence(Qt::Key_Home)}, [this] { press(m_controls.reset); });
    m_listenAgain =
        addAction(u"もう一度聞く"_s, {QKeySequence(Qt::Key_R), QKeySequence(Qt::Key_F5)},
                  [this] { press(m_controls.listenAgain); });
    m_listenSlowly = addAction(u"ゆっくり聞く"_s, {QKeySequence(Qt::SHIFT | Qt::Key_R)}, [this] {
        // As a click on もう一度聞く would be.
        if (m_controls.listenAgain->isVisible() && m_controls.listenAgain->isEnabled())
            m_life.handle(m_controls.listenSlowly);
    });
    m_mistakesRound = addAction(u"間違えた単語だけ練習"_s, {QKeySequence(Qt::Key_M)},
                                [this] { m_life.handle(m_controls.mistakesRound); });
    m_keyGuide = addAction(u"キー操作"_s, {},
                           [this] { m_life.handle([] { showMessage(keyGuideText()); }); });

    m_controls.next->setToolTip(u"次の問題へ（Enter または →）"_s);
    m_controls.listenAgain->setToolTip(u"もう一度聞く（R または F5）\nゆっくり聞く（Shift+R）"_s);
    m_controls.reset->setToolTip(u"最初の問題から（Home）"_s);
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
    m_controls.window->addAction(action);
    return action;
}

void DrillActions::press(QPushButton* button)
{
    if (button->isVisible() && button->isEnabled())
        button->click();
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
