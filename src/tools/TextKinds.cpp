#include "tools/TextKinds.h"

#include <algorithm>

namespace vocarin::tools {

namespace {

bool isJapanese(QChar c)
{
    switch (c.script()) {
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Han:
        return true;
    default:
        // The full-width forms block: Ｌａｔｉｎ letters, ０ to ９, 、。「」 and the like.
        return c.unicode() >= 0xFF01 && c.unicode() <= 0xFF60;
    }
}

} // namespace

bool holdsJapanese(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), isJapanese);
}

bool isEnglishOnly(const QString& text)
{
    return !holdsJapanese(text) && std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.script() == QChar::Script_Latin && c.isLetter();
    });
}

} // namespace vocarin::tools
