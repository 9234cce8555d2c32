#include "course/CourseDiscovery.h"

#include "core/Fault.h"
#include "course/CourseLoad.h"
#include "course/CoursePaths.h"
#include "course/StringList.h"

#include <QCollator>
#include <QFileInfo>

#include <algorithm>

namespace vocarin {

namespace {

// Line 1 of the option file. An option file that cannot be read, cannot be
// decoded or is empty still lists the course, under its folder's name, so the
// learner finds it and choosing it shows the load's own fault.
QString courseTitle(const QString& optionFile, const QString& folderName, StringList& optionList)
{
    try {
        optionList.loadFromFile(optionFile);
        if (optionList.count() > 0)
            return optionList.get(0);
    } catch (const Fault&) {
    }
    return folderName;
}

void addCourse(CourseCatalogue& catalogue, const CourseFolder& course, const QString& folderName,
               StringList& optionList)
{
    const QString optionFile = course.filePath(optionFileName);
    if (!QFileInfo(optionFile).isFile())
        return;
    catalogue.titles.append(courseTitle(optionFile, folderName, optionList));
    catalogue.folders.append(course.path);
}

// The platform lists folders in no stable order; sort them as a person would,
// with numbers compared as numbers ("day2" before "day10"). A fixed locale
// keeps the order the same whatever the environment says; the C locale would
// turn the numeric mode off.
QStringList subfolderNames(const QDir& root)
{
    QStringList names =
        root.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

} // namespace

CourseCatalogue discoverCourses(const QDir& root, StringList& optionList)
{
    CourseCatalogue catalogue;
    // Named as the system names the folder, links followed.
    addCourse(catalogue, {root, QStringLiteral(".\\")}, QDir(root.canonicalPath()).dirName(),
              optionList);
    for (const QString& name : subfolderNames(root))
        addCourse(catalogue, {root, u".\\" + name + u'\\'}, name, optionList);
    return catalogue;
}

} // namespace vocarin
