#pragma once

// Kept free of Qt: the Windows build runs this on the build machine.

#include <array>

namespace vocarin {

// Windows-31J, one UTF-16 unit for every single byte and two-byte pair;
// 0 marks what the code page does not define.
struct Cp932Definition
{
    std::array<char16_t, 256> single{};
    std::array<bool, 256> isLead{};
    std::array<char16_t, 65536> pair{};
};

// Windows-31J as glibc's iconv defines it, on every platform: on Linux asked
// of iconv at run time, on Windows asked of the build machine's iconv when the
// program is built, so that course files read alike. False when iconv cannot
// decode CP932.
bool defineCp932(Cp932Definition& table);

} // namespace vocarin
