// Any text as a choice count line: a number or the number format fault that
// quotes the line, nothing else.
#include "core/Fault.h"
#include "course/ChoiceCount.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const qint32 value = vocarin::parseChoiceCount(line);
        // A plain decimal line must read back as the same number.
        const QString digits = QString(line).remove(u' ').remove(u'+');
        if (!digits.contains(u'$') && !digits.contains(u'x') && !digits.contains(u'X') &&
            digits.toLongLong() != value)
            __builtin_trap();
    } catch (const vocarin::NumberFormatFault& fault) {
        if (!fault.message().contains(line))
            __builtin_trap();
    }
    return 0;
}
