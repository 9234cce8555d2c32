#pragma once

// Course folders for tests, written as a teacher's editor saves them: UTF-8
// with its mark and CR LF line ends.

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>

namespace vocarin::testkit {

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray utf8Lines(const QStringList& lines)
{
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QString& line : lines)
        bytes += (line + QStringLiteral("\r\n")).toUtf8();
    return bytes;
}

// The option file (title, prefix, choice count), the word list and the
// meaning list in `folder`.
inline void writeCourse(const QString& folder, const QString& title, const QString& prefix,
                        int choices, const QStringList& words, const QStringList& meanings)
{
    QVERIFY(QDir().mkpath(folder));
    writeFile(folder + QStringLiteral("/Option.txt"),
              utf8Lines({title, prefix, QString::number(choices)}));
    writeFile(folder + u'/' + prefix + QStringLiteral("E.txt"), utf8Lines(words));
    writeFile(folder + u'/' + prefix + QStringLiteral("J.txt"), utf8Lines(meanings));
}

} // namespace vocarin::testkit
