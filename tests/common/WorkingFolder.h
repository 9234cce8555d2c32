#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

// A temporary folder that is the working folder while this object lives, as
// course folders are found relative to the working folder.
class WorkingFolder
{
public:
    WorkingFolder() : m_previous(QDir::currentPath())
    {
        if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path()))
            qFatal("cannot make a temporary working folder");
    }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    QString path() const { return QDir::currentPath(); }

    // A path ending in "/" makes a folder; any other gets the bytes as a file.
    void create(const QString& relativePath, const QByteArray& bytes = {}) const
    {
        if (relativePath.endsWith(u'/')) {
            QDir().mkpath(relativePath);
            return;
        }
        QDir().mkpath(QFileInfo(relativePath).path());
        QFile file(relativePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a fixture file");
    }

    void create(const QMap<QString, QByteArray>& tree) const
    {
        for (auto it = tree.cbegin(); it != tree.cend(); ++it)
            create(it.key(), it.value());
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};
