#include "windows/MainBoard.h"

#include "widgets/AnswerButton.h"
#include "widgets/CircleShape.h"
#include "windows/Displays.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace vocarin {

void MainBoard::setCaption(const QString& caption)
{
    // The toolkit reads "[*]" in a title as the place of its modified mark;
    // doubled, it shows as written.
    m_controls.window->setWindowTitle(QString(caption).replace(u"[*]"_s, u"[*][*]"_s));
}

void MainBoard::setAnswerText(int button, const QString& text)
{
    m_controls.answers.at(button)->setMeaning(text);
}

QString MainBoard::answerText(int button) const
{
    return m_controls.answers.at(button)->meaning();
}

void MainBoard::setAnswerVisible(int button, bool visible)
{
    m_controls.answers.at(button)->setVisible(visible);
}

void MainBoard::setAnswerEnabled(int button, bool enabled)
{
    m_controls.answers.at(button)->setEnabled(enabled);
}

void MainBoard::setEnglishText(const QString& text)
{
    m_controls.english->setText(text);
}

void MainBoard::setShownAnswer(const QString& text)
{
    m_controls.shownAnswer->setText(text);
}

QString MainBoard::shownAnswer() const
{
    return m_controls.shownAnswer->text();
}

void MainBoard::setQuestNumText(const QString& text)
{
    m_controls.questNum->setText(text);
}

void MainBoard::setCorrectNumText(const QString& text)
{
    m_controls.correctNum->setText(text);
}

void MainBoard::setWrongNumText(const QString& text)
{
    m_controls.wrongNum->setText(text);
}

void MainBoard::setCircleVisible(bool visible)
{
    m_controls.circle->setVisible(visible);
}

void MainBoard::setNextEnabled(bool enabled)
{
    m_controls.next->setEnabled(enabled);
}

void MainBoard::setListenAgainEnabled(bool enabled)
{
    m_controls.listenAgain->setEnabled(enabled);
}

bool MainBoard::isRandomOrderOn() const
{
    return m_controls.randomOn->isChecked();
}

bool MainBoard::isEnglishOn() const
{
    return m_controls.englishOn->isChecked();
}

bool MainBoard::isEnglishOff() const
{
    return m_controls.englishOff->isChecked();
}

void MainBoard::checkChoiceCount(int count)
{
    if (QAbstractButton* button = m_controls.choiceCounts->button(count))
        button->setChecked(true);
}

void MainBoard::showMessage(const QString& text)
{
    vocarin::showMessage(text);
}

void MainBoard::closeMainWindow()
{
    m_controls.window->close();
}

} // namespace vocarin
