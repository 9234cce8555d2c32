#pragma once

#include "course/CourseLoad.h"

#include <QString>

namespace vocarin::tools {

// Pieces of the tools' messages to teachers.

inline QString quoted(const QString& text)
{
    return u"「" + text + u"」";
}

// Course file names are written the Windows way; show them the way of this system.
inline QString shownName(const QString& name)
{
    return QString(name).replace(u'\\', u'/');
}

inline QString tooFewWordsText(qsizetype words)
{
    return QStringLiteral("単語が %1 個しかありません。単語を%2つ以上にしてください。")
        .arg(words)
        .arg(minimumWordCount);
}

} // namespace vocarin::tools
