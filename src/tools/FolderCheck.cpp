#include "tools/FolderCheck.h"

#include "course/CourseDiscovery.h"
#include "course/CourseLoad.h"
#include "course/StringList.h"
#include "tools/CourseCheck.h"
#include "tools/ProblemText.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

CourseReport folderProblem(const QString& folder, const QString& kind, const QString& message)
{
    CourseReport report;
    report.folder = folder;
    report.problems.append({Severity::Fault, kind, QString(), 0, message});
    return report;
}

// The courses the program would find when started in folder.
QList<CourseReport> checkFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return {folderProblem(folder, u"folder-missing"_s, u"フォルダーがありません。"_s)};
    // What starting the program there needs: the right to enter the folder.
    if (!info.isExecutable())
        return {folderProblem(folder, u"folder-unreadable"_s, u"フォルダーを開けません。"_s)};
    const QDir root(folder);
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(root, optionList);
    if (catalogue.folders.isEmpty())
        return {folderProblem(
            folder, u"no-course"_s,
            u"コースが見つかりません（Option.txt のあるフォルダーがありません）。"_s)};
    QList<CourseReport> reports;
    for (qsizetype i = 0; i < catalogue.folders.size(); ++i) {
        const QString& subDirectory = catalogue.folders.at(i);
        reports.append(checkCourse({root, subDirectory},
                                   QDir::cleanPath(folder + u'/' + shownName(subDirectory))));
        const qsizetype same = catalogue.titles.indexOf(catalogue.titles.at(i));
        if (same < i)
            reports.last().problems.prepend(
                {Severity::Warning, u"duplicate-title"_s, optionFileName, 1,
                 u"コース名%1は %2 と同じです。コースの一覧で見分けがつきません。"_s.arg(
                     quoted(catalogue.titles.at(i)), reports.at(same).folder)});
    }
    return reports;
}

} // namespace

QList<CourseReport> checkFolders(const QStringList& folders)
{
    if (folders.isEmpty())
        return checkFolder(u"."_s);
    QList<CourseReport> reports;
    for (const QString& folder : folders)
        reports.append(checkFolder(folder));
    return reports;
}

} // namespace vocarin::tools
