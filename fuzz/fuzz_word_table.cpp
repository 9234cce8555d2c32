// Any bytes as a spreadsheet export for vocarin-course make: either an error
// that names a line, or pairs that each fill one line of a course list.
#include "tools/WordTable.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const vocarin::tools::WordTable table = vocarin::tools::readWordTable(bytes);
    if (!table.error.isEmpty()) {
        if (!table.pairs.isEmpty() && !table.error.contains(u"行目"))
            __builtin_trap();
        return 0;
    }
    for (const vocarin::tools::WordPair& pair : table.pairs) {
        for (const QString& cell : {pair.english, pair.japanese}) {
            if (cell.isEmpty() || cell != cell.trimmed() || cell.contains(u'\n') ||
                cell.contains(u'\r') || cell.contains(QChar(u'\0')))
                __builtin_trap();
        }
        if (pair.sound != pair.sound.trimmed() || pair.sound.contains(u'\n'))
            __builtin_trap();
    }
    return 0;
}
