#include "course/CourseLoad.h"

#include "course/ChoiceCount.h"
#include "course/CoursePaths.h"

namespace vocarin {

StringList readOptionFile(const QString& subDirectory)
{
    StringList optionList;
    optionList.loadFromFile(resolveCoursePath(subDirectory + u"Option.txt"));
    return optionList;
}

bool isFormatMarker(const QString& line)
{
    return line == u"wav" || line == u"mp3";
}

qint32 choiceCount(const StringList& optionList)
{
    return parseChoiceCount(optionList.get(isFormatMarker(optionList.get(2)) ? 3 : 2));
}

const QString& courseTitle(const StringList& optionList)
{
    return optionList.get(0);
}

const QString& listPrefix(const StringList& optionList)
{
    return optionList.get(1);
}

CourseLists readCourseLists(const QString& subDirectory, const QString& prefix)
{
    CourseLists lists;
    lists.words.loadFromFile(resolveCoursePath(subDirectory + prefix + u"E.txt"));
    lists.meanings.loadFromFile(resolveCoursePath(subDirectory + prefix + u"J.txt"));
    return lists;
}

Course readCourse(const QString& subDirectory)
{
    Course course;
    course.options = readOptionFile(subDirectory);
    course.choiceCount = choiceCount(course.options);
    course.title = courseTitle(course.options);
    course.lists = readCourseLists(subDirectory, listPrefix(course.options));
    return course;
}

} // namespace vocarin
