// vocarin-launch: the menu entry's command. Vocarin finds its courses in the
// folder it is started in; this chooses that folder and starts it there. A
// folder it cannot use is reported in a message box, since the menu entry
// runs without a terminal.
#include "course/CourseDiscovery.h"
#include "course/StringList.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {

// The launcher's own folder: vocarin lies beside it, the courses installed
// with it below the data folder. Links to the launcher are followed.
QString installedBinFolder()
{
    return QFileInfo(QFile::symLinkTarget(u"/proc/self/exe"_s)).absolutePath();
}

// The courses installed with the program: where a learner without courses of
// their own starts.
QString bundledCoursesFolder()
{
    return QDir::cleanPath(installedBinFolder() + u'/' + QStringLiteral(VOCARIN_BIN_TO_DATA) +
                           u"/vocarin/courses"_s);
}

// The learner's own courses, when they have any.
QString ownCoursesFolder()
{
    return QDir::home().filePath(u"Vocarin"_s);
}

const QString kWhatToGive = u"コースのあるフォルダーか、その中のファイルを1つ指定してください。"_s;

struct StartFolder
{
    QString folder;  // where vocarin starts; empty when there is none
    QString problem; // otherwise, what the learner is told
};

// Whether Vocarin, started in the folder, would find a course there.
bool hasCourses(const QString& folder)
{
    vocarin::StringList optionList;
    return !vocarin::discoverCourses(QDir(folder), optionList).folders.isEmpty();
}

// The folder given (a file manager's "Open with" or a drop on the icon gives
// a folder or a file in one), otherwise ~/Vocarin when it holds a course,
// otherwise the bundled courses.
StartFolder startFolder(const QStringList& arguments)
{
    if (arguments.size() > 1)
        return {{}, u"指定できるのは1つだけです。\n"_s + kWhatToGive};
    if (arguments.isEmpty()) {
        if (hasCourses(ownCoursesFolder()))
            return {ownCoursesFolder(), {}};
        return {bundledCoursesFolder(), {}};
    }
    const QFileInfo given(arguments.first());
    if (given.isDir())
        return {given.absoluteFilePath(), {}};
    if (given.exists())
        return {given.absolutePath(), {}};
    return {{}, u"「"_s + arguments.first() + u"」が見つかりません。\n"_s + kWhatToGive};
}

// Said on the terminal and, where there is a display, in a message box.
int complain(int argc, char** argv, const QString& text)
{
    std::cerr << "vocarin-launch: " << text.toStdString() << '\n';
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return 1;
    QApplication application(argc, argv);
    QMessageBox box(QMessageBox::Warning, u"Vocarin"_s, text, QMessageBox::Ok);
    box.exec();
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    const StartFolder start = startFolder(arguments);
    if (!start.problem.isEmpty())
        return complain(argc, argv, start.problem);
    if (!QDir::setCurrent(start.folder))
        return complain(argc, argv, u"フォルダー「"_s + start.folder + u"」を開けません。"_s);

    const QByteArray vocarin = QFile::encodeName(installedBinFolder() + u"/vocarin"_s);
    char* const vocarinArguments[] = {const_cast<char*>("vocarin"), nullptr};
    execv(vocarin.constData(), vocarinArguments);
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    return complain(argc, argv,
                    u"Vocarin を起動できません（"_s + QFile::decodeName(vocarin) + u": "_s +
                        reason + u"）。"_s);
}
