#pragma once

#include <QDir>
#include <QStringList>

namespace vocarin {

class StringList;

// Parallel lists: titles[i] belongs to folders[i].
struct CourseCatalogue
{
    QStringList titles;
    QStringList folders; // course folder paths below the root: ".\" or ".\name\"
};

// Finds the courses in root and its direct subfolders. Each
// option file read goes through optionList, which afterwards holds the last
// one read (the option list of the exercise state).
CourseCatalogue discoverCourses(const QDir& root, StringList& optionList);

} // namespace vocarin
