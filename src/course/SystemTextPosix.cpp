#include "course/SystemText.h"

#include <QFile>

#include <fcntl.h>
#include <limits>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

namespace vocarin {

namespace {

// ICU counts in 32 bits, so a huge input goes in pieces cut before a
// character's first byte. Calls convert(piece) for each; false as soon as one
// returns false.
template <typename Convert> bool forEachPiece(QByteArrayView input, Convert convert)
{
    constexpr qsizetype pieceLimit = std::numeric_limits<int32_t>::max();
    while (!input.isEmpty()) {
        qsizetype cut = std::min(input.size(), pieceLimit);
        for (int back = 0; back < 3 && cut < input.size() && U8_IS_TRAIL(input[cut]); ++back)
            --cut;
        if (!convert(input.first(cut)))
            return false;
        input = input.sliced(cut);
    }
    return true;
}

} // namespace

// ICU's strict UTF-8 conversion rather than Qt's decoder: asked for the length
// alone, ICU stops at the first invalid sequence (a CP932 file's, usually in
// its first line) before anything is allocated, where Qt's decoder converts
// the whole input before it reports an error (a CP932 course loaded 1.5 times
// slower). The text is then allocated at its length, not at the byte count,
// which for Japanese is three times as large.
std::optional<QString> decodeStrictUtf8(QByteArrayView input)
{
    qsizetype length = 0;
    const bool valid = forEachPiece(input, [&length](QByteArrayView piece) {
        int32_t needed = 0;
        UErrorCode error = U_ZERO_ERROR;
        u_strFromUTF8(nullptr, 0, &needed, piece.data(), int32_t(piece.size()), &error);
        length += needed;
        return error == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(error);
    });
    if (!valid)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    auto* out = reinterpret_cast<UChar*>(text.data());
    auto* const end = out + length;
    forEachPiece(input, [&out, end](QByteArrayView piece) {
        int32_t written = 0;
        UErrorCode error = U_ZERO_ERROR;
        const auto room = int32_t(std::min<qsizetype>(end - out, piece.size()));
        u_strFromUTF8(out, room, &written, piece.data(), int32_t(piece.size()), &error);
        out += written;
        return U_SUCCESS(error);
    });
    return text;
}

int openForReading(const QString& path)
{
    // Non-blocking, so that a pipe in a course folder cannot hang the open.
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

} // namespace vocarin
