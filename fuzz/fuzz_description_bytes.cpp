// A parsed description kept as bytes (as the program keeps its window): any bytes are
// refused with the reader's error or read as a tree, which then stands up to what every
// parsed tree must (description_checks.h), with no leak and no memory error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/description_checks.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PrepareDescriptionFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        CheckParsedTree(ParsedDescriptionFromBytes(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const Exception&) {
    }
    return 0;
}
