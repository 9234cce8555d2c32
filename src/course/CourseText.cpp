#include "course/CourseText.h"

#include "course/Fault.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vocarin {

namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* qStringEncoding = "UTF-16LE";
#else
constexpr const char* qStringEncoding = "UTF-16BE";
#endif

enum class Errors { Reject, Replace };

class Iconv
{
public:
    explicit Iconv(const char* from) : m_cd(iconv_open(qStringEncoding, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            qFatal("iconv has no converter from %s", from);
    }
    ~Iconv() { iconv_close(m_cd); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Converts the whole input in one pass. With Errors::Replace every sequence
// the encoding does not define becomes U+FFFD and decoding goes on after
// `unit` bytes; with Errors::Reject the first such sequence gives nullopt.
std::optional<QString> convert(const char* encoding, QByteArrayView input, qsizetype unit,
                               Errors errors)
{
    Iconv converter(encoding);
    // None of our encodings yields more UTF-16 units than it has input units.
    QString out(input.size() / unit + 1, Qt::Uninitialized);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = size_t(input.size());
    qsizetype written = 0;

    while (inLeft > 0) {
        char* dst = reinterpret_cast<char*>(out.data() + written);
        size_t outLeft = size_t(out.size() - written) * sizeof(char16_t);
        const size_t result = iconv(converter.handle(), &in, &inLeft, &dst, &outLeft);
        written = out.size() - qsizetype(outLeft / sizeof(char16_t));
        if (result != size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (errors == Errors::Reject)
            return std::nullopt;
        if (written == out.size())
            out.resize(out.size() * 2);
        out[written++] = QChar(replacementCharacter);
        // EINVAL: an incomplete sequence ends the input.
        const size_t skip = errno == EILSEQ ? std::min(size_t(unit), inLeft) : inLeft;
        in += skip;
        inLeft -= skip;
    }
    out.truncate(written);
    return out;
}

bool isAscii(QByteArrayView bytes)
{
    unsigned char any = 0;
    for (char c : bytes)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

// Text without marking bytes: UTF-8 when the whole file is valid UTF-8,
// otherwise Windows-31J, the code page Japanese Windows saves in.
QString decodeUnmarked(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (auto text = convert("UTF-8", bytes, 1, Errors::Reject))
        return *std::move(text);
    return *convert("CP932", bytes, 1, Errors::Replace);
}

QString decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArrayView body = bytes.sliced(3);
        if (isAscii(body))
            return QString::fromLatin1(body);
        auto text = convert("UTF-8", body, 1, Errors::Reject);
        if (!text)
            throw TextDecodingFault();
        return *std::move(text);
    }
    if (bytes.startsWith("\xFF\xFE"))
        return *convert("UTF-16LE", bytes.sliced(2), 2, Errors::Replace);
    if (bytes.startsWith("\xFE\xFF"))
        return *convert("UTF-16BE", bytes.sliced(2), 2, Errors::Replace);
    return decodeUnmarked(bytes);
}

QStringList splitLines(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);

    QStringList lines;
    const QChar* const end = text.data() + text.size();
    const QChar* start = text.data();
    for (const QChar* p = start; p != end;) {
        const char16_t c = p->unicode();
        if (c != u'\n' && c != u'\r') {
            ++p;
            continue;
        }
        lines.append(QString(start, p - start));
        ++p;
        if (c == u'\r' && p != end && p->unicode() == u'\n')
            ++p;
        start = p;
    }
    if (start != end)
        lines.append(QString(start, end - start));
    return lines;
}

QString openFailureReason(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("指定されたファイルが見つかりません。");
    case ENOTDIR:
        return QStringLiteral("指定されたパスが見つかりません。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました。");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダーです。");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

[[noreturn]] void failToOpen(const QString& path, int error)
{
    throw FileOpenFault(QDir::cleanPath(QFileInfo(path).absoluteFilePath()),
                        openFailureReason(error));
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

QByteArray readWholeFile(const QString& path)
{
    const FileDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        failToOpen(path, errno);
    struct stat info
    {
    };
    if (::fstat(file.get(), &info) != 0)
        failToOpen(path, errno);
    // Opening a folder read-only succeeds here; reading it must not.
    if (S_ISDIR(info.st_mode))
        failToOpen(path, EISDIR);

    // One byte more than the size, so that the end shows without growing.
    QByteArray bytes(S_ISREG(info.st_mode) ? qsizetype(info.st_size) + 1 : 64 * 1024,
                     Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(file.get(), bytes.data() + filled, size_t(bytes.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            failToOpen(path, errno);
        if (n == 0)
            break;
        filled += n;
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace

QStringList decodeCourseText(const QByteArray& bytes)
{
    return splitLines(decode(bytes));
}

QStringList readCourseTextFile(const QString& path)
{
    return decodeCourseText(readWholeFile(path));
}

} // namespace vocarin
