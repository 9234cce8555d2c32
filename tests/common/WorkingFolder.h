#pragma once

#include "TemporaryFolder.h"

// A temporary folder that is the working folder while this object lives: for
// tests of the program itself, which finds its courses in the folder it starts in.
class WorkingFolder : public vocarin::testkit::TemporaryFolder
{
public:
    WorkingFolder() : m_previous(QDir::currentPath())
    {
        if (!QDir::setCurrent(path()))
            qFatal("cannot enter a temporary folder");
    }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    QString m_previous;
};
