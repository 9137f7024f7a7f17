// A parsed description kept as bytes (as the program keeps its window): any bytes are
// refused with the reader's error or read as a tree, which is then looked into and applied
// to a form with every standard class and the whole control set registered; whatever it
// built goes away with the form, with no leak and no memory error. A tree that is read
// writes bytes that read back to the same tree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "controls/vt_classes.h"
#include "framework/core/streaming.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "framework/ui/forms.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InstallHeadlessPlatform();
    CreateApplication()->Initialize();
    RegisterStdCtrlsClasses();
    RegisterControlSetClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const TParsedDescription parsed = ParsedDescriptionFromBytes(bytes);
        // The same tree may come from other bytes (a number written with needless continuation
        // bytes); what it writes reads back to itself.
        const std::string written = ParsedDescriptionBytes(parsed);
        if (ParsedDescriptionBytes(ParsedDescriptionFromBytes(written)) != written) __builtin_trap();
        parsed.VisitObjects([](int depth, std::string_view, const TParsedDescription::TLookup& value) {
            if (depth < 0) __builtin_trap();
            for (const char* path : {"Font.Name", "Caption", "Lines.Strings"}) (void)value(path);
        });
        TForm form(nullptr);
        ReadComponent(&form, parsed);
    } catch (const Exception&) {
    }
    return 0;
}
