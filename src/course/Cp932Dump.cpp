// Writes a C++ source whose defineCp932() gives the table this machine's iconv
// defines: the Windows build compiles it in place of asking iconv.
#include "course/Cp932.h"

#include <cstdio>
#include <memory>

namespace {

template <std::size_t n>
void printArray(const char* type, const char* name, const std::array<char16_t, n>& a)
{
    std::printf("const %s %s[%zu] = {", type, name, n);
    for (std::size_t i = 0; i < n; ++i)
        std::printf("%s%s%u", i == 0 ? "" : ",", i % 16 == 0 ? "\n    " : "", unsigned(a[i]));
    std::printf("};\n");
}

} // namespace

int main()
{
    const auto table = std::make_unique<vocarin::Cp932Definition>();
    if (!vocarin::defineCp932(*table)) {
        std::fprintf(stderr, "iconv cannot decode CP932\n");
        return 1;
    }
    std::array<char16_t, 256> isLead{};
    for (std::size_t i = 0; i < isLead.size(); ++i)
        isLead[i] = table->isLead[i];
    std::printf("// Made by cp932-dump from the build machine's iconv.\n"
                "#include \"course/Cp932.h\"\n#include <algorithm>\n"
                "namespace vocarin {\nnamespace {\n");
    printArray("char16_t", "single", table->single);
    printArray("bool", "isLead", isLead);
    printArray("char16_t", "pair", table->pair);
    std::printf("} // namespace\n"
                "bool defineCp932(Cp932Definition& table)\n{\n"
                "    std::copy(std::begin(single), std::end(single), table.single.begin());\n"
                "    std::copy(std::begin(isLead), std::end(isLead), table.isLead.begin());\n"
                "    std::copy(std::begin(pair), std::end(pair), table.pair.begin());\n"
                "    return true;\n}\n} // namespace vocarin\n");
    return std::ferror(stdout) ? 1 : 0;
}
