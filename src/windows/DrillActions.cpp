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

QList<QKeySequence> allDigitKeys()
{
    QList<QKeySequence> keys;
    for (int digit = 1; digit <= 6; ++digit)
        keys.append(digitKeys(digit));
    return keys;
}

// "もう一度聞く（R または F5）": an action with its keys.
QString withKeys(const QString& text, DrillAction action)
{
    return text + u'（' + drillKey(action).keysText + u'）';
}

} // namespace

const QList<DrillKey>& drillKeys()
{
    static const QList<DrillKey> table{
        {u"1～6（テンキーも可）"_s, allDigitKeys(), u"答えのボタンを押す"_s},
        {u"Enter または →"_s,
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
          QKeySequence(Qt::KeypadModifier | Qt::Key_Enter), QKeySequence(Qt::Key_Right)},
         u"次へ"_s},
        {u"R または F5"_s, {QKeySequence(Qt::Key_R), QKeySequence(Qt::Key_F5)}, u"もう一度聞く"_s},
        {u"Shift+R"_s, {QKeySequence(Qt::SHIFT | Qt::Key_R)}, u"ゆっくり聞く"_s},
        {u"Home"_s, {QKeySequence(Qt::Key_Home)}, u"最初から"_s},
        {u"M"_s, {QKeySequence(Qt::Key_M)}, u"間違えた単語だけ練習"_s},
    };
    return table;
}

const DrillKey& drillKey(DrillAction action)
{
    return drillKeys().at(int(action));
}

QString keyGuideText()
{
    QString text = u"キー操作\n\n"_s;
    for (const DrillKey& key : drillKeys())
        text += key.keysText + u'：' + key.action + u'\n';
    return text + u"Tab：ボタンや選択肢を選ぶ（黒い枠が付きます）\n"
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
    addAction(DrillAction::Next, [this] { press(m_controls.next); });
    addAction(DrillAction::Reset, [this] { press(m_controls.reset); });
    m_listenAgain = addAction(DrillAction::ListenAgain, [this] { press(m_controls.listenAgain); });
    m_listenSlowly = addAction(DrillAction::ListenSlowly, [this] {
        // As a click on もう一度聞く would be.
        if (m_controls.listenAgain->isVisible() && m_controls.listenAgain->isEnabled())
            m_life.handle(m_controls.listenSlowly);
    });
    m_mistakesRound =
        addAction(DrillAction::MistakesRound, [this] { m_life.handle(m_controls.mistakesRound); });
    m_keyGuide = addAction(u"キー操作"_s, {},
                           [this] { m_life.handle([] { showMessage(keyGuideText()); }); });

    m_controls.next->setToolTip(withKeys(u"次の問題へ"_s, DrillAction::Next));
    m_controls.listenAgain->setToolTip(
        withKeys(drillKey(DrillAction::ListenAgain).action, DrillAction::ListenAgain) + u'\n' +
        withKeys(drillKey(DrillAction::ListenSlowly).action, DrillAction::ListenSlowly));
    m_controls.reset->setToolTip(withKeys(u"最初の問題から"_s, DrillAction::Reset));
}

QAction* DrillActions::addAction(DrillAction action, std::function<void()> run)
{
    const DrillKey& key = drillKey(action);
    return addAction(key.action, key.keys, std::move(run));
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
