#include "course/CourseText.h"

#include "course/Fault.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <limits>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>
#include <unistd.h>

namespace vocarin {

namespace {

constexpr char16_t replacementCharacter = u'\uFFFD';

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* qStringEncoding = "UTF-16LE";
#else
constexpr const char* qStringEncoding = "UTF-16BE";
#endif

// Windows-31J as glibc's iconv defines it, asked once for every single byte and
// every two-byte pair and kept: an iconv call per character cost more than the
// whole rest of a load. 0 marks what the code page does not define.
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
        // Every CP932 character, and every replaced byte, is one UTF-16 unit.
        QString text(input.size(), Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        const auto* p = reinterpret_cast<const unsigned char*>(input.data());
        const auto* const end = p + input.size();
        for (; p != end; ++p) {
            char16_t unit = m_single[*p];
            if (m_isLead[*p] && p + 1 != end) {
                unit = m_pair[std::size_t(*p << 8 | p[1])];
                if (unit != 0)
                    ++p;
            }
            *out++ = unit != 0 || *p == 0 ? unit : replacementCharacter;
        }
        text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
        return text;
    }

private:
    Cp932Table()
    {
        const std::unique_ptr<void, int (*)(iconv_t)> converter(
            iconv_open(qStringEncoding, "CP932"), iconv_close);
        if (converter.get() == reinterpret_cast<iconv_t>(-1))
            qFatal("iconv cannot decode CP932");
        // One character's bytes as one UTF-16 unit, 0 when iconv refuses them;
        // incomplete tells a lead byte asked alone.
        const auto ask = [&converter](QByteArrayView bytes, bool* incomplete = nullptr) {
            char* in = const_cast<char*>(bytes.data());
            size_t inLeft = size_t(bytes.size());
            char16_t unit = 0;
            char* out = reinterpret_cast<char*>(&unit);
            size_t outLeft = sizeof unit;
            const size_t result = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
            if (incomplete)
                *incomplete = result == size_t(-1) && errno == EINVAL;
            return result == size_t(-1) || inLeft != 0 ? char16_t(0) : unit;
        };
        for (int byte = 0; byte < 256; ++byte) {
            const char single = char(byte);
            bool incomplete = false;
            m_single[std::size_t(byte)] = ask(QByteArrayView(&single, 1), &incomplete);
            m_isLead[std::size_t(byte)] = incomplete;
        }
        for (int lead = 0; lead < 256; ++lead) {
            if (!m_isLead[std::size_t(lead)])
                continue;
            for (int trail = 0; trail < 256; ++trail) {
                const char pair[] = {char(lead), char(trail)};
                m_pair[std::size_t(lead << 8 | trail)] = ask(QByteArrayView(pair, 2));
            }
        }
    }

    std::array<char16_t, 256> m_single{};
    std::array<bool, 256> m_isLead{};
    std::array<char16_t, 65536> m_pair{};
};

// ICU's strict UTF-8 conversion, twice as fast as Qt's decoder on Japanese
// text; nullopt when any sequence is invalid. A mark at the start of the input
// is text: the file's own was taken off before. ICU counts in 32 bits, so a
// huge input goes in pieces cut before a character's first byte.
std::optional<QString> decodeUtf8(QByteArrayView input)
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

QString decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        auto text = decodeUtf8(bytes.sliced(3));
        if (!text)
            throw TextDecodingFault();
        return *std::move(text);
    }
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(bytes.sliced(2), QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes.sliced(2), QStringDecoder::Utf16BE);
    // No marking bytes: UTF-8 when the whole file is valid UTF-8, as modern
    // editors save, otherwise Windows-31J, as Japanese Windows saves.
    // The UTF-8 decoding stops at the first bad byte, which in a CP932 file
    // usually comes early.
    if (auto text = decodeUtf8(bytes))
        return *std::move(text);
    return Cp932Table::instance().decode(bytes);
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

QByteArray readCourseFileBytes(const QString& path)
{
    // Non-blocking, so that a pipe in a course folder cannot hang the open.
    const FileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
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

// Each line holds a reference to the text's buffer: a 100,000-line list made
// of a string each spends most of its load in the allocator (the course
// decoding benchmark compares the two). Every line break is overwritten with a NUL so
// that each line ends in one inside the buffer, as Qt's strings do.
QStringList splitCourseLines(QString text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    if (text.isEmpty())
        return {};

    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* const end = begin + text.size();
    // Counting the breaks first spares the list its regrowth on long files.
    qsizetype breaks = 0;
    for (const char16_t* p = begin; p != end; ++p)
        breaks += int(*p == u'\n') + int(*p == u'\r');
    QStringList lines;
    lines.reserve(breaks + 1);
    QString::DataPointer& buffer = text.data_ptr();
    const auto addLine = [&](char16_t* start, char16_t* stop) {
        buffer.d_ptr()->ref();
        lines.append(QString(QString::DataPointer(buffer.d_ptr(), start, stop - start)));
    };
    char16_t* start = begin;
    for (char16_t* p = begin; p != end;) {
        const char16_t c = *p;
        if (c != u'\n' && c != u'\r') {
            ++p;
            continue;
        }
        *p = u'\0';
        addLine(start, p);
        ++p;
        if (c == u'\r' && p != end && *p == u'\n')
            ++p;
        start = p;
    }
    if (start != end)
        addLine(start, end);
    return lines;
}

QStringList decodeCourseText(const QByteArray& bytes)
{
    return splitCourseLines(decode(bytes));
}

QStringList readCourseTextFile(const QString& path)
{
    // The file's bytes go before the list of lines is made.
    QString text = decode(readCourseFileBytes(path));
    return splitCourseLines(std::move(text));
}

CourseEncoding courseTextEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return CourseEncoding::Utf8Bom;
    if (bytes.startsWith("\xFF\xFE"))
        return CourseEncoding::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return CourseEncoding::Utf16BE;
    return bytes.isValidUtf8() ? CourseEncoding::Utf8 : CourseEncoding::Cp932;
}

} // namespace vocarin
