// TBitmap: the pixel surface, its canvas, BMP decoding and PNG writing.
//
// Sections: surface · BMP decoding · PNG writing
#include "framework/graphics/bitmap.h"

#include <png.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>

#include "framework/base/errors.h"
#include "framework/graphics/canvas.h"

// ---------------------------------------------------------------- surface

namespace {
constexpr TPixel kWhitePixel = PixelFromColor(clWhite);

// Refuses a surface the machine could not hold (or whose byte count would not even fit).
void CheckSurfaceSize(int64_t width, int64_t height) {
    if (width > 0 && height > 0 &&
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > TBitmap::kMaxBytes / sizeof(TPixel))
        throw EOutOfResources("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels is too large");
}
}  // namespace

// White pixels made ahead of time: at most one size waits, guarded for the thread that made
// them and the one that takes them.
struct TBitmap::TPreparedPixels {
    std::mutex Lock;
    std::atomic<bool> Waiting{false};
    int Width = 0, Height = 0;
    std::vector<TPixel, TPixelAllocator<TPixel>> Pixels;
};
TBitmap::TPreparedPixels& TBitmap::Prepared() {
    static TPreparedPixels* prepared = new TPreparedPixels;  // never destroyed: used at exit
    return *prepared;
}

void TBitmap::PrepareWhitePixels(int width, int height) {
    if (width <= 0 || height <= 0) return;
    CheckSurfaceSize(width, height);
    decltype(FPixels) pixels(static_cast<std::size_t>(width) * height, kWhitePixel);
    TPreparedPixels& p = Prepared();
    const std::lock_guard<std::mutex> hold(p.Lock);
    p.Width = width;
    p.Height = height;
    p.Pixels = std::move(pixels);
    p.Waiting = true;
}

bool TBitmap::TakePreparedPixels(int width, int height, decltype(FPixels)& pixels) {
    TPreparedPixels& p = Prepared();
    if (!p.Waiting) return false;
    const std::lock_guard<std::mutex> hold(p.Lock);
    if (!p.Waiting || p.Width != width || p.Height != height) return false;
    pixels.swap(p.Pixels);
    p.Waiting = false;
    return true;
}

void TBitmap::DiscardPreparedPixels() {
    TPreparedPixels& p = Prepared();
    decltype(FPixels) gone;
    const std::lock_guard<std::mutex> hold(p.Lock);
    gone.swap(p.Pixels);
    p.Waiting = false;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::TBitmap(int width, int height, TUnfilled) { Resize(width, height, false); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) { Resize(width, height, true); }

void TBitmap::Resize(int width, int height, bool fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    CheckSurfaceSize(width, height);
    if (width == 0 || height == 0) {
        FPixels.clear();
    } else {
        decltype(FPixels) pixels;
        if (!fill) pixels.resize(static_cast<std::size_t>(width) * height);
        else if (!TakePreparedPixels(width, height, pixels))
            pixels.assign(static_cast<std::size_t>(width) * height, kWhitePixel);
        // A surface without pixels (zero width, any height) has no rows to keep.
        const int keepW = std::min(width, FWidth), keepH = FPixels.empty() ? 0 : std::min(height, FHeight);
        for (int y = 0; y < keepH; ++y)
            std::memcpy(&pixels[static_cast<std::size_t>(y) * width], ScanLine(y), keepW * sizeof(TPixel));
        FPixels = std::move(pixels);
    }
    FWidth = width;
    FHeight = height;
    // A new size is a new surface for the canvas: its binding (and device state) starts over.
    if (FCanvas) FCanvas->Bind(this, {0, 0}, {0, 0, FWidth, FHeight});
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
    return FCanvas.get();
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    SetSize(source.FWidth, source.FHeight);
    FPixels = source.FPixels;
    Transparent = source.Transparent;
    TransparentColor = source.TransparentColor;
}

// ---------------------------------------------------------------- BMP decoding

namespace {

[[noreturn]] void BadBmp(const std::string& reason) { throw EInvalidGraphic("Bitmap image is not valid: " + reason); }

class ByteReader {
public:
    ByteReader(const uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
    uint32_t U16(std::size_t at) const {
        Need(at, 2);
        return FData[at] | (FData[at + 1] << 8);
    }
    uint32_t U32(std::size_t at) const {
        Need(at, 4);
        return FData[at] | (FData[at + 1] << 8) | (FData[at + 2] << 16) | (uint32_t{FData[at + 3]} << 24);
    }
    int32_t I32(std::size_t at) const { return static_cast<int32_t>(U32(at)); }
    void Need(std::size_t at, std::size_t n) const {
        if (at > FSize || n > FSize - at) BadBmp("the file is truncated");
    }
    const uint8_t* At(std::size_t at) const { return FData + at; }

private:
    const uint8_t* FData;
    std::size_t FSize;
};

// A channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit Channel(uint32_t mask) : Mask(mask) {
        if (!mask) return;
        while (!((mask >> Shift) & 1)) ++Shift;
        while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1)) ++Bits;
    }
    uint8_t Of(uint32_t v) const {
        if (!Mask) return 0;
        const uint32_t raw = (v & Mask) >> Shift;
        if (Bits >= 8) return static_cast<uint8_t>(raw >> (Bits - 8));
        const uint32_t max = (1u << Bits) - 1;
        return static_cast<uint8_t>((raw * 255 + max / 2) / max);
    }
};

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;

}  // namespace

void TBitmap::LoadFromBmp(const uint8_t* data, std::size_t size) {
    if (!data) BadBmp("no data");
    ByteReader in(data, size);
    in.Need(0, 14);
    if (data[0] != 'B' || data[1] != 'M') BadBmp("the file does not start with \"BM\"");
    const uint32_t pixelOffset = in.U32(10);
    const uint32_t headerSize = in.U32(14);

    int32_t width = 0, height = 0;
    uint32_t bitCount = 0, compression = BI_RGB, colorsUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (headerSize == 12) {  // BITMAPCOREHEADER
        width = static_cast<int32_t>(in.U16(18));
        height = static_cast<int16_t>(in.U16(20));
        bitCount = in.U16(24);
        paletteEntrySize = 3;
    } else if (headerSize >= 40) {  // BITMAPINFOHEADER and its extensions
        width = in.I32(18);
        height = in.I32(22);
        bitCount = in.U16(28);
        compression = in.U32(30);
        colorsUsed = in.U32(46);
    } else {
        BadBmp("unknown header size " + std::to_string(headerSize));
    }
    const bool topDown = height < 0;
    const int64_t rows = topDown ? -int64_t{height} : height;
    if (width <= 0 || rows <= 0 || width > 65535 || rows > 65535)
        BadBmp("unsupported size " + std::to_string(width) + " x " + std::to_string(rows));
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        BadBmp("unsupported bit count " + std::to_string(bitCount));
    if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32)))
        BadBmp("compressed images are not supported");

    // Bit-field masks: after a 40-byte header they follow it; larger headers hold them.
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bitCount == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0xFF00;
        masks[2] = 0xFF;
    }
    std::size_t paletteAt = 14 + headerSize;
    if (compression == BI_BITFIELDS) {
        for (int i = 0; i < 3; ++i) masks[i] = in.U32(14 + 40 + 4 * i);
        if (headerSize == 40) paletteAt += 12;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    std::vector<TPixel> palette;
    if (bitCount <= 8) {
        const uint32_t maxColors = 1u << bitCount;
        const uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
        in.Need(paletteAt, count * paletteEntrySize);
        palette.resize(maxColors, PixelFromColor(clBlack));
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = in.At(paletteAt + i * paletteEntrySize);  // blue, green, red
            palette[i] = PixelFromColor(RGB(e[2], e[1], e[0]));
        }
    }

    const std::size_t stride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    in.Need(pixelOffset, stride * static_cast<std::size_t>(rows));
    CheckSurfaceSize(width, rows);

    decltype(FPixels) pixels(static_cast<std::size_t>(width) * rows, TPixel{0});
    for (int64_t r = 0; r < rows; ++r) {
        const uint8_t* src = in.At(pixelOffset + static_cast<std::size_t>(r) * stride);
        const int64_t y = topDown ? r : rows - 1 - r;
        TPixel* dst = &pixels[static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            switch (bitCount) {
                case 1: dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
                case 4: dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
                case 8: dst[x] = palette[src[x]]; break;
                case 16: {
                    const uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
                    dst[x] = PixelFromColor(RGB(red.Of(v), green.Of(v), blue.Of(v)));
                    break;
                }
                case 24: dst[x] = PixelFromColor(RGB(src[3 * x + 2], src[3 * x + 1], src[3 * x])); break;
                case 32: {
                    const uint8_t* p = src + 4 * x;
                    const uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24);
                    dst[x] = PixelFromColor(RGB(red.Of(v), green.Of(v), blue.Of(v)));
                    break;
                }
            }
        }
    }
    SetSize(0, 0);
    SetSize(width, static_cast<int>(rows));
    FPixels = std::move(pixels);
}

// ---------------------------------------------------------------- PNG writing

void TBitmap::SavePng(const std::string& path) const {
    std::vector<uint8_t> rgb(static_cast<std::size_t>(FWidth) * FHeight * 3);
    for (std::size_t i = 0; i < FPixels.size(); ++i) {
        rgb[3 * i] = static_cast<uint8_t>(FPixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<uint8_t>(FPixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<uint8_t>(FPixels[i]);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(FWidth);
    image.height = static_cast<png_uint_32>(FHeight);
    image.format = PNG_FORMAT_RGB;
    errno = 0;
    if (FWidth == 0 || FHeight == 0 ||
        !png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), FWidth * 3, nullptr)) {
        const std::string reason = FWidth == 0 || FHeight == 0 ? "The image is empty"
                                   : errno != 0                ? std::strerror(errno)
                                                               : image.message;
        png_image_free(&image);
        throw Exception("Cannot create file \"" + path + "\". " + reason);
    }
}
