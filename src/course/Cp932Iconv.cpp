#include "course/Cp932.h"

#include <bit>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <string_view>

namespace vocarin {

bool defineCp932(Cp932Definition& table)
{
    const char* const utf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
    const std::unique_ptr<void, int (*)(iconv_t)> converter(iconv_open(utf16, "CP932"),
                                                            iconv_close);
    if (converter.get() == reinterpret_cast<iconv_t>(-1))
        return false;
    // One character's bytes as one UTF-16 unit, 0 when iconv refuses them;
    // incomplete tells a lead byte asked alone.
    const auto ask = [&converter](std::string_view bytes, bool* incomplete = nullptr) {
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
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
        table.single[std::size_t(byte)] = ask(std::string_view(&single, 1), &incomplete);
        table.isLead[std::size_t(byte)] = incomplete;
    }
    for (int lead = 0; lead < 256; ++lead) {
        if (!table.isLead[std::size_t(lead)])
            continue;
        for (int trail = 0; trail < 256; ++trail) {
            const char pair[] = {char(lead), char(trail)};
            table.pair[std::size_t(lead << 8 | trail)] = ask(std::string_view(pair, 2));
        }
    }
    return true;
}

} // namespace vocarin
