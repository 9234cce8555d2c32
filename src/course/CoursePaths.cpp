#include "course/CoursePaths.h"

#include <QFileInfo>

namespace vocarin {

namespace {

QString findIgnoringCase(const QString& folder, const QString& name)
{
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

QString resolveCoursePath(const QDir& root, const QString& windowsPath)
{
    const QString relative = QString(windowsPath).replace(u'\\', u'/');
    const QString exact = root.filePath(relative);
    if (QFileInfo::exists(exact))
        return exact;

    const QStringList components = relative.split(u'/');
    QString resolved; // relative to root, ending in "/" after each folder
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString& component = components.at(i);
        QString name = component;
        const bool special = component.isEmpty() || component == u"." || component == u"..";
        if (!special && !QFileInfo::exists(root.filePath(resolved + component))) {
            name = findIgnoringCase(resolved.isEmpty() ? root.path() : root.filePath(resolved),
                                    component);
            if (name.isEmpty())
                return exact;
        }
        resolved += name;
        if (i + 1 < components.size())
            resolved += u'/';
    }
    return root.filePath(resolved);
}

} // namespace vocarin
