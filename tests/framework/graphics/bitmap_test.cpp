// TBitmap: sizing, its canvas binding, BMP decoding and PNG writing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "framework/base/errors.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

namespace {

TColor At(const TBitmap& b, int x, int y) { return ColorFromPixel(b.ScanLine(y)[x]); }

void Put16(std::vector<uint8_t>& v, std::size_t at, uint32_t x) {
    v[at] = x & 0xFF;
    v[at + 1] = (x >> 8) & 0xFF;
}
void Put32(std::vector<uint8_t>& v, std::size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = (x >> (8 * i)) & 0xFF;
}

// A BMP file with a 40-byte info header; palette entries are RGB colours, rows are the
// rows as stored in the file (unpadded; padding is added here).
std::vector<uint8_t> MakeBmp(int width, int height, int bits, const std::vector<TColor>& palette,
                             const std::vector<std::vector<uint8_t>>& rows, uint32_t compression = 0) {
    const std::size_t stride = ((width * bits + 31) / 32) * 4;
    const std::size_t offset = 14 + 40 + palette.size() * 4;
    std::vector<uint8_t> v(offset + stride * rows.size(), 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, static_cast<uint32_t>(v.size()));
    Put32(v, 10, static_cast<uint32_t>(offset));
    Put32(v, 14, 40);
    Put32(v, 18, static_cast<uint32_t>(width));
    Put32(v, 22, static_cast<uint32_t>(height));
    Put16(v, 26, 1);
    Put16(v, 28, static_cast<uint32_t>(bits));
    Put32(v, 30, compression);
    Put32(v, 46, static_cast<uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        v[54 + 4 * i] = GetBValue(palette[i]);
        v[54 + 4 * i + 1] = GetGValue(palette[i]);
        v[54 + 4 * i + 2] = GetRValue(palette[i]);
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
        std::copy(rows[r].begin(), rows[r].end(), v.begin() + static_cast<std::ptrdiff_t>(offset + r * stride));
    return v;
}

}  // namespace

TEST(Bitmap, SetSizeKeepsPixelsAndTheCanvasBinding) {
    TBitmap b(3, 2);
    EXPECT_EQ(At(b, 2, 1), clWhite);
    b.ScanLine(1)[1] = PixelFromColor(clRed);
    TCanvas* c = b.Canvas();
    b.SetSize(6, 5);
    EXPECT_EQ(c, b.Canvas());
    EXPECT_EQ(At(b, 1, 1), clRed);
    EXPECT_EQ(At(b, 5, 4), clWhite);
    EXPECT_EQ(c->ClipRect(), (TRect{0, 0, 6, 5}));
    c->Brush()->SetColor(clBlue);
    c->FillRect({0, 0, 6, 5});
    EXPECT_EQ(At(b, 5, 4), clBlue);

    b.SetSize(0, 4);
    EXPECT_TRUE(b.Empty());
    EXPECT_TRUE(c->ClipRect().IsEmpty());

    TBitmap copy;
    TBitmap source(2, 1);
    source.ScanLine(0)[1] = PixelFromColor(clGreen);
    source.Transparent = true;
    copy.Assign(source);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(At(copy, 1, 0), clGreen);
    EXPECT_TRUE(copy.Transparent);
}

// Grown from zero width it has no rows to keep; too large it refuses and stays as it was.
TEST(Bitmap, SetSizeFromNothingAndBeyondTheLimit) {
    TBitmap b;
    b.SetSize(0, 7);
    b.SetSize(4, 7);
    EXPECT_EQ(At(b, 3, 6), clWhite);
    b.SetSize(4, 0);
    b.SetSize(4, 3);
    EXPECT_EQ(At(b, 0, 2), clWhite);

    b.ScanLine(2)[3] = PixelFromColor(clRed);
    for (auto [w, h] : {std::pair{65535, 65535}, std::pair{2147483647, 2147483647}, std::pair{8193, 8192},
                        std::pair{2147483647, 1}}) {
        try {
            b.SetSize(w, h);
            ADD_FAILURE() << w << " x " << h << " was allowed";
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.Message(),
                      "Bitmap of " + std::to_string(w) + " x " + std::to_string(h) + " pixels is too large");
        }
        EXPECT_EQ(b.Width(), 4);
        EXPECT_EQ(b.Height(), 3);
        EXPECT_EQ(At(b, 3, 2), clRed);
    }
    // 256 MiB exactly is still a bitmap (and is given back at once).
    b.SetSize(8192, 8192);
    EXPECT_EQ(At(b, 3, 2), clRed);
    b.SetSize(0, 0);
}

// White pixels made on another thread are taken by the next bitmap of their size, which
// looks exactly as one that made its own: white, and keeping the pixels it had.
TEST(Bitmap, PixelsPreparedAheadAreTakenByTheNextBitmapOfTheirSize) {
    std::thread([] { TBitmap::PrepareWhitePixels(37, 23); }).join();
    TBitmap other;
    other.SetSize(23, 37);  // another size: not for this one
    EXPECT_EQ(At(other, 22, 36), clWhite);
    TBitmap b;
    b.SetSize(4, 3);
    b.ScanLine(2)[3] = PixelFromColor(clRed);
    b.SetSize(37, 23);
    EXPECT_EQ(At(b, 3, 2), clRed);
    int white = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) white += At(b, x, y) == clWhite;
    EXPECT_EQ(white, 37 * 23 - 1);
    TBitmap next;
    next.SetSize(37, 23);  // taken already: made as always
    EXPECT_EQ(At(next, 36, 22), clWhite);

    EXPECT_THROW(TBitmap::PrepareWhitePixels(65535, 65535), EOutOfResources);
    TBitmap::PrepareWhitePixels(5, 5);
    TBitmap::DiscardPreparedPixels();
    TBitmap after;
    after.SetSize(5, 5);
    EXPECT_EQ(At(after, 4, 4), clWhite);
}

TEST(BitmapBmp, Decodes24BitBottomUp) {
    // 3 x 2; the file's first row is the picture's bottom row. Each row: B, G, R triples.
    const auto bmp = MakeBmp(3, 2, 24, {},
                             {{255, 255, 255, 0, 0, 0, 30, 20, 10},  // bottom: white, black, (10,20,30)
                              {0, 0, 255, 0, 255, 0, 255, 0, 0}});   // top: red, green, blue
    TBitmap b;
    b.LoadFromBmp(bmp);
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(At(b, 0, 0), clRed);
    EXPECT_EQ(At(b, 1, 0), clLime);
    EXPECT_EQ(At(b, 2, 0), clBlue);
    EXPECT_EQ(At(b, 0, 1), clWhite);
    EXPECT_EQ(At(b, 1, 1), clBlack);
    EXPECT_EQ(At(b, 2, 1), RGB(10, 20, 30));
}

TEST(BitmapBmp, Decodes8BitPalettisedAndTopDown) {
    const std::vector<TColor> palette = {RGB(1, 2, 3), clMaroon, RGB(200, 100, 50)};
    // 5 x 2 bottom-up: five index bytes and three bytes of padding per row.
    const auto bottomUp = MakeBmp(5, 2, 8, palette, {{2, 2, 2, 2, 0}, {0, 1, 2, 1, 0}});
    TBitmap b;
    b.LoadFromBmp(bottomUp);
    ASSERT_EQ(b.Width(), 5);
    EXPECT_EQ(At(b, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(b, 1, 0), clMaroon);
    EXPECT_EQ(At(b, 2, 0), RGB(200, 100, 50));
    EXPECT_EQ(At(b, 0, 1), RGB(200, 100, 50));
    EXPECT_EQ(At(b, 4, 1), RGB(1, 2, 3));

    // A negative height stores the rows top first.
    const auto topDown = MakeBmp(5, -2, 8, palette, {{0, 1, 2, 1, 0}, {2, 2, 2, 2, 0}});
    TBitmap t;
    t.LoadFromBmp(topDown);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(At(t, x, y), At(b, x, y)) << x << "," << y;
}

TEST(BitmapBmp, DecodesOneFourAnd32Bit) {
    // 1-bit, 10 wide: bits from the most significant end.
    const auto mono = MakeBmp(10, 1, 1, {clBlack, clWhite}, {{0b10100000, 0b01000000}});
    TBitmap m;
    m.LoadFromBmp(mono);
    EXPECT_EQ(At(m, 0, 0), clWhite);
    EXPECT_EQ(At(m, 1, 0), clBlack);
    EXPECT_EQ(At(m, 2, 0), clWhite);
    EXPECT_EQ(At(m, 9, 0), clWhite);
    EXPECT_EQ(At(m, 8, 0), clBlack);

    // 4-bit, high nibble first.
    const auto nibbles = MakeBmp(3, 1, 4, {clBlack, clRed, clBlue}, {{0x12, 0x00}});
    TBitmap n;
    n.LoadFromBmp(nibbles);
    EXPECT_EQ(At(n, 0, 0), clRed);
    EXPECT_EQ(At(n, 1, 0), clBlue);
    EXPECT_EQ(At(n, 2, 0), clBlack);

    // 32-bit B, G, R, unused.
    const auto deep = MakeBmp(2, 1, 32, {}, {{3, 2, 1, 0, 255, 255, 0, 7}});
    TBitmap d;
    d.LoadFromBmp(deep);
    EXPECT_EQ(At(d, 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(At(d, 1, 0), clAqua);
}

TEST(BitmapBmp, RejectsWhatItCannotRead) {
    TBitmap b;
    auto good = MakeBmp(2, 2, 24, {}, {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}});
    auto notBmp = good;
    notBmp[0] = 'X';
    EXPECT_THROW(b.LoadFromBmp(notBmp), EInvalidGraphic);
    auto truncated = good;
    truncated.resize(good.size() - 1);
    EXPECT_THROW(b.LoadFromBmp(truncated), EInvalidGraphic);
    EXPECT_THROW(b.LoadFromBmp(MakeBmp(2, 1, 8, {clBlack}, {{0, 0}}, /*BI_RLE8*/ 1)), EInvalidGraphic);
    try {
        b.LoadFromBmp(MakeBmp(2, 1, 2, {}, {{0}}));
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Bitmap image is not valid: unsupported bit count 2");
    }
    EXPECT_TRUE(b.Empty());  // a failed load leaves the bitmap as it was
}

TEST(BitmapPng, SavesAReadableRgbPng) {
    TBitmap b(7, 3);
    b.ScanLine(0)[0] = PixelFromColor(clRed);
    const std::string path = ::testing::TempDir() + "verbolt_bitmap_test.png";
    b.SavePng(path);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    ASSERT_GE(bytes.size(), 33u);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), bytes.begin()));
    EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
    EXPECT_EQ(bytes[16] << 24 | bytes[17] << 16 | bytes[18] << 8 | bytes[19], 7);  // width
    EXPECT_EQ(bytes[20] << 24 | bytes[21] << 16 | bytes[22] << 8 | bytes[23], 3);  // height
    EXPECT_EQ(bytes[24], 8);                                                       // bit depth
    EXPECT_EQ(bytes[25], 2);                                                       // colour type: RGB

    try {
        b.SavePng("/nonexistent-dir/x.png");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"/nonexistent-dir/x.png\". ", 0), 0u) << e.Message();
    }
}
