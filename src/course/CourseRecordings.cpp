#include "course/CourseRecordings.h"

#include "course/CourseLoad.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vocarin {

namespace {

// File systems hold names of at most 255 bytes, or UTF-16 units on Windows.
constexpr qsizetype kLongestFileName = 255;

// The course folder's own subfolder for recordings, in whatever case it is written.
QString recordingFolder(const QDir& course)
{
    if (QFileInfo(course.filePath(recordingFolderName)).isDir())
        return course.filePath(recordingFolderName);
    const QStringList folders = course.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        if (folder.compare(recordingFolderName, Qt::CaseInsensitive) == 0)
            return course.filePath(folder);
    }
    return {};
}

} // namespace

bool hasFormatMarker(const StringList& optionList)
{
    return optionList.count() > 2 && isFormatMarker(optionList.get(2));
}

QString recordingKey(const QString& name)
{
    return name.toCaseFolded();
}

QString recordingName(const QString& word)
{
    QString name = word;
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c))
            c = u'_';
    }
    return name;
}

QString CourseRecordings::pathOf(const QString& word) const
{
    // A word list line may be megabytes long; no file name is.
    if (m_byName.isEmpty() || word.size() > kLongestFileName)
        return {};
    const QString name = recordingName(word);
    if (name.isEmpty())
        return {};
    const auto found = m_byName.constFind(recordingKey(name));
    if (found == m_byName.cend())
        return {};
    const QList<SoundFile>& files = *found;
    const auto sameCase = std::find_if(files.cbegin(), files.cend(),
                                       [&name](const SoundFile& f) { return f.stem == name; });
    return (sameCase != files.cend() ? *sameCase : files.first()).path;
}

QStringList CourseRecordings::files() const
{
    QStringList paths;
    for (const QList<SoundFile>& files : m_byName) {
        for (const SoundFile& file : files)
            paths.append(file.path);
    }
    paths.sort();
    return paths;
}

CourseRecordings findRecordings(const CourseFolder& folder, const StringList& optionList)
{
    return hasFormatMarker(optionList) ? soundFilesOf(folder) : CourseRecordings();
}

CourseRecordings soundFilesOf(const CourseFolder& folder)
{
    CourseRecordings recordings;
    const QDir course(folder.filePath(QString()));
    const QStringList folders{course.path(), recordingFolder(course)};
    const qsizetype extensionCount = recordingExtensions.size();
    for (qsizetype place = 0; place < folders.size(); ++place) {
        if (folders.at(place).isEmpty())
            continue;
        const QDir listed(folders.at(place));
        const QStringList names = listed.entryList(QDir::Files, QDir::Name);
        for (const QString& name : names) {
            const QFileInfo info(name);
            const qsizetype extension = recordingExtensions.indexOf(info.suffix().toLower());
            if (extension < 0 || info.completeBaseName().isEmpty())
                continue;
            recordings.m_byName[recordingKey(info.completeBaseName())].append(
                {listed.filePath(name), info.completeBaseName(),
                 int(place * extensionCount + extension)});
        }
    }
    for (QList<CourseRecordings::SoundFile>& files : recordings.m_byName)
        std::stable_sort(files.begin(), files.end(),
                         [](const auto& a, const auto& b) { return a.rank < b.rank; });
    return recordings;
}

} // namespace vocarin
