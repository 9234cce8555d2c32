#include "ExerciseDoubles.h"

using namespace Qt::StringLiterals;

namespace vocarin::testkit {

namespace {

QString onOff(bool on)
{
    return on ? u"on"_s : u"off"_s;
}

} // namespace

QStringList EventLog::only(const QStringList& prefixes) const
{
    QStringList picked;
    for (const QString& entry : m_entries) {
        for (const QString& prefix : prefixes) {
            if (entry.startsWith(prefix)) {
                picked.append(entry);
                break;
            }
        }
    }
    return picked;
}

const AnswerButton& FakeBoard::at(int button) const
{
    if (button < 1 || button > int(buttons.size()))
        throw std::out_of_range("answer button number outside 1 to 6");
    return buttons[button - 1];
}

AnswerButton& FakeBoard::mutableAt(int button)
{
    return const_cast<AnswerButton&>(at(button));
}

void FakeBoard::setLabel(QString& label, const QString& name, const QString& text)
{
    label = text;
    m_log.add(name + u':' + text);
}

void FakeBoard::setFlag(bool& flag, const QString& name, bool on)
{
    flag = on;
    m_log.add(name + u':' + onOff(on));
}

void FakeBoard::setCaption(const QString& text)
{
    setLabel(caption, u"caption"_s, text);
}

void FakeBoard::setAnswerText(int button, const QString& text)
{
    mutableAt(button).text = text;
    m_log.add(u"text%1:"_s.arg(button) + text);
}

void FakeBoard::setAnswerVisible(int button, bool visible)
{
    mutableAt(button).visible = visible;
    m_log.add((visible ? u"show%1"_s : u"hide%1"_s).arg(button));
}

void FakeBoard::setAnswerEnabled(int button, bool enabled)
{
    mutableAt(button).enabled = enabled;
    m_log.add((enabled ? u"enable%1"_s : u"disable%1"_s).arg(button));
}

void FakeBoard::setEnglishText(const QString& text)
{
    setLabel(lbEnglish, u"lbEnglish"_s, text);
}

void FakeBoard::setShownAnswer(const QString& text)
{
    setLabel(lbJap, u"lbJap"_s, text);
}

void FakeBoard::setQuestNumText(const QString& text)
{
    setLabel(lbQuestNum, u"lbQuestNum"_s, text);
}

void FakeBoard::setCorrectNumText(const QString& text)
{
    setLabel(lbCorrectNum, u"lbCorrectNum"_s, text);
}

void FakeBoard::setWrongNumText(const QString& text)
{
    setLabel(lbWrongNum, u"lbWrongNum"_s, text);
}

void FakeBoard::setCircleVisible(bool visible)
{
    setFlag(circle, u"circle"_s, visible);
}

void FakeBoard::setNextEnabled(bool enabled)
{
    setFlag(next, u"next"_s, enabled);
}

void FakeBoard::setListenAgainEnabled(bool enabled)
{
    setFlag(listenAgain, u"listen"_s, enabled);
}

void FakeBoard::checkChoiceCount(int count)
{
    checkedChoice = count;
    m_log.add(u"check:"_s + QString::number(count));
}

void FakeBoard::showMessage(const QString& text)
{
    messages.append(text);
    m_log.add(u"message:"_s + text);
}

void FakeBoard::closeMainWindow()
{
    closed = true;
    m_log.add(u"close"_s);
}

QStringList FakeBoard::visibleAnswers() const
{
    QStringList texts;
    for (const AnswerButton& button : buttons) {
        if (button.visible)
            texts.append(button.text);
    }
    return texts;
}

void RecordingSpeaker::speak(const QString& text)
{
    spoken.append(text);
    m_log.add(u"speak:"_s + text);
}

void RecordingCuePlayer::play(Cue cue)
{
    switch (cue) {
    case Cue::Pu:
        m_log.add(u"cue:Pu"_s);
        break;
    case Cue::PingPong:
        m_log.add(u"cue:PingPong"_s);
        break;
    case Cue::Bubuu:
        m_log.add(u"cue:Bubuu"_s);
        break;
    }
}

qint32 ScriptedRandom::Random(qint32 n)
{
    asked.append(n);
    m_log.add(u"random:"_s + QString::number(n));
    if (m_script.isEmpty())
        throw ScriptExhausted("Random(" + std::to_string(n) + ") drawn past the end of the script");
    const qint32 value = m_script.takeFirst();
    if (value < 0 || value >= n)
        throw std::logic_error("scripted value " + std::to_string(value) + " is outside Random(" +
                               std::to_string(n) + ")");
    return value;
}

void Rig::setCourse(const QStringList& english, const QStringList& meanings, qint32 selectNum)
{
    ExerciseState& s = exercise.state();
    s.QuestionList.clear();
    s.AnswerList.clear();
    for (const QString& word : english)
        s.QuestionList.add(word);
    for (const QString& meaning : meanings)
        s.AnswerList.add(meaning);
    s.AllQuestNum = qint32(english.size());
    s.SelectNum = selectNum;
}

void Rig::setNumberedCourse(int count, qint32 selectNum)
{
    setCourse(numbered(u"w"_s, count), numbered(u"m"_s, count), selectNum);
}

QStringList numbered(const QString& stem, int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list.append(stem + QString::number(i));
    return list;
}

} // namespace vocarin::testkit
