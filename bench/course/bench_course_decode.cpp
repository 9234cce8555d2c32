// Decoding and splitting a 100,000-line course list, beside the iconv command
// converting the same file to UTF-8. Prints MB/s of file bytes and the ratio,
// by wall time and by processor time; the runs alternate between the two so
// that both meet the same machine load, and the best run of each counts.
// Also the fewest pages a run faulted in: memory the system has to hand over
// afresh, which on virtual machines can cost more than the decoding itself.
#include "course/CourseText.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iconv.h>
#include <limits>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int lineCount = 100000;
constexpr int runs = 25;

// Meanings of the kind a course holds: kana and kanji with some ASCII.
QString wordList()
{
    const QStringList parts{u"りんご"_s,   u"走る"_s, u"美しい"_s, u"図書館"_s, u"ゆっくりと"_s,
                            u"約束する"_s, u"天気"_s, u"（名）"_s, u"ｶﾀｶﾅ"_s,   u"重要な"_s};
    QString text;
    for (int i = 0; i < lineCount; ++i) {
        text += parts.at(i % parts.size()) + u"、"_s + parts.at((i / 10) % parts.size()) + u' ' +
                QString::number(i) + u"\r\n"_s;
    }
    return text;
}

QByteArray encode(const QString& text, const char* encoding)
{
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open(encoding, "UTF-8");
    QByteArray out(utf8.size() * 2, Qt::Uninitialized);
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = size_t(utf8.size());
    char* dst = out.data();
    size_t outLeft = size_t(out.size());
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == size_t(-1))
        qFatal("cannot encode the word list as %s", encoding);
    iconv_close(cd);
    out.truncate(out.size() - qsizetype(outLeft));
    return out;
}

struct Timing
{
    double wall = 1e9;                              // best wall time of the runs, seconds
    double cpu = 1e9;                               // best processor time (user + system)
    long faults = std::numeric_limits<long>::max(); // fewest page faults of a run
};

struct Usage
{
    double cpu; // processor seconds
    long faults;
};

Usage usage(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_minflt + usage.ru_majflt};
}

void measure(Timing& timing, int who, const std::function<void()>& work)
{
    const Usage before = usage(who);
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const Usage after = usage(who);
    timing.wall = std::min(timing.wall, took.count());
    timing.cpu = std::min(timing.cpu, after.cpu - before.cpu);
    timing.faults = std::min(timing.faults, after.faults - before.faults);
}

struct Format
{
    const char* name;
    const char* iconvName; // as the iconv command is told the file's encoding
    QByteArray mark;
};

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString text = wordList();
    const Format formats[] = {
        {"CP932", "CP932", {}},
        {"UTF-16LE BOM", "UTF-16", "\xFF\xFE"},
        {"UTF-8 BOM", "UTF-8", "\xEF\xBB\xBF"},
    };

    std::printf("%-14s %6s %10s %10s %7s %10s %10s %7s %13s\n", "", "", "wall", "", "", "processor",
                "", "", "page faults");
    std::printf("%-14s %6s %10s %10s %7s %10s %10s %7s %6s %6s\n", "format", "MB", "ours MB/s",
                "iconv MB/s", "ratio", "ours MB/s", "iconv MB/s", "ratio", "ours", "iconv");
    for (const Format& format : formats) {
        const QByteArray encoding = format.mark.isEmpty()     ? QByteArray(format.name)
                                    : format.mark.size() == 2 ? "UTF-16LE"_ba
                                                              : "UTF-8"_ba;
        const QByteArray bytes = format.mark + encode(text, encoding.constData());
        const QString path = dir.filePath(QString::fromLatin1(format.name).replace(u' ', u'_'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        file.close();

        Timing ours;
        Timing theirs;
        for (int run = 0; run < runs; ++run) {
            measure(ours, RUSAGE_SELF, [&] {
                const qsizetype lines = vocarin::readCourseText(path).lines.size();
                if (lines != lineCount)
                    qFatal("%s gave %lld lines", format.name, static_cast<long long>(lines));
            });
            measure(theirs, RUSAGE_CHILDREN, [&] {
                QProcess iconvCommand;
                iconvCommand.setStandardOutputFile(QProcess::nullDevice());
                iconvCommand.start(u"iconv"_s, {u"-f"_s, QString::fromLatin1(format.iconvName),
                                                u"-t"_s, u"UTF-8"_s, path});
                if (!iconvCommand.waitForFinished() || iconvCommand.exitCode() != 0)
                    qFatal("iconv failed on %s", qPrintable(path));
            });
        }

        const double megabytes = double(bytes.size()) / 1e6;
        std::printf("%-14s %6.2f %10.1f %10.1f %6.2fx %10.1f %10.1f %6.2fx %6ld %6ld\n",
                    format.name, megabytes, megabytes / ours.wall, megabytes / theirs.wall,
                    theirs.wall / ours.wall, megabytes / ours.cpu, megabytes / theirs.cpu,
                    theirs.cpu / ours.cpu, ours.faults, theirs.faults);
    }

    return 0;
}
