#include "exercise/Exercise.h"

#include "course/ChoiceCount.h"
#include "course/CourseLoad.h"
#include "course/CourseRecordings.h"
#include "exercise/Board.h"
#include "exercise/CuePlayer.h"
#include "exercise/RandomSource.h"
#include "exercise/Speaker.h"

#include <QStringView>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

constexpr std::array<QStringView, 8> kPraise{
    u"Excellent!", u"Correct!", u"Great!", u"Right!", u"Well Done!", u"OK!", u"Amazing!", u"Bingo!",
};

QString questNumText(qint32 current, qint32 all)
{
    return u"問題番号： "_s + QString::number(current) + u'/' + QString::number(all);
}

QString correctNumText(qint32 count)
{
    return u"正解数： "_s + QString::number(count);
}

QString wrongNumText(qint32 count)
{
    return u"誤答数： "_s + QString::number(count);
}

// A fixed number of swaps over the whole range, not a shrinking one.
template <typename Swap> void shuffleBySwaps(RandomSource& random, qint32 count, Swap swap)
{
    for (qint32 i = 0; i < count; ++i)
        swap(i, random.Random(count));
}

} // namespace

Exercise::Exercise(Board& board, Speaker& speaker, CuePlayer& cues, RandomSource& random,
                   const QDir& courseRoot)
    : m_board(board), m_speaker(speaker), m_cues(cues), m_random(random), m_courseRoot(courseRoot)
{
}

void Exercise::InitialGame(const QString& subDirectory)
{
    if (loadCourse(subDirectory) == LoadOutcome::TooFewWords) {
        m_board.showMessage(tooFewWordsMessage());
        m_board.closeMainWindow();
        return;
    }
    beginRun();
}

LoadOutcome Exercise::loadCourse(const QString& subDirectory)
{
    // Read whole before anything changes: a course that fails part-way would
    // otherwise leave its title and choice count over the words still drilled.
    const CourseFolder folder{m_courseRoot, subDirectory};
    Course course = readCourse(folder);
    m_state.OptionList = std::move(course.options);
    m_state.SelectNum = course.choiceCount;
    m_board.setCaption(course.title);
    m_state.QuestionList = std::move(course.lists.words);
    m_state.AnswerList = std::move(course.lists.meanings);
    m_speaker.setRecordings(findRecordings(folder, m_state.OptionList));
    m_state.AllQuestNum = qint32(m_state.QuestionList.count());
    return m_state.AllQuestNum < minimumWordCount ? LoadOutcome::TooFewWords : LoadOutcome::Loaded;
}

void Exercise::beginRun()
{
    m_round.clear();
    m_mistakes.clear();
    resetStatus();
    buildOrder();
    goToRoundStart();
    m_board.setCircleVisible(false);
    StartGame();
}

bool Exercise::hasRun() const
{
    // A load that found too few words changes AllQuestNum without building an order.
    return m_state.AllQuestNum >= minimumWordCount &&
           m_state.QNumList.count() == m_state.AllQuestNum;
}

void Exercise::buildOrder()
{
    StringList& order = m_state.QNumList;
    const qint32 all = m_state.AllQuestNum;
    order.clear();
    for (qint32 word = 1; word <= all; ++word)
        order.add(QString::number(word));
    if (!m_board.isRandomOrderOn())
        return;
    shuffleBySwaps(m_random, all, [&order](qint32 i, qint32 r) {
        const qint32 atR = order.get(r).toInt();
        order.put(r, QString(order.get(i)));
        order.put(i, QString::number(atR));
    });
}

void Exercise::resetStatus()
{
    m_state.CorrectNum = 0;
    m_state.WrongNum = 0;
    m_board.setQuestNumText(questNumText(1, roundLength()));
    m_board.setCorrectNumText(correctNumText(0));
    m_board.setWrongNumText(wrongNumText(0));
}

void Exercise::restartRun()
{
    m_round.clear();
    m_mistakes.clear();
    buildOrder();
    goToRoundStart();
    resetStatus();
    m_board.setCircleVisible(false);
    m_board.setNextEnabled(false);
    StartGame();
}

void Exercise::goToRoundStart()
{
    m_roundIndex = 1;
    m_state.CurrentNum = m_round.isEmpty() ? 1 : m_round.first();
}

qint32 Exercise::roundPosition() const
{
    return m_round.isEmpty() ? m_state.CurrentNum : m_roundIndex;
}

qint32 Exercise::roundLength() const
{
    return m_round.isEmpty() ? m_state.AllQuestNum : qint32(m_round.size());
}

qint32 Exercise::wordAt(qint32 position) const
{
    return m_state.QNumList.get(position - 1).toInt();
}

const QString& Exercise::englishOf(qint32 word) const
{
    return m_state.QuestionList.get(word - 1);
}

const QString& Exercise::meaningOf(qint32 word) const
{
    return m_state.AnswerList.get(word - 1);
}

void Exercise::StartGame()
{
    ExerciseState& s = m_state;
    m_board.setNextEnabled(false);
    for (int k = 1; k <= mostChoices; ++k) {
        m_board.setAnswerVisible(k, false);
        s.QuestionPart[k - 1] = k;
    }
    const qint32 word = wordAt(s.CurrentNum);
    if (m_board.isEnglishOn())
        m_board.setEnglishText(englishOf(word));
    s.AnsCheckString = meaningOf(word);
    s.TempWord = englishOf(word);
    s.CQList.clear();
    s.CJList.clear();
    drawChoices(word);
    if (hasAnswerButtons(s.SelectNum))
        m_board.checkChoiceCount(s.SelectNum);
    arrangeButtons();
    for (qint32 k = 1; k <= s.CQList.count(); ++k) {
        m_board.setAnswerText(k, s.CJList.get(s.QuestionPart[k - 1] - 1));
        m_board.setAnswerVisible(k, true);
        m_board.setAnswerEnabled(k, true);
    }
    m_board.setShownAnswer(QString());
    s.NewChk = 0;
    m_speaker.speakWord(s.TempWord);
    m_board.setListenAgainEnabled(true);
}

void Exercise::drawChoices(qint32 currentWord)
{
    ExerciseState& s = m_state;
    if (!hasAnswerButtons(s.SelectNum))
        return;
    place(currentWord);
    if (s.SelectNum == 2) {
        // Any other position will do, even one with the same English text.
        qint32 position = 0;
        do
            position = m_random.Random(s.AllQuestNum) + 1;
        while (position == s.CurrentNum);
        place(wordAt(position));
        return;
    }
    // Counted before drawing so that the draws below always end: a course with
    // fewer different words than the choice count gets fewer buttons.
    const qint32 distractors = distinctOthersUpTo(currentWord, s.SelectNum - 1);
    for (qint32 placed = 0; placed < distractors; ++placed) {
        for (;;) {
            const qint32 position = m_random.Random(s.AllQuestNum) + 1;
            if (position == s.CurrentNum)
                continue;
            const qint32 word = wordAt(position);
            if (s.CQList.lines().contains(englishOf(word)))
                continue;
            place(word);
            break;
        }
    }
}

void Exercise::place(qint32 word)
{
    m_state.CQList.add(englishOf(word));
    m_state.CJList.add(meaningOf(word));
}

qint32 Exercise::distinctOthersUpTo(qint32 currentWord, qint32 wanted) const
{
    const QStringList& words = m_state.QuestionList.lines();
    const QString& current = englishOf(currentWord);
    // Words past the end of the list can only fault when drawn; they are not counted.
    const qint32 last = qMin<qint32>(m_state.AllQuestNum, qint32(words.size()));
    std::array<const QString*, mostChoices> found{};
    qint32 count = 0;
    for (qint32 word = 1; word <= last && count < wanted; ++word) {
        const QString& english = words.at(word - 1);
        if (word == currentWord || english == current)
            continue;
        if (std::none_of(found.begin(), found.begin() + count,
                         [&](const QString* f) { return *f == english; }))
            found[count++] = &english;
    }
    return count;
}

void Exercise::arrangeButtons()
{
    auto& part = m_state.QuestionPart;
    const qint32 n = qint32(m_state.CQList.count());
    // A fixed number of swaps over all n places, not a shrinking range.
    for (qint32 k = 1; k <= n; ++k) {
        const qint32 r = m_random.Random(n) + 1;
        std::swap(part[k - 1], part[r - 1]);
    }
}

void Exercise::btnResetClick()
{
    if (!hasRun())
        return;
    m_mistakes.clear();
    goToRoundStart();
    resetStatus();
    m_board.setCircleVisible(false);
    StartGame();
}

void Exercise::btnWord1Click(int button)
{
    ExerciseState& s = m_state;
    m_cues.play(Cue::Pu);
    m_board.setShownAnswer(m_board.answerText(button));
    m_board.setAnswerEnabled(button, false);
    if (m_board.shownAnswer() == s.AnsCheckString) {
        m_board.setCircleVisible(true);
        const qint32 r = m_random.Random(qint32(kPraise.size()));
        m_cues.play(Cue::PingPong);
        m_speaker.speak(kPraise.at(r).toString());
        if (s.NewChk == 0) {
            ++s.CorrectNum;
            m_board.setCorrectNumText(correctNumText(s.CorrectNum));
        }
        m_board.setNextEnabled(true);
    } else {
        m_cues.play(Cue::Bubuu);
        m_speaker.speak(u"No!"_s);
        if (s.NewChk == 0) {
            m_mistakes.append(s.CurrentNum);
            ++s.WrongNum;
            m_board.setWrongNumText(wrongNumText(s.WrongNum));
        }
    }
    s.NewChk = 1;
}

void Exercise::btnNextClick()
{
    ExerciseState& s = m_state;
    if (!hasRun())
        return;
    if (roundPosition() == roundLength()) {
        m_board.setCircleVisible(false);
        m_board.setNextEnabled(false);
        if (s.CorrectNum == roundLength()) {
            m_speaker.speak(u"Congratulation!! You are PERFECT!!"_s);
            m_board.showMessage(u"おめでとうございます!! パーフェクトです!!"_s);
        } else {
            m_speaker.speak(u"Good work! You have finished word exercise."_s);
            m_board.showMessage(u"おつかれさまです。単語の練習を終了しました。"_s);
        }
        return;
    }
    if (m_round.isEmpty())
        ++s.CurrentNum;
    else
        s.CurrentNum = m_round.at(m_roundIndex++);
    m_board.setQuestNumText(questNumText(roundPosition(), roundLength()));
    m_board.setCircleVisible(false);
    m_board.setNextEnabled(false);
    StartGame();
}

void Exercise::bbtnListenAgainClick()
{
    m_speaker.speakWord(m_state.TempWord);
}

void Exercise::listenAgainSlowly()
{
    m_speaker.speakWordSlowly(m_state.TempWord);
}

void Exercise::rbItemClick(int count)
{
    m_state.SelectNum = count;
    if (!hasRun()) {
        m_board.checkChoiceCount(count);
        return;
    }
    rbRndOffChange();
}

void Exercise::rbRndOffChange()
{
    ExerciseState& s = m_state;
    if (!hasRun())
        return;
    if (s.SelectNum > s.AllQuestNum) {
        // Lowered for the next question; the one on screen keeps its buttons.
        // Only a word count below the most choices: a larger count from the
        // option file stays as it is.
        if (s.AllQuestNum >= minimumWordCount && s.AllQuestNum < mostChoices) {
            s.SelectNum = s.AllQuestNum;
            m_board.checkChoiceCount(s.AllQuestNum);
        }
        return;
    }
    restartRun();
}

void Exercise::rbEnglishOnChange()
{
    if (m_board.isEnglishOff())
        m_board.setEnglishText(QString());
    else if (m_board.isEnglishOn())
        m_board.setEnglishText(hasRun() ? englishOf(wordAt(m_state.CurrentNum)) : QString());
}

void Exercise::startMistakesRound()
{
    if (!hasRun() || m_mistakes.isEmpty()) {
        m_board.showMessage(u"間違えた単語はありません。"_s);
        return;
    }
    m_round = std::exchange(m_mistakes, {});
    if (m_board.isRandomOrderOn())
        shuffleBySwaps(m_random, qint32(m_round.size()),
                       [this](qint32 i, qint32 r) { m_round.swapItemsAt(i, r); });
    goToRoundStart();
    resetStatus();
    m_board.setCircleVisible(false);
    m_board.setNextEnabled(false);
    StartGame();
}

void Exercise::releaseLists()
{
    for (StringList* list : {&m_state.QuestionList, &m_state.AnswerList, &m_state.QNumList,
                             &m_state.CQList, &m_state.OptionList, &m_state.CJList})
        list->clear();
}

} // namespace vocarin
