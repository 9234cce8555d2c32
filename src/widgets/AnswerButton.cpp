#include "widgets/AnswerButton.h"

#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

// Design units between the badge and the button's edge.
constexpr int kBadgeInset = 2;

} // namespace

AnswerButton::AnswerButton() = default;

void AnswerButton::setMeaning(const QString& meaning)
{
    m_meaning = meaning;
    showMeaning();
}

void AnswerButton::setKeyBadge(int digit)
{
    // Drawn over the button, not part of its text, which stays the meaning
    // that is judged.
    m_badge = new QLabel(QString::number(digit), this);
    m_badge->setObjectName(u"keyBadge"_s);
    m_badge->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_badge->setAlignment(Qt::AlignCenter);
    m_badge->setStyleSheet(u"QLabel { color: white; background: #555; border-radius: 3px;"
                           u" font-size: 9px; font-weight: bold; padding: 0 2px; }"_s);
    m_badge->adjustSize();
    m_badge->move(kBadgeInset, kBadgeInset);
    showMeaning();
}

void AnswerButton::resizeEvent(QResizeEvent* event)
{
    QPushButton::resizeEvent(event);
    showMeaning();
}

void AnswerButton::showMeaning()
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // The text is centred: kept clear of the badge on the left, it gives up
    // as much on the right.
    const int badge = m_badge ? std::max(0, m_badge->geometry().right() + 1 - contents.left()) : 0;
    const int room = contents.width() -
                     2 * (style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) + badge);
    QString shown = fontMetrics().elidedText(m_meaning, Qt::ElideRight, room);
    setToolTip(shown == m_meaning ? QString() : m_meaning);
    // A single "&" would mark a shortcut and vanish from the button.
    setText(shown.replace(QLatin1Char('&'), QLatin1String("&&")));
}

} // namespace vocarin
