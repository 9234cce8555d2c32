#include "course/CoursePaths.h"

#include <QDir>
#include <QFileInfo>

namespace vocarin {

namespace {

QString findIgnoringCase(const QString& folder, const QString& name)
{
    const QStringList entries =
        QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

QString resolveCoursePath(const QString& windowsPath)
{
    QString exact = windowsPath;
    exact.replace(u'\\', u'/');
    if (QFileInfo::exists(exact))
        return exact;

    const QStringList components = exact.split(u'/');
    QString resolved;
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString& component = components.at(i);
        QString name = component;
        const bool special = component.isEmpty() || component == u"." || component == u"..";
        if (!special && !QFileInfo::exists(resolved + component)) {
            name = findIgnoringCase(resolved, component);
            if (name.isEmpty())
                return exact;
        }
        resolved += name;
        if (i + 1 < components.size())
            resolved += u'/';
    }
    return resolved;
}

} // namespace vocarin
