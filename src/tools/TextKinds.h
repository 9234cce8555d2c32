#pragma once

#include <QString>

namespace vocarin::tools {

// Holds a character of Japanese writing: kana or kanji, also full-width
// Latin letters and digits, as a Japanese input method types them.
bool holdsJapanese(const QString& text);

// Latin letters and no Japanese: English, as far as a cell shows.
bool isEnglishOnly(const QString& text);

} // namespace vocarin::tools
