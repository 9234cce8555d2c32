// Windows 10 from version 1903 carries ICU as icu.dll, with C functions under
// their plain names; mingw-w64 has neither its header nor an import library,
// so the few functions used here are looked up when first needed.
#include "tools/IcuCharsets.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace vocarin::tools {

namespace {

// ICU's C types, as its headers declare them.
using UErrorCode = int;
struct UCharsetDetector;
struct UCharsetMatch;
struct UConverter;
using ToUCallback = void (*)(const void*, void*, const char*, std::int32_t, int, UErrorCode*);

bool failed(UErrorCode status)
{
    return status > 0;
}

class WindowsIcu
{
public:
    static const WindowsIcu* instance()
    {
        static const WindowsIcu icu;
        return icu.m_loaded ? &icu : nullptr;
    }

    UCharsetDetector* (*ucsdet_open)(UErrorCode*) = nullptr;
    void (*ucsdet_setText)(UCharsetDetector*, const char*, std::int32_t, UErrorCode*) = nullptr;
    const UCharsetMatch** (*ucsdet_detectAll)(UCharsetDetector*, std::int32_t*,
                                              UErrorCode*) = nullptr;
    const char* (*ucsdet_getName)(const UCharsetMatch*, UErrorCode*) = nullptr;
    std::int32_t (*ucsdet_getConfidence)(const UCharsetMatch*, UErrorCode*) = nullptr;
    void (*ucsdet_close)(UCharsetDetector*) = nullptr;
    UConverter* (*ucnv_open)(const char*, UErrorCode*) = nullptr;
    void (*ucnv_close)(UConverter*) = nullptr;
    void (*ucnv_setToUCallBack)(UConverter*, ToUCallback, const void*, ToUCallback*, const void**,
                                UErrorCode*) = nullptr;
    std::int32_t (*ucnv_toUChars)(UConverter*, char16_t*, std::int32_t, const char*, std::int32_t,
                                  UErrorCode*) = nullptr;
    ToUCallback UCNV_TO_U_CALLBACK_STOP = nullptr;

private:
    WindowsIcu()
    {
        const HMODULE dll = LoadLibraryExW(L"icu.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (dll == nullptr)
            return;
        m_loaded = find(dll, "ucsdet_open", ucsdet_open) &&
                   find(dll, "ucsdet_setText", ucsdet_setText) &&
                   find(dll, "ucsdet_detectAll", ucsdet_detectAll) &&
                   find(dll, "ucsdet_getName", ucsdet_getName) &&
                   find(dll, "ucsdet_getConfidence", ucsdet_getConfidence) &&
                   find(dll, "ucsdet_close", ucsdet_close) && find(dll, "ucnv_open", ucnv_open) &&
                   find(dll, "ucnv_close", ucnv_close) &&
                   find(dll, "ucnv_setToUCallBack", ucnv_setToUCallBack) &&
                   find(dll, "ucnv_toUChars", ucnv_toUChars) &&
                   find(dll, "UCNV_TO_U_CALLBACK_STOP", UCNV_TO_U_CALLBACK_STOP);
    }

    template <typename Function> static bool find(HMODULE dll, const char* name, Function& function)
    {
        // Through the generic function type, which converts to any other.
        function =
            reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(dll, name)));
        return function != nullptr;
    }

    bool m_loaded = false;
};

} // namespace

std::vector<CharsetMatch> detectCharsets(std::string_view bytes)
{
    std::vector<CharsetMatch> found;
    const WindowsIcu* icu = WindowsIcu::instance();
    if (icu == nullptr)
        return found;
    UErrorCode status = 0;
    const std::unique_ptr<UCharsetDetector, void (*)(UCharsetDetector*)> detector(
        icu->ucsdet_open(&status), icu->ucsdet_close);
    icu->ucsdet_setText(detector.get(), bytes.data(), std::int32_t(bytes.size()), &status);
    std::int32_t count = 0;
    const UCharsetMatch** matches = icu->ucsdet_detectAll(detector.get(), &count, &status);
    if (failed(status))
        return found;
    for (std::int32_t i = 0; i < count; ++i)
        found.push_back({icu->ucsdet_getName(matches[i], &status),
                         int(icu->ucsdet_getConfidence(matches[i], &status))});
    return failed(status) ? std::vector<CharsetMatch>() : found;
}

std::optional<std::u16string> decodeStrictly(std::string_view bytes, const char* charset)
{
    const WindowsIcu* icu = WindowsIcu::instance();
    if (icu == nullptr)
        return std::nullopt;
    UErrorCode status = 0;
    const std::unique_ptr<UConverter, void (*)(UConverter*)> converter(
        icu->ucnv_open(charset, &status), icu->ucnv_close);
    icu->ucnv_setToUCallBack(converter.get(), icu->UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr,
                             nullptr, &status);
    if (failed(status))
        return std::nullopt;
    // No charset ICU reads here takes more UTF-16 units than bytes.
    std::u16string text(bytes.size() + 1, u'\0');
    const std::int32_t length =
        icu->ucnv_toUChars(converter.get(), text.data(), std::int32_t(text.size()), bytes.data(),
                           std::int32_t(bytes.size()), &status);
    if (failed(status))
        return std::nullopt;
    text.resize(std::size_t(length));
    return text;
}

} // namespace vocarin::tools
