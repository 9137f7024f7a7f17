// Stored descriptions: any text read into a form, with every standard class and the whole
// control set registered, builds components or raises the reader's error, and whatever it
// built goes away with the form, with no leak and no memory error. The created-from-header
// form of reading takes the same text, and so does reading ahead into a tree, whose every
// object is looked into before it is applied; kept as bytes, that tree reads back the same.
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
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        TForm form(nullptr);
        try {
            ReadComponentText(&form, text);
        } catch (const Exception&) {
        }
    }
    try {
        const TParsedDescription parsed = ParseComponentText(text);
        // Kept as bytes, the tree is the same tree.
        const std::string bytes = ParsedDescriptionBytes(parsed);
        if (ParsedDescriptionBytes(ParsedDescriptionFromBytes(bytes)) != bytes) __builtin_trap();
        parsed.VisitObjects([](int depth, std::string_view, const TParsedDescription::TLookup& value) {
            if (depth < 0) __builtin_trap();
            for (const char* path : {"Font.Name", "Caption", "Lines.Strings"}) (void)value(path);
        });
        TForm form(nullptr);
        ReadComponent(&form, parsed);
    } catch (const Exception&) {
    }
    try {
        delete CreateComponentFromText(text, nullptr);
    } catch (const Exception&) {
    }
    return 0;
}
