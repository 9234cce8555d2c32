#include "course/CourseLoad.h"

#include "course/ChoiceCount.h"
#include "course/CoursePaths.h"
#include "course/StringList.h"
#include "exercise/ExerciseState.h"

namespace vocarin {

LoadOutcome loadCourse(const QString& subDirectory, ExerciseState& state, CourseWindow& window)
{
    state.OptionList.loadFromFile(resolveCoursePath(subDirectory + u"Option.txt"));

    const QString& third = state.OptionList.get(2);
    const bool formatMarker = third == u"wav" || third == u"mp3";
    state.SelectNum = parseChoiceCount(state.OptionList.get(formatMarker ? 3 : 2));

    window.setCaption(state.OptionList.get(0));

    const QString prefix = state.OptionList.get(1);
    // The word and meaning lists are replaced together: a run left with the new
    // words beside the old meanings would teach wrong pairs when the learner
    // closes the course dialog after a failed load.
    StringList words;
    words.loadFromFile(resolveCoursePath(subDirectory + prefix + u"E.txt"));
    state.AnswerList.loadFromFile(resolveCoursePath(subDirectory + prefix + u"J.txt"));
    state.QuestionList = std::move(words);
    state.AllQuestNum = qint32(state.QuestionList.count());

    return state.AllQuestNum < 3 ? LoadOutcome::TooFewWords : LoadOutcome::Loaded;
}

} // namespace vocarin
