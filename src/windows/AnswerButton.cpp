#include "windows/AnswerButton.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace vocarin {

AnswerButton::AnswerButton() = default;

void AnswerButton::setMeaning(const QString& meaning)
{
    m_meaning = meaning;
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
    const int room =
        contents.width() - 2 * style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    QString shown = fontMetrics().elidedText(m_meaning, Qt::ElideRight, room);
    // A single "&" would mark a shortcut and vanish from the button.
    setText(shown.replace(QLatin1Char('&'), QLatin1String("&&")));
}

} // namespace vocarin
