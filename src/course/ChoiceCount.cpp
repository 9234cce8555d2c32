#include "course/ChoiceCount.h"

#include "core/Fault.h"

#include <optional>

namespace vocarin {

namespace {

std::optional<int> hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return std::nullopt;
}

// Up to eight significant digits; the bits are those of a 32-bit number, so
// "FFFFFFFF" is -1.
std::optional<quint32> hexValue(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint32 value = 0;
    int significant = 0;
    for (QChar c : digits) {
        const auto digit = hexDigitValue(c.unicode());
        if (!digit)
            return std::nullopt;
        if (value != 0 || *digit != 0)
            ++significant;
        if (significant > 8)
            return std::nullopt;
        value = value << 4 | quint32(*digit);
    }
    return value;
}

// The magnitude of a decimal number, limited to what a 32-bit number can take.
std::optional<quint32> decimalValue(QStringView digits, bool negative)
{
    if (digits.isEmpty())
        return std::nullopt;
    const quint64 limit = negative ? 2147483648u : 2147483647u;
    quint64 value = 0;
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        if (u < u'0' || u > u'9')
            return std::nullopt;
        value = value * 10 + (u - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return quint32(value);
}

} // namespace

qint32 parseChoiceCount(const QString& line)
{
    QStringView rest(line);
    while (rest.startsWith(u' '))
        rest = rest.sliced(1);

    bool negative = false;
    if (rest.startsWith(u'+') || rest.startsWith(u'-')) {
        negative = rest.front() == u'-';
        rest = rest.sliced(1);
    }

    std::optional<quint32> magnitude;
    if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X'))
        magnitude = hexValue(rest.sliced(1));
    else if (rest.startsWith(u"0x") || rest.startsWith(u"0X"))
        magnitude = hexValue(rest.sliced(2));
    else
        magnitude = decimalValue(rest, negative);
    if (!magnitude)
        throw NumberFormatFault(line);

    // Unsigned arithmetic: "-$80000000" wraps to itself, as 32-bit negation does.
    const quint32 bits = negative ? 0u - *magnitude : *magnitude;
    return qint32(bits);
}

} // namespace vocarin
