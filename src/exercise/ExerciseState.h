#pragma once

#include "course/StringList.h"

#include <QString>

#include <array>

namespace vocarin {

// Everything an exercise run works on. One record, owned by the exercise,
// never copied. Before the first course load every number is 0 and every list
// and text empty. The preferred voice's place is kept with the voice list.
struct ExerciseState
{
    StringList QuestionList; // English words; index n-1 is word number n
    StringList AnswerList;   // Japanese meanings, parallel to QuestionList
    StringList QNumList;     // the question order: word numbers as decimal text
    StringList CQList;       // English texts on the current buttons; 0 is the asked word
    StringList OptionList;   // lines of the loaded course's option file
    StringList CJList;       // meanings parallel to CQList; 0 is the correct one

    qint32 WrongNum = 0;
    qint32 CorrectNum = 0;
    qint32 CurrentNum = 0; // 1-based position in QNumList
    qint32 AllQuestNum = 0;
    qint32 NewChk = 0; // 0 until the current question's first answer
    qint32 SelectNum = 0;
    std::array<qint32, 6> QuestionPart{}; // QuestionPart[k-1]: CJList entry + 1 on button k

    QString AnsCheckString;
    QString TempWord;
};

} // namespace vocarin
