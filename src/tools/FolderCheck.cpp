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

// A course folder put one level too deep ("一年生/day1") is never found by the
// program. The shallowest option file below the direct subfolders, as a path
// from root; empty when there is none. Looked for level by level, in name
// order, without following links or entering hidden folders, among a bounded
// number of folders so that a home folder is not searched through.
QString nearestDeeperOptionFile(const QDir& root)
{
    constexpr qsizetype maxFolders = 5000;
    constexpr int maxDepth = 4;
    const auto subfolders = [&root](const QString& path) {
        QStringList names =
            QDir(root.filePath(path))
                .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
        for (QString& name : names)
            name = path.isEmpty() ? name : path + u'/' + name;
        return names;
    };
    QStringList level = subfolders(QString());
    qsizetype seen = level.size();
    for (int depth = 2; depth <= maxDepth && !level.isEmpty(); ++depth) {
        QStringList next;
        for (const QString& parent : std::as_const(level)) {
            for (const QString& folder : subfolders(parent)) {
                // Matched without regard to case, as the program matches it.
                const QStringList option =
                    QDir(root.filePath(folder)).entryList({optionFileName}, QDir::Files);
                if (!option.isEmpty())
                    return folder + u'/' + option.first();
                next.append(folder);
                if (++seen >= maxFolders)
                    return {};
            }
        }
        level = next;
    }
    return {};
}

// Where a course is to go, when the program started in folder finds none.
QString noCourseText(const QString& folder, const QDir& root)
{
    // Named whole: "." says nothing in a sentence.
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString shownFolder = quoted(absolute);
    const QString rule = u"Vocarin が読むのは、始めたフォルダー%1の Option.txt と、"
                         u"そのすぐ下のフォルダーの Option.txt だけです。"_s.arg(shownFolder);
    const QString nearest = nearestDeeperOptionFile(root);
    if (nearest.isEmpty())
        return u"コースが見つかりません。"_s + rule +
               u"コース（Option.txt と単語の一覧。vocarin-course make で作れます）を%1か、"
               u"そのすぐ下のフォルダーに置いてください。"_s.arg(shownFolder);
    const QString courseFolder = QFileInfo(nearest).path();
    return u"コースが見つかりません。いちばん近い Option.txt は%1にありますが、深すぎます。"_s.arg(
               quoted(nearest)) +
           rule +
           u"%1フォルダーを%2のすぐ下に移すか、Vocarin を%3で始めてください。"_s.arg(
               quoted(QFileInfo(courseFolder).fileName()), shownFolder,
               quoted(absolute + u'/' + QFileInfo(courseFolder).path()));
}

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
        return {folderProblem(folder, u"folder-missing"_s,
                              u"フォルダーがありません。フォルダーの名前を確かめてください。"_s)};
    // What starting the program there needs: the right to enter the folder.
    if (!info.isExecutable())
        return {folderProblem(folder, u"folder-unreadable"_s,
                              u"フォルダーを開けません。フォルダーを開く権限があるか"
                              u"確かめてください。"_s)};
    const QDir root(folder);
    StringList optionList;
    const CourseCatalogue catalogue = discoverCourses(root, optionList);
    if (catalogue.folders.isEmpty())
        return {folderProblem(folder, u"no-course"_s, noCourseText(folder, root))};
    QList<CourseReport> reports;
    for (qsizetype i = 0; i < catalogue.folders.size(); ++i) {
        const QString& subDirectory = catalogue.folders.at(i);
        reports.append(checkCourse({root, subDirectory},
                                   QDir::cleanPath(folder + u'/' + shownName(subDirectory))));
        const qsizetype same = catalogue.titles.indexOf(catalogue.titles.at(i));
        // Blank titles are errors of their own.
        if (same < i && !catalogue.titles.at(i).trimmed().isEmpty())
            reports.last().problems.prepend(
                {Severity::Warning, u"duplicate-title"_s, optionFileName, 1,
                 u"コース名%1は %2 と同じです。コースの一覧で見分けがつきません。どちらかの"
                 u"コース名を変えてください。"_s.arg(quoted(catalogue.titles.at(i)),
                                                     reports.at(same).folder)});
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
