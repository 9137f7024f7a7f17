// Canvas fill and copy speed on a window-sized surface (the editor's 689 x 427 client area),
// against memset of the same buffer as the floor.
#include <benchmark/benchmark.h>

#include <cstring>

#include "framework/graphics/canvas.h"

namespace {

constexpr int kWidth = 689;
constexpr int kHeight = 427;

void BM_MemsetFloor(benchmark::State& state) {
    TBitmap bitmap(kWidth, kHeight);
    for (auto _ : state) {
        std::memset(bitmap.Bits(), 0x7F, sizeof(TPixel) * kWidth * kHeight);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TPixel) * kWidth * kHeight);
}
BENCHMARK(BM_MemsetFloor);

void BM_FillRectWhole(benchmark::State& state) {
    TBitmap bitmap(kWidth, kHeight);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    for (auto _ : state) {
        canvas->FillRect({0, 0, kWidth, kHeight});
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TPixel) * kWidth * kHeight);
}
BENCHMARK(BM_FillRectWhole);

// The same fill through a selected clip region (the tab control clips to tab shapes).
void BM_FillRectClipped(benchmark::State& state) {
    TBitmap bitmap(kWidth, kHeight);
    TCanvas* canvas = bitmap.Canvas();
    const TPoint shape[] = {{0, 0}, {kWidth, 0}, {kWidth - 40, kHeight}, {40, kHeight}};
    const HRGN region = CreatePolygonRgn(shape, 4);
    canvas->SelectClipRgn(region);
    canvas->Brush()->SetColor(clBtnFace);
    for (auto _ : state) {
        canvas->FillRect({0, 0, kWidth, kHeight});
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TPixel) * kWidth * kHeight);
}
BENCHMARK(BM_FillRectClipped);

// Presenting a composed off-screen picture: one plain copy of the whole surface.
void BM_CopyRectWhole(benchmark::State& state) {
    TBitmap source(kWidth, kHeight), dest(kWidth, kHeight);
    const TRect all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        dest.Canvas()->CopyRect(all, source.Canvas(), all);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * sizeof(TPixel) * kWidth * kHeight);
}
BENCHMARK(BM_CopyRectWhole);

// Frame painters draw many short one-pixel lines.
void BM_FrameLines(benchmark::State& state) {
    TBitmap bitmap(kWidth, kHeight);
    TCanvas* canvas = bitmap.Canvas();
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            canvas->MoveTo(i, i);
            canvas->LineTo(kWidth - i, i);
            canvas->LineTo(kWidth - i, kHeight - i);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameLines);

// Lines of 2^range(0) pixels: entirely outside the surface (below it), and crossing it
// diagonally. Their cost follows what is visible, not their length.
void BM_LineOffSurface(benchmark::State& state) {
    TBitmap bitmap(kWidth, kHeight);
    TCanvas* canvas = bitmap.Canvas();
    const int length = 1 << state.range(0);
    for (auto _ : state) {
        canvas->MoveTo(-length / 2, kHeight + 10);
        canvas->LineTo(length / 2, kHeight + 10 + length / 3);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LineOffSurface)->Arg(10)->Arg(27)->Arg(30);

void BM_LineAcrossSurface(benchmark::State& state) {
    TBitmap bitmap(kWidth, kHeight);
    TCanvas* canvas = bitmap.Canvas();
    const int length = 1 << state.range(0);
    for (auto _ : state) {
        canvas->MoveTo(-length / 2, -length / 2);
        canvas->LineTo(length / 2, length / 2);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LineAcrossSurface)->Arg(10)->Arg(27)->Arg(30);

// Shapes a billion pixels tall: a frame, a focus rectangle, a polygon and a rectangle region.
void BM_TallShapes(benchmark::State& state) {
    TBitmap bitmap(kWidth, kHeight);
    TCanvas* canvas = bitmap.Canvas();
    const int big = 1 << 30;
    const TPoint tri[] = {{-big, -big}, {big, big}, {-big, big}};
    canvas->Brush()->SetColor(clBtnFace);
    for (auto _ : state) {
        canvas->FrameRect({-big, -big, big, big});
        canvas->DrawFocusRect({-big, 10, big, big});
        canvas->Polygon(tri, 3);
        canvas->FillRegion(*CreateRectRgn(-big, -big, big, big));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TallShapes);

}  // namespace
