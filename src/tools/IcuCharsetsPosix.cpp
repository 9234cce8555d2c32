#include "tools/IcuCharsets.h"

#include <unicode/ucnv.h>
#include <unicode/ucsdet.h>

#include <memory>

namespace vocarin::tools {

std::vector<CharsetMatch> detectCharsets(std::string_view bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCharsetDetector, void (*)(UCharsetDetector*)> detector(
        ucsdet_open(&status), ucsdet_close);
    ucsdet_setText(detector.get(), bytes.data(), int32_t(bytes.size()), &status);
    int32_t count = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &status);
    std::vector<CharsetMatch> found;
    if (U_FAILURE(status))
        return found;
    for (int32_t i = 0; i < count; ++i)
        found.push_back(
            {ucsdet_getName(matches[i], &status), int(ucsdet_getConfidence(matches[i], &status))});
    return U_SUCCESS(status) ? found : std::vector<CharsetMatch>();
}

std::optional<std::u16string> decodeStrictly(std::string_view bytes, const char* charset)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, void (*)(UConverter*)> converter(ucnv_open(charset, &status),
                                                                       ucnv_close);
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    if (U_FAILURE(status))
        return std::nullopt;
    // No charset ICU reads here takes more UTF-16 units than bytes.
    std::u16string text(bytes.size() + 1, u'\0');
    const int32_t length = ucnv_toUChars(converter.get(), text.data(), int32_t(text.size()),
                                         bytes.data(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    text.resize(std::size_t(length));
    return text;
}

} // namespace vocarin::tools
