#pragma once

// Kept free of Qt: the Windows variant is built against Windows' own ICU,
// which has no headers of its own in mingw-w64.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vocarin::tools {

struct CharsetMatch
{
    std::string name; // ICU's name: "Shift_JIS", "EUC-JP", "UTF-16LE", ...
    int confidence;   // 0 to 100
};

// ICU's charset detection: every charset the bytes may be in, the likeliest
// first. Empty where ICU is not at hand (Windows before 10 version 1903).
std::vector<CharsetMatch> detectCharsets(std::string_view bytes);

// The bytes read in charset (an ICU converter name) as UTF-16; nothing when a
// byte sequence is invalid or names no character there, or ICU is not at hand.
std::optional<std::u16string> decodeStrictly(std::string_view bytes, const char* charset);

} // namespace vocarin::tools
