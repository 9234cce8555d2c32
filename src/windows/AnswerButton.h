#pragma once

#include <QPushButton>

namespace vocarin {

// An answer button: it shows its meaning exactly as the course wrote it, "&"
// included, and a meaning too long for the button keeps its beginning and
// ends in "…". The meaning itself stays whole for judging.
class AnswerButton : public QPushButton
{
    Q_OBJECT
public:
    AnswerButton();

    void setMeaning(const QString& meaning);
    QString meaning() const { return m_meaning; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showMeaning();

    QString m_meaning;
};

} // namespace vocarin
