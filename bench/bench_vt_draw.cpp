// The tab gradient at the size of the page control's tab strip, and the tinted frame styles
// that run the colour arithmetic on every paint.
#include <benchmark/benchmark.h>

#include "controls/vt_draw.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

static void BM_GradientHorizontalEnd(benchmark::State& state) {
    TBitmap target(689, 177);
    for (auto _ : state) {
        PaintGradient(target.Canvas(), {0, 0, 689, 177}, gdHorizontalEnd, RGB(255, 255, 255), RGB(172, 168, 153), 1);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_GradientHorizontalEnd)->Unit(benchmark::kMicrosecond);

static void BM_TintedButtonFrame(benchmark::State& state) {
    TBitmap target(75, 25);
    for (auto _ : state) {
        TRect r = PaintTintedFrameStyle(target.Canvas(), {0, 0, 75, 25}, RGB(244, 244, 240), fsButtonUp);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_TintedButtonFrame)->Unit(benchmark::kMicrosecond);
