// A glyph's block of coverage blended at once must leave exactly the pixels that blending it
// pixel by pixel leaves, whatever the binding, the clip region and the block's position.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/region.h"

namespace {

// A fresh surface with a pattern, so every blend shows against something.
void Paint(TBitmap& b) {
    b.SetSize(40, 30);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) b.ScanLine(y)[x] = 0xFF000000u | (x * 6) << 16 | (y * 8) << 8 | 0x40;
}

// Star-shaped, ring-like and empty regions: several bands with one or more spans each.
HRGN SomeRegion(std::mt19937& rng) {
    std::uniform_int_distribution<int> coord(-5, 35);
    switch (rng() % 4) {
        case 0: return nullptr;
        case 1: return CreateRectRgn(coord(rng), coord(rng), coord(rng), coord(rng));
        default: {
            std::vector<TPoint> points;
            for (int i = 0; i < 5 + static_cast<int>(rng() % 4); ++i) points.push_back({coord(rng), coord(rng)});
            return CreatePolygonRgn(points.data(), static_cast<int>(points.size()));
        }
    }
}

}  // namespace

TEST(BlendSurfaceBlock, LeavesThePixelsThatBlendingEachPixelLeaves) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> pos(-12, 40), size(0, 14), cov(0, 3);
    for (int round = 0; round < 600; ++round) {
        TBitmap blockSurface, pixelSurface;
        Paint(blockSurface);
        Paint(pixelSurface);
        const TPoint origin{static_cast<int>(rng() % 7), static_cast<int>(rng() % 7)};
        const TRect clip{static_cast<int>(rng() % 10), static_cast<int>(rng() % 10), 25 + static_cast<int>(rng() % 20),
                         18 + static_cast<int>(rng() % 15)};
        const HRGN region = SomeRegion(rng);
        TCanvas block, pixels;
        block.Bind(&blockSurface, origin, clip);
        pixels.Bind(&pixelSurface, origin, clip);
        block.SelectClipRgn(region);
        pixels.SelectClipRgn(region);

        const int w = size(rng), h = size(rng), stride = w + static_cast<int>(rng() % 3);
        std::vector<uint8_t> coverage(static_cast<std::size_t>(stride) * h);
        // Mostly off and fully on, as a 1-bit strike, with some grey edges.
        static constexpr uint8_t kLevels[] = {0, 255, 255, 96};
        for (uint8_t& c : coverage) c = kLevels[cov(rng)];
        const int sx = pos(rng), sy = pos(rng);
        const TColor color = RGB(rng() % 256, rng() % 256, rng() % 256);

        block.BlendSurfaceBlock(sx, sy, coverage.data(), stride, w, h, color);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.BlendSurfacePixel(sx + x, sy + y, color, coverage[y * stride + x]);

        for (int y = 0; y < blockSurface.Height(); ++y)
            for (int x = 0; x < blockSurface.Width(); ++x)
                ASSERT_EQ(blockSurface.ScanLine(y)[x], pixelSurface.ScanLine(y)[x])
                    << "round " << round << " at (" << x << ", " << y << ")";
    }
}

// Every coverage against every source level and a spread of destination levels: each channel
// is (s × c + d × (255 − c) + 127) / 255, the rounded mix, and the others stay apart.
TEST(BlendSurfaceBlock, EveryCoverageMixesEachChannelRounded) {
    TBitmap surface;
    surface.SetSize(256, 1);
    TCanvas canvas;
    canvas.Bind(&surface, {0, 0}, {0, 0, 256, 1});
    for (const unsigned d : {0u, 1u, 127u, 128u, 200u, 254u, 255u}) {
        for (unsigned s = 0; s < 256; ++s) {
            const TPixel dst = 0xFF000000u | d << 16 | (255 - d) << 8 | d;
            for (int x = 0; x < 256; ++x) surface.ScanLine(0)[x] = dst;
            std::vector<uint8_t> coverage(256);
            for (int c = 0; c < 256; ++c) coverage[c] = static_cast<uint8_t>(c);
            canvas.BlendSurfaceRow(0, 0, coverage.data(), 256, RGB(s, 255 - s, s));
            for (unsigned c = 0; c < 256; ++c) {
                auto mix = [c](unsigned src, unsigned old) {
                    return c == 0 ? old : (src * c + old * (255 - c) + 127) / 255;
                };
                const TPixel expected = 0xFF000000u | mix(s, d) << 16 | mix(255 - s, 255 - d) << 8 | mix(s, d);
                ASSERT_EQ(surface.ScanLine(0)[c], expected) << "s " << s << " d " << d << " c " << c;
            }
        }
    }
}

// Every channel value over every other at every coverage: (s*c + d*(255-c) + 127) / 255 in
// each channel, the other two channels carrying values of their own alongside.
TEST(BlendSurfaceRow, RoundsEachChannelOfEveryBlend) {
    TBitmap surface;
    surface.SetSize(255, 1);
    TCanvas canvas;
    canvas.Bind(&surface, {0, 0}, {0, 0, 255, 1});
    std::vector<uint8_t> coverage(255);
    for (int c = 1; c <= 255; ++c) coverage[c - 1] = static_cast<uint8_t>(c);
    auto expected = [](unsigned s, unsigned d, unsigned c) { return (s * c + d * (255 - c) + 127) / 255; };
    int wrong = 0;
    for (unsigned s = 0; s < 256; ++s)
        for (unsigned d = 0; d < 256; ++d) {
            // Red carries (s, d), green (d, s) and blue (255 - s, d).
            const TPixel under = 0xFF000000u | (d << 16) | (s << 8) | d;
            for (int x = 0; x < 255; ++x) surface.ScanLine(0)[x] = under;
            canvas.BlendSurfaceRow(0, 0, coverage.data(), 255, RGB(s, d, 255 - s));
            for (unsigned c = 1; c <= 255; ++c) {
                const TPixel p = surface.ScanLine(0)[c - 1];
                const TPixel want =
                    0xFF000000u | expected(s, d, c) << 16 | expected(d, s, c) << 8 | expected(255 - s, d, c);
                if (p != want && ++wrong <= 5)
                    ADD_FAILURE() << std::hex << "s " << s << " d " << d << " c " << c << ": " << p << " want " << want;
            }
        }
    EXPECT_EQ(wrong, 0);
}
