#include "widgets/AnswerButton.h"

#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <cmath>

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
    m_badgeDigit = digit;
    if (!isHidden())
        makeBadge();
}

void AnswerButton::setVisible(bool visible)
{
    if (visible && m_badgeDigit != 0 && !m_badge)
        makeBadge();
    QPushButton::setVisible(visible);
}

void AnswerButton::makeBadge()
{
    // Drawn over the button, not part of its text, which stays the meaning
    // that is judged.
    m_badge = new QLabel(QString::number(m_badgeDigit), this);
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
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    // The meaning keeps the badge with the margin on the left; a meaning too
    // long to be centred may use the margin on the right, so that ten
    // full-width characters show whole beside any key's badge.
    const int badge = m_badge ? std::max(0, m_badge->geometry().right() + 1 - contents.left()) : 0;
    QString shown =
        fontMetrics().elidedText(m_meaning, Qt::ElideRight, contents.width() - margin - badge);
    // Centred as every button centres its text, unless that puts it under the
    // badge: then just far enough right to clear it.
    const qreal centredLeft =
        contents.left() + (contents.width() - QFontMetricsF(font()).horizontalAdvance(shown)) / 2;
    m_shift = std::max(0, int(std::ceil(contents.left() + margin + badge - centredLeft)));
    setToolTip(shown == m_meaning ? QString() : m_meaning);
    // A single "&" would mark a shortcut and vanish from the button.
    setText(shown.replace(QLatin1Char('&'), QLatin1String("&&")));
    update();
}

void AnswerButton::paintEvent(QPaintEvent* event)
{
    if (m_shift == 0) {
        QPushButton::paintEvent(event);
        return;
    }
    // The button as the style draws it without its text, then the text in the
    // contents moved right.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QStyleOptionButton label = option;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    label.rect.translate(m_shift, 0);
    painter.drawControl(QStyle::CE_PushButtonLabel, label);
}

} // namespace vocarin
