#include "tools/EncodingGuess.h"

#include "tools/IcuCharsets.h"
#include "tools/ProblemText.h"
#include "tools/TextKinds.h"

#include <algorithm>
#include <string_view>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

bool isHalfWidthKatakana(QChar c)
{
    return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F;
}

bool holdsHalfWidthKatakana(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), isHalfWidthKatakana);
}

// Kana as Japanese text is full of, half-width forms aside.
bool holdsKana(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c.script() == QChar::Script_Hiragana || c.script() == QChar::Script_Katakana) &&
               !isHalfWidthKatakana(c);
    });
}

int confidenceOf(const std::vector<CharsetMatch>& matches, std::string_view name)
{
    const auto match = std::find_if(matches.cbegin(), matches.cend(),
                                    [name](const CharsetMatch& m) { return m.name == name; });
    return match == matches.cend() ? 0 : match->confidence;
}

// The first line with Japanese, else the first line with any text.
QString sampleLine(const QStringList& lines)
{
    const auto japanese = std::find_if(lines.cbegin(), lines.cend(), holdsJapanese);
    if (japanese != lines.cend())
        return *japanese;
    const auto any = std::find_if(lines.cbegin(), lines.cend(),
                                  [](const QString& line) { return !line.trimmed().isEmpty(); });
    return any == lines.cend() ? QString() : *any;
}

std::optional<QStringList> readStrictly(std::string_view bytes, const char* charset)
{
    const std::optional<std::u16string> text = decodeStrictly(bytes, charset);
    if (!text)
        return std::nullopt;
    return splitCourseLines(QString::fromStdU16String(*text));
}

std::optional<EncodingGuess> utf16Guess(std::string_view bytes,
                                        const std::vector<CharsetMatch>& matches)
{
    if (matches.empty() || bytes.size() % 2 != 0)
        return std::nullopt;
    // ICU starts every UTF-16 match at 10 and raises it for each code unit
    // of Latin text or a line feed.
    const std::string& best = matches.front().name;
    if ((best != "UTF-16LE" && best != "UTF-16BE") || matches.front().confidence <= 10)
        return std::nullopt;
    const std::optional<std::u16string> text = decodeStrictly(bytes, best.c_str());
    if (!text || std::any_of(text->cbegin(), text->cend(), [](char16_t c) {
            return c < u' ' && c != u'\t' && c != u'\r' && c != u'\n';
        }))
        return std::nullopt;
    return EncodingGuess{best == "UTF-16LE" ? u"utf-16le"_s : u"utf-16be"_s, true,
                         sampleLine(splitCourseLines(QString::fromStdU16String(*text))), 0};
}

std::optional<EncodingGuess> utf8Guess(const QByteArray& bytes)
{
    const QStringList lines = splitCourseLines(QString::fromUtf8(bytes));
    qsizetype valid = 0;
    qsizetype invalid = 0;
    qsizetype firstBad = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (const QChar c : lines.at(i)) {
            if (c == QChar::ReplacementCharacter) {
                ++invalid;
                if (firstBad < 0)
                    firstBad = i;
            } else if (c.unicode() > 0x7F && !c.isLowSurrogate()) {
                ++valid;
            }
        }
    }
    if (invalid == 0 || valid < 2 || valid < 2 * invalid)
        return std::nullopt;
    return EncodingGuess{u"utf-8"_s, true, lines.at(firstBad), firstBad + 1};
}

std::optional<EncodingGuess> eucJpGuess(std::string_view bytes,
                                        const std::vector<CharsetMatch>& matches,
                                        const QStringList& shiftJisLines)
{
    if (!std::any_of(shiftJisLines.cbegin(), shiftJisLines.cend(), holdsHalfWidthKatakana))
        return std::nullopt;
    const std::optional<QStringList> lines = readStrictly(bytes, "EUC-JP");
    if (!lines || !std::any_of(lines->cbegin(), lines->cend(), holdsJapanese) ||
        std::any_of(lines->cbegin(), lines->cend(), holdsHalfWidthKatakana))
        return std::nullopt;
    // Half-width katakana read as EUC-JP gives kanji, and kana only from the
    // rare "､" before another: kana settle what ICU leaves open in short text.
    const bool certain = confidenceOf(matches, "EUC-JP") > confidenceOf(matches, "Shift_JIS") ||
                         std::any_of(lines->cbegin(), lines->cend(), holdsKana);
    return EncodingGuess{u"euc-jp"_s, certain, sampleLine(*lines), 0};
}

} // namespace

EncodingGuess guessMisreadEncoding(const QByteArray& bytes, const CourseTextFile& read)
{
    if (read.encoding != CourseEncoding::Utf8 && read.encoding != CourseEncoding::Cp932)
        return {};
    const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
    const std::vector<CharsetMatch> matches = detectCharsets(view);
    if (std::optional<EncodingGuess> guess = utf16Guess(view, matches))
        return *guess;
    if (read.encoding != CourseEncoding::Cp932)
        return {};
    if (std::optional<EncodingGuess> guess = utf8Guess(bytes))
        return *guess;
    if (std::optional<EncodingGuess> guess = eucJpGuess(view, matches, read.lines))
        return *guess;
    return {};
}

QString misreadEncodingText(const EncodingGuess& guess)
{
    const QString saveAsUtf8 = u"文字コードを UTF-8 にして保存し直してください。"_s;
    if (guess.id == u"utf-8")
        return u"文字コードは UTF-8 のようですが、%1行目%2に UTF-8 として読めないバイトが"
               u"あるため、"
               u"シフトJIS として読まれて文字化けします。その行の文字を書き直し、"_s.arg(guess.line)
                   .arg(quoted(guess.sample)) +
               saveAsUtf8;
    if (guess.id == u"euc-jp")
        return (guess.certain ? u"文字コードが EUC-JP のようです。"_s
                              : u"文字コードが EUC-JP かもしれません。"_s) +
               u"シフトJIS として読むと半角カナに文字化けします（EUC-JP として読むと%1）。"
               u"EUC-JP を開けるエディターで開き、"_s.arg(quoted(guess.sample)) +
               saveAsUtf8;
    return u"文字コードが BOM のない %1 のようです。BOM がないと UTF-16 とわからず、"
           u"文字化けしたり行が足りなくなったりします（%1 として読むと%2）。"_s.arg(
               guess.id == u"utf-16le" ? u"UTF-16LE"_s : u"UTF-16BE"_s, quoted(guess.sample)) +
           saveAsUtf8;
}

} // namespace vocarin::tools
