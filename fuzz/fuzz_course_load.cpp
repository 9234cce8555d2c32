// A fuzzed course in a temporary folder. Input layout: byte 0 is the
// length of Option.txt, byte 1 that of E.txt, then the two files, and the
// rest is J.txt (an empty second option line names E.txt and J.txt).
#include "core/Fault.h"
#include "course/CourseLoad.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

void write(const QDir& folder, const QString& name, QByteArrayView bytes)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir temporary;
    if (!temporary.isValid() || size < 2)
        return 0;
    const QDir folder(temporary.path());

    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype optionSize = std::min<qsizetype>(data[0], input.size() - 2);
    const qsizetype wordSize = std::min<qsizetype>(data[1], input.size() - 2 - optionSize);
    write(folder, QStringLiteral("Option.txt"), input.sliced(2, optionSize));
    write(folder, QStringLiteral("E.txt"), input.sliced(2 + optionSize, wordSize));
    write(folder, QStringLiteral("J.txt"), input.sliced(2 + optionSize + wordSize));

    try {
        vocarin::readCourse({folder, QStringLiteral(".\\")});
    } catch (const vocarin::Fault&) {
    }
    return 0;
}
