#include "tools/CourseMake.h"

#include "course/CourseLoad.h"

#include <QDir>
#include <QFile>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

QString settingsError(const CourseSettings& settings)
{
    if (settings.title.isEmpty())
        return u"コース名（--title）が空です。"_s;
    if (settings.title.contains(u'\n') || settings.title.contains(u'\r'))
        return u"コース名に改行は使えません。"_s;
    if (settings.choices < 1 || settings.choices > 6)
        return u"選択肢の数（--choices）は 1～6 にしてください。"_s;
    for (const QChar c : {u'/', u'\\', u'\n', u'\r'}) {
        if (settings.prefix.contains(c))
            return u"ファイル名の頭（--prefix）に / や \\ や改行は使えません。"_s;
    }
    return {};
}

bool writeNewFile(const QString& path, const QStringList& lines)
{
    QByteArray bytes = "\xEF\xBB\xBF";
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
           file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

QString makeCourse(const QString& folder, const CourseSettings& settings,
                   const QList<WordPair>& pairs)
{
    if (const QString error = settingsError(settings); !error.isEmpty())
        return error;
    if (pairs.size() < minimumWordCount)
        return u"単語が %1 個しかありません。3つ以上必要です。"_s.arg(pairs.size());

    const QStringList names{u"Option.txt"_s, settings.prefix + u"E.txt"_s,
                            settings.prefix + u"J.txt"_s};
    // The program matches names without regard to case, so "option.txt" counts too.
    const QDir dir(folder);
    for (const QString& existing : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System)) {
        for (const QString& name : names) {
            if (existing.compare(name, Qt::CaseInsensitive) == 0)
                return u"%1 にはもう %2 があります。上書きはしません。"_s.arg(folder, existing);
        }
    }
    if (!QDir().mkpath(folder))
        return u"フォルダー %1 を作れません。"_s.arg(folder);

    QStringList english;
    QStringList japanese;
    for (const WordPair& pair : pairs) {
        english.append(pair.english);
        japanese.append(pair.japanese);
    }
    const QList<QStringList> contents{
        {settings.title, settings.prefix, QString::number(settings.choices)}, english, japanese};
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!writeNewFile(dir.filePath(names.at(i)), contents.at(i)))
            return u"%1 を書き込めません。"_s.arg(dir.filePath(names.at(i)));
    }
    return {};
}

} // namespace vocarin::tools
