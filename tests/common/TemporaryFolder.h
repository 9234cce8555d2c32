#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

namespace vocarin::testkit {

// A temporary folder that fixture files are written into, removed with the
// object. Course folders are read relative to dir().
class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        if (!m_dir.isValid())
            qFatal("cannot make a temporary folder");
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QDir dir() const { return QDir(m_dir.path()); }
    QString filePath(const QString& relativePath) const { return m_dir.filePath(relativePath); }

    // A path ending in "/" makes a folder; any other gets the bytes as a file.
    void create(const QString& relativePath, const QByteArray& bytes = {}) const
    {
        const QString path = filePath(relativePath);
        if (relativePath.endsWith(u'/')) {
            QDir().mkpath(path);
            return;
        }
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a fixture file");
    }

    void create(const QMap<QString, QByteArray>& tree) const
    {
        for (auto it = tree.cbegin(); it != tree.cend(); ++it)
            create(it.key(), it.value());
    }

private:
    QTemporaryDir m_dir;
};

} // namespace vocarin::testkit
