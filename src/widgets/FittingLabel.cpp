#include "widgets/FittingLabel.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyle>

namespace vocarin {

FittingLabel::FittingLabel(const QString& text) : QLabel(text)
{
    setTextFormat(Qt::PlainText);
}

bool FittingLabel::fits(const QFont& font, int flags) const
{
    // Laid out as the label draws it: no higher than one line, and within the box.
    const QFontMetrics metrics(font);
    const QRect box = contentsRect();
    const QRect line = metrics.boundingRect(box, flags & ~Qt::TextWordWrap, text());
    return line.width() <= box.width() &&
           metrics.boundingRect(box, flags, text()).height() <= line.height();
}

void FittingLabel::paintEvent(QPaintEvent* event)
{
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    if (fits(font(), flags)) {
        QLabel::paintEvent(event);
        return;
    }
    QFont smaller = font();
    for (int size = QFontInfo(smaller).pixelSize() - 1; size >= 1; --size) {
        smaller.setPixelSize(size);
        if (fits(smaller, int(alignment())))
            break;
    }
    QPainter painter(this);
    painter.setFont(smaller);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
}

} // namespace vocarin
