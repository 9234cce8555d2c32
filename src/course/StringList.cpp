#include "course/StringList.h"

#include "core/Fault.h"
#include "course/CourseText.h"

namespace vocarin {

const QString& StringList::get(qsizetype index) const
{
    if (index < 0 || index >= m_lines.size())
        throw ListIndexFault(index);
    return m_lines.at(index);
}

void StringList::put(qsizetype index, const QString& line)
{
    if (index < 0 || index >= m_lines.size())
        throw ListIndexFault(index);
    m_lines[index] = line;
}

void StringList::loadFromFile(const QString& path)
{
    m_lines = readCourseText(path).lines;
}

} // namespace vocarin
