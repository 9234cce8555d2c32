#pragma once

#include <QStringList>

namespace vocarin {

class StringList;

// Parallel lists: titles[i] belongs to folders[i].
struct CourseCatalogue
{
    QStringList titles;
    QStringList folders; // course folder paths: ".\" or ".\name\"
};

// Finds the courses in the working folder and its direct subfolders. Each
// option file read goes through optionList, which afterwards holds the last
// one read (the option list of the exercise state).
CourseCatalogue discoverCourses(StringList& optionList);

} // namespace vocarin
