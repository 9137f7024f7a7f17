// The BMP decoder: any bytes give a picture or EInvalidGraphic (EOutOfResources for a size
// beyond the bitmap limit), never a read outside the input or an unbounded allocation.
#include <cstddef>
#include <cstdint>

#include "framework/base/errors.h"
#include "framework/graphics/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBitmap bitmap;
    try {
        bitmap.LoadFromBmp(data, size);
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EOutOfResources&) {
        return 0;
    }
    // A decoded picture is whole: every pixel can be read.
    uint32_t sum = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) sum += bitmap.ScanLine(y)[x];
    if (bitmap.Empty() && sum != 0) __builtin_trap();
    return 0;
}
