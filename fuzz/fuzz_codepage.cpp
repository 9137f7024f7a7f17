// Code page conversion, both ways, in every code page the system knows: UTF-8 of any shape
// comes back as ANSI bytes ("?" for what has none), and every ANSI byte survives the trip
// to UTF-8 and back. The locale name mapping takes any text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/graphics/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)CodePageForLocale(bytes);
    for (int page : {CP_CENTRAL_EUROPE, CP_CYRILLIC, CP_WESTERN, CP_GREEK, CP_TURKISH, CP_BALTIC}) {
        SetAnsiCodePage(page);
        bool allMapped = false;
        const std::string ansi = Utf8ToAnsi(bytes, allMapped);
        if (allMapped && AnsiToUtf8(ansi) != bytes) __builtin_trap();
        // ANSI to UTF-8 is total and exact.
        const std::string utf8 = AnsiToUtf8(bytes);
        bool back = false;
        if (Utf8ToAnsi(utf8, back) != bytes || !back) __builtin_trap();
    }
    SetAnsiCodePage(0);
    return 0;
}
