#include "course/SystemText.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <winerror.h>

namespace vocarin {

// Qt's validation rejects what ICU's strict conversion rejects (overlong forms,
// surrogates, code points past U+10FFFF, cut sequences).
std::optional<QString> decodeStrictUtf8(QByteArrayView input)
{
    if (!input.isValidUtf8())
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(input);
}

int openForReading(const QString& path)
{
    // The path in UTF-16, whatever the system's code page; the bytes untranslated.
    const int fd = ::_wopen(reinterpret_cast<const wchar_t*>(path.utf16()), _O_RDONLY | _O_BINARY);
    // Windows refuses to open a folder as a file: said as on Linux.
    if (fd < 0 && errno == EACCES && QFileInfo(path).isDir())
        errno = EISDIR;
    // The C library says "no such file" also where Windows found no path to it
    // (a folder missing, or a file in the way): told apart as Windows tells them.
    if (fd < 0 && errno == ENOENT && _doserrno == ERROR_PATH_NOT_FOUND)
        errno = ENOTDIR;
    return fd;
}

} // namespace vocarin
