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
    // The badge is made when the button is shown: made for a hidden button,
    // its style sheet and its bold face would only hold up the program's start.
    void setKeyBadge(int digit);
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showMeaning();
    void makeBadge();

    QString m_meaning;
    int m_badgeDigit = 0; // 0: no badge
    QLabel* m_badge = nullptr;
    // How far right of the centre the meaning is drawn to clear the badge.
    int m_shift = 0;
};

} // namespace vocarin
