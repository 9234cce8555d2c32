#pragma once

#include <QPushButton>

class QLabel;

namespace vocarin {

// An answer button: it shows its meaning exactly as the course wrote it, "&"
// included, and a meaning too long for the button keeps its beginning, ends
// in "…" and shows whole as the tooltip. The meaning itself stays whole for
// judging. Its key's digit sits in a badge in the top-left corner, clear of
// the meaning.
class AnswerButton : public QPushButton
{
    Q_OBJECT
public:
    AnswerButton();

    void setMeaning(const QString& meaning);
    QString meaning() const { return m_meaning; }
    void setKeyBadge(int digit);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showMeaning();

    QString m_meaning;
    QLabel* m_badge = nullptr;
    // How far right of the centre the meaning is drawn to clear the badge.
    int m_shift = 0;
};

} // namespace vocarin
