#pragma once

#include "course/CourseRecordings.h"

#include <QString>

namespace vocarin {

class Speaker
{
public:
    virtual ~Speaker() = default;
    // Returns when the text has been spoken.
    virtual void speak(const QString& text) = 0;
    // A word of the loaded course: from its recording when it has one, else
    // as speak(). Returns when the word has been heard.
    virtual void speakWord(const QString& word) { speak(word); }
    // The word as speakWord says it, slower: a slow replay. A speaker that
    // cannot slow it down says it as speakWord does.
    virtual void speakWordSlowly(const QString& word) { speakWord(word); }
    // The loaded course's recordings, from the course load on. A speaker that
    // only speaks (as in benchmarks and most tests) has no use for them.
    virtual void setRecordings(CourseRecordings) {}
};

} // namespace vocarin
