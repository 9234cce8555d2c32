// Any bytes as a course text file: the only fault allowed is the one for
// invalid UTF-8 after its mark, and no line may hold a break or a NUL.
#include "core/Fault.h"
#include "course/CourseText.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QStringList lines = vocarin::decodeCourseText(bytes);
        for (const QString& line : lines) {
            if (line.contains(u'\n') || line.contains(u'\r') || line.contains(QChar(u'\0')))
                __builtin_trap();
        }
    } catch (const vocarin::TextDecodingFault&) {
        if (!bytes.startsWith("\xEF\xBB\xBF"))
            __builtin_trap();
    }
    return 0;
}
