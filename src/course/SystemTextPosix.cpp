#include "course/SystemText.h"

#include <QFile>

#include <fcntl.h>
#include <limits>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

namespace vocarin {

// ICU's strict UTF-8 conversion, twice as fast as Qt's decoder on Japanese
// text. ICU counts in 32 bits, so a huge input goes in pieces cut before a
// character's first byte.
std::optional<QString> decodeStrictUtf8(QByteArrayView input)
{
    // Every byte gives at most one UTF-16 unit.
    QString text(input.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<UChar*>(text.data());
    constexpr qsizetype pieceLimit = std::numeric_limits<int32_t>::max();
    while (!input.isEmpty()) {
        qsizetype cut = std::min(input.size(), pieceLimit);
        for (int back = 0; back < 3 && cut < input.size() && U8_IS_TRAIL(input[cut]); ++back)
            --cut;
        int32_t written = 0;
        UErrorCode error = U_ZERO_ERROR;
        u_strFromUTF8(out, int32_t(cut), &written, input.data(), int32_t(cut), &error);
        if (U_FAILURE(error))
            return std::nullopt;
        out += written;
        input = input.sliced(cut);
    }
    text.truncate(out - reinterpret_cast<const UChar*>(text.constData()));
    return text;
}

int openForReading(const QString& path)
{
    // Non-blocking, so that a pipe in a course folder cannot hang the open.
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

} // namespace vocarin
