// Stored descriptions: any text read into a form, with every standard class and the whole
// control set registered, builds components or raises the reader's error, and whatever it
// built goes away with the form, with no leak and no memory error. The created-from-header
// form of reading takes the same text, and so does reading ahead into a tree, whose every
// object is looked into before it is applied; kept as bytes, that tree reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/description_checks.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PrepareDescriptionFuzzing();
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
        CheckParsedTree(ParseComponentText(text));
    } catch (const Exception&) {
    }
    try {
        delete CreateComponentFromText(text, nullptr);
    } catch (const Exception&) {
    }
    return 0;
}
