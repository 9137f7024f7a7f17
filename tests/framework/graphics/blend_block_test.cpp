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
