// An off-screen 32-bit picture with its own canvas. The form's back buffer is one of these,
// so everything the platform presents is plain pixels that tests can read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/color.h"

class TCanvas;

// One pixel in memory: 0xFFRRGGBB (the layout Qt's RGB32 images and PNG rows use after a swap).
using TPixel = uint32_t;
constexpr TPixel PixelFromColor(TColor rgb) {
    return 0xFF000000u | (TPixel{GetRValue(rgb)} << 16) | (TPixel{GetGValue(rgb)} << 8) | GetBValue(rgb);
}
constexpr TColor ColorFromPixel(TPixel p) {
    return RGB(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p));
}

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    // A scratch surface whose every pixel that is read is painted first: its pixels start
    // unspecified, which spares filling it.
    struct TUnfilled {};
    TBitmap(int width, int height, TUnfilled);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    // Keeps the pixels that still fit (top-left anchored); new pixels are white. A size
    // whose pixels would take more than kMaxBytes raises EOutOfResources and leaves the
    // bitmap as it was.
    void SetSize(int width, int height);
    static constexpr std::size_t kMaxBytes = std::size_t{256} << 20;
    // White pixels of one size made now, on whichever thread calls: the next bitmap made
    // that size by SetSize takes them instead of filling pixels of its own, so a window's
    // back buffer can be made ahead while its thread is still busy elsewhere. Discarded
    // (if still there) by DiscardPreparedPixels.
    static void PrepareWhitePixels(int width, int height);
    static void DiscardPreparedPixels();
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }

    // Drawing on the bitmap; the canvas lives as long as the bitmap.
    TCanvas* Canvas();

    // Row y, Width() pixels. No bounds check.
    TPixel* ScanLine(int y) { return FPixels.data() + static_cast<std::size_t>(y) * FWidth; }
    const TPixel* ScanLine(int y) const { return FPixels.data() + static_cast<std::size_t>(y) * FWidth; }
    TPixel* Bits() { return FPixels.data(); }
    const TPixel* Bits() const { return FPixels.data(); }

    // Copies size and pixels.
    void Assign(const TBitmap& source);

    // A Windows BMP file image (24-bit, 32-bit, or 1/4/8-bit palettised; bottom-up or
    // top-down; uncompressed). Throws EInvalidGraphic with a readable reason otherwise.
    void LoadFromBmp(const uint8_t* data, std::size_t size);
    void LoadFromBmp(const std::vector<uint8_t>& data) { LoadFromBmp(data.data(), data.size()); }

    // Writes the pixels as an 8-bit RGB PNG. Throws Exception naming the path on failure.
    void SavePng(const std::string& path) const;

    // Stored-picture transparency (TImage draws pixels of TransparentColor as see-through
    // when Transparent is set). clDefault means "the bottom-left pixel".
    bool Transparent = false;
    TColor TransparentColor = clDefault;

private:
    // Leaves new elements default-initialised (unspecified pixels) where asked to.
    template <class T>
    struct TPixelAllocator : std::allocator<T> {
        template <class U>
        struct rebind {
            using other = TPixelAllocator<U>;
        };
        template <class U, class... Args>
        void construct(U* p, Args&&... args) {
            if constexpr (sizeof...(Args) == 0) ::new (static_cast<void*>(p)) U;
            else ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };
    void Resize(int width, int height, bool fill);
    struct TPreparedPixels;
    static TPreparedPixels& Prepared();
    // Takes the prepared white pixels when they are of this size.
    static bool TakePreparedPixels(int width, int height, std::vector<TPixel, TPixelAllocator<TPixel>>& pixels);
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TPixel, TPixelAllocator<TPixel>> FPixels;
    std::unique_ptr<TCanvas> FCanvas;
};
