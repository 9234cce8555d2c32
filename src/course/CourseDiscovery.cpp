#include "course/CourseDiscovery.h"

#include "course/CoursePaths.h"
#include "course/Fault.h"
#include "course/StringList.h"

#include <QCollator>
#include <QDir>
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

void addCourse(CourseCatalogue& catalogue, const QString& courseFolder, const QString& folderName,
               StringList& optionList)
{
    const QString optionFile = resolveCoursePath(courseFolder + u"Option.txt");
    if (!QFileInfo(optionFile).isFile())
        return;
    catalogue.titles.append(courseTitle(optionFile, folderName, optionList));
    catalogue.folders.append(courseFolder);
}

// The platform lists folders in no stable order; sort them as a person would,
// with numbers compared as numbers ("day2" before "day10"). A fixed locale
// keeps the order the same whatever the environment says; the C locale would
// turn the numeric mode off.
QStringList subfolderNames()
{
    QStringList names =
        QDir::current().entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

} // namespace

CourseCatalogue discoverCourses(StringList& optionList)
{
    CourseCatalogue catalogue;
    addCourse(catalogue, QStringLiteral(".\\"), QDir::current().dirName(), optionList);
    for (const QString& name : subfolderNames())
        addCourse(catalogue, u".\\" + name + u'\\', name, optionList);
    return catalogue;
}

} // namespace vocarin
