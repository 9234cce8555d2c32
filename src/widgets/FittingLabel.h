#pragma once

#include <QLabel>

namespace vocarin {

// A label of one line of plain text: a text that fits its box is laid out as
// any label lays it out; one that would not fit is drawn in a smaller size of
// the label's font, the largest that fits on one line, so it is never cut.
class FittingLabel : public QLabel
{
    Q_OBJECT
public:
    explicit FittingLabel(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool fits(const QFont& font, int flags) const;
};

} // namespace vocarin
