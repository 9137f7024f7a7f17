// A parsed description kept as bytes (as the program keeps its window): any bytes are
// refused with the reader's error or read as a tree, which writes the very bytes it came from
// and stands up to what every parsed tree must (description_checks.h), with no leak and no
// memory error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/description_checks.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PrepareDescriptionFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const TParsedDescription parsed = ParsedDescriptionFromBytes(bytes);
        // Every value has one encoding: a tree read writes the very bytes it came from.
        if (ParsedDescriptionBytes(parsed) != bytes) __builtin_trap();
        CheckParsedTree(parsed);
    } catch (const Exception&) {
    }
    return 0;
}
