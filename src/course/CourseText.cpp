#include "course/CourseText.h"

#include "core/Fault.h"
#include "course/Cp932.h"
#include "course/SystemText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace vocarin {

namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';

// Windows-31J, its table made once and kept: an iconv call per character cost
// more than the whole rest of a load.
class Cp932Table
{
public:
    static const Cp932Table& instance()
    {
        static const Cp932Table table;
        return table;
    }

    // Bytes the code page does not define become U+FFFD one byte at a time, as
    // does a lead byte without a valid partner, so that a broken lead byte
    // never swallows a line break.
    QString decode(QByteArrayView input) const
    {
        // Counted first, so that the text is allocated at its size: most
        // Japanese characters take two bytes.
        qsizetype length = 0;
        forEachCharacter(input, [&length](char16_t) { ++length; });
        QString text(length, Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        forEachCharacter(input, [&out](char16_t unit) { *out++ = unit; });
        return text;
    }

private:
    Cp932Table()
    {
        if (!defineCp932(*m_table))
            qFatal("iconv cannot decode CP932");
    }

    // Every CP932 character, and every replaced byte, is one UTF-16 unit.
    template <typename Visit> void forEachCharacter(QByteArrayView input, Visit visit) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(input.data());
        const auto* const end = p + input.size();
        for (; p != end; ++p) {
            char16_t unit = m_table->single[*p];
            if (m_table->isLead[*p] && p + 1 != end) {
                unit = m_table->pair[std::size_t(*p << 8 | p[1])];
                if (unit != 0)
                    ++p;
            }
            visit(unit != 0 || *p == 0 ? unit : replacementCharacter);
        }
    }

    const std::unique_ptr<Cp932Definition> m_table = std::make_unique<Cp932Definition>();
};

// Qt's UTF-16 decoder turns an odd last byte into U+FFFD but passes unpaired
// surrogates through; those become U+FFFD here.
QString decodeUtf16(QByteArrayView input, QStringDecoder::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless |
                                         QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(input);
    QChar* const end = text.data() + text.size();
    for (QChar* c = text.data(); c != end; ++c) {
        if (!c->isSurrogate())
            continue;
        if (c->isHighSurrogate() && c + 1 != end && c[1].isLowSurrogate())
            ++c;
        else
            *c = QChar(replacementCharacter);
    }
    return text;
}

struct DecodedText
{
    QString text;
    CourseEncoding encoding;
};

// The one decision of a file's encoding: the text and the encoding it used.
DecodedText decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        auto text = decodeStrictUtf8(bytes.sliced(3));
        if (!text)
            throw TextDecodingFault();
        return {*std::move(text), CourseEncoding::Utf8Bom};
    }
    if (bytes.startsWith("\xFF\xFE"))
        return {decodeUtf16(bytes.sliced(2), QStringDecoder::Utf16LE), CourseEncoding::Utf16LE};
    if (bytes.startsWith("\xFE\xFF"))
        return {decodeUtf16(bytes.sliced(2), QStringDecoder::Utf16BE), CourseEncoding::Utf16BE};
    // No marking bytes: UTF-8 when the whole file is valid UTF-8, as modern
    // editors save, otherwise Windows-31J, as Japanese Windows saves.
    // The UTF-8 decoding stops at the first bad byte, which in a CP932 file
    // usually comes early.
    if (auto text = decodeStrictUtf8(bytes))
        return {*std::move(text), CourseEncoding::Utf8};
    return {Cp932Table::instance().decode(bytes), CourseEncoding::Cp932};
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
    case ENODEV:
        return QStringLiteral("通常のファイルではありません。");
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

} // namespace

// Cuts decoded text into lines at CR LF, LF and CR, ending at the first NUL.
// Each line is a string of its own: Qt has no public way for strings to share
// one buffer.
QStringList splitCourseLines(QStringView text)
{
    const qsizetype nul = text.indexOf(u'\0');
    if (nul >= 0)
        text.truncate(nul);
    if (text.isEmpty())
        return {};

    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    // Counting the lines first spares the list its regrowth on long files.
    qsizetype breaks = 0;
    for (const char16_t* p = begin; p != end; ++p)
        breaks += int(*p == u'\n') + int(*p == u'\r' && (p + 1 == end || p[1] != u'\n'));
    QStringList lines;
    lines.reserve(breaks + 1);
    const char16_t* start = begin;
    for (const char16_t* p = begin; p != end;) {
        const char16_t c = *p;
        if (c != u'\n' && c != u'\r') {
            ++p;
            continue;
        }
        lines.append(QStringView(start, p).toString());
        ++p;
        if (c == u'\r' && p != end && *p == u'\n')
            ++p;
        start = p;
    }
    if (start != end)
        lines.append(QStringView(start, end).toString());
    return lines;
}

QByteArray readCourseFileBytes(const QString& path)
{
    const FileDescriptor file(openForReading(path));
    if (file.get() < 0)
        failToOpen(path, errno);
    struct stat info;
    if (::fstat(file.get(), &info) != 0)
        failToOpen(path, errno);
    // Opening a folder read-only succeeds here; reading it must not. Pipes and
    // devices are no course files either: reading them may never end.
    if (S_ISDIR(info.st_mode))
        failToOpen(path, EISDIR);
    if (!S_ISREG(info.st_mode))
        failToOpen(path, ENODEV);

    // One byte more than the size, so that the end shows without growing.
    QByteArray bytes(qsizetype(info.st_size) + 1, Qt::Uninitialized);
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

QStringList decodeCourseText(const QByteArray& bytes)
{
    return splitCourseLines(decode(bytes).text);
}

CourseTextFile decodeCourseFile(const QByteArray& bytes)
{
    DecodedText decoded = decode(bytes);
    return {splitCourseLines(std::move(decoded.text)), decoded.encoding};
}

CourseTextFile readCourseText(const QString& path)
{
    // The file's bytes go before the list of lines is made.
    DecodedText decoded = decode(readCourseFileBytes(path));
    return {splitCourseLines(decoded.text), decoded.encoding};
}

} // namespace vocarin
