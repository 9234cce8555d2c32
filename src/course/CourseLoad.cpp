#include "course/CourseLoad.h"

#include "course/ChoiceCount.h"

namespace vocarin {

StringList readOptionFile(const CourseFolder& course)
{
    StringList optionList;
    optionList.loadFromFile(course.filePath(optionFileName));
    return optionList;
}

bool isFormatMarker(const QString& line)
{
    return line == u"wav" || line == u"mp3";
}

qsizetype choiceCountLine(const StringList& optionList)
{
    return isFormatMarker(optionList.get(2)) ? 4 : 3;
}

qint32 choiceCount(const StringList& optionList)
{
    return parseChoiceCount(optionList.get(choiceCountLine(optionList) - 1));
}

const QString& courseTitle(const StringList& optionList)
{
    return optionList.get(0);
}

const QString& listPrefix(const StringList& optionList)
{
    return optionList.get(1);
}

CourseLists readCourseLists(const CourseFolder& course, const QString& prefix)
{
    CourseLists lists;
    lists.words.loadFromFile(course.filePath(wordListName(prefix)));
    lists.meanings.loadFromFile(course.filePath(meaningListName(prefix)));
    return lists;
}

Course readCourse(const CourseFolder& course)
{
    Course read;
    read.options = readOptionFile(course);
    read.choiceCount = choiceCount(read.options);
    read.title = courseTitle(read.options);
    read.lists = readCourseLists(course, listPrefix(read.options));
    return read;
}

} // namespace vocarin
