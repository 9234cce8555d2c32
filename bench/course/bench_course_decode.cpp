// Decoding and splitting a 100,000-line course list, beside the iconv command
// converting the same file to UTF-8. Prints MB/s (of file bytes) and the ratio.
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

using namespace Qt::StringLiterals;

namespace {

constexpr int lineCount = 100000;
constexpr int runs = 15;

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

double bestSeconds(const std::function<void()>& work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
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

    std::printf("%-14s %8s %12s %12s %7s\n", "format", "MB", "ours MB/s", "iconv MB/s", "ratio");
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

        qsizetype lines = 0;
        const double ours = bestSeconds([&] { lines = vocarin::readCourseTextFile(path).size(); });
        if (lines != lineCount)
            qFatal("%s gave %lld lines", format.name, static_cast<long long>(lines));

        const double theirs = bestSeconds([&] {
            QProcess iconvCommand;
            iconvCommand.setStandardOutputFile(QProcess::nullDevice());
            iconvCommand.start(u"iconv"_s, {u"-f"_s, QString::fromLatin1(format.iconvName), u"-t"_s,
                                            u"UTF-8"_s, path});
            if (!iconvCommand.waitForFinished() || iconvCommand.exitCode() != 0)
                qFatal("iconv failed on %s", qPrintable(path));
        });

        const double megabytes = double(bytes.size()) / 1e6;
        std::printf("%-14s %8.2f %12.1f %12.1f %6.2fx\n", format.name, megabytes, megabytes / ours,
                    megabytes / theirs, theirs / ours);
    }
    return 0;
}
