// Text drawing speed: a window's worth of short captions (300 runs of Tahoma at character
// height 11) on a 689 × 427 surface, glyphs already cached. Goal: under 1 ms per frame.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

namespace {

const std::vector<std::string>& Captions() {
    static const std::vector<std::string> captions = [] {
        const char* words[] = {"Server offline", "The Server", "is",         "pure",         "Players",  "Map",
                               "Create",         "Save File",  "Clear File", "Exit Program", "Comment:", "Kills"};
        std::vector<std::string> out;
        for (int i = 0; i < 300; ++i) out.push_back(words[i % 12]);
        return out;
    }();
    return captions;
}

void Prepare(TCanvas* canvas) {
    canvas->Font()->SetName("Tahoma");
    canvas->Font()->SetHeight(-11);
    canvas->Font()->SetColor(clWhite);
    canvas->Brush()->SetStyle(bsClear);
}

void BM_TextOut300(benchmark::State& state) {
    TBitmap bmp(689, 427);
    TCanvas* canvas = bmp.Canvas();
    Prepare(canvas);
    const auto& captions = Captions();
    for (auto _ : state) {
        for (int i = 0; i < 300; ++i) canvas->TextOut((i % 6) * 110 + 4, (i / 6) * 8 + 2, captions[i]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TextOut300)->Unit(benchmark::kMicrosecond);

void BM_DrawText300(benchmark::State& state) {
    TBitmap bmp(689, 427);
    TCanvas* canvas = bmp.Canvas();
    Prepare(canvas);
    const auto& captions = Captions();
    for (auto _ : state) {
        for (int i = 0; i < 300; ++i) {
            TRect r = Bounds((i % 6) * 110 + 4, (i / 6) * 8 + 2, 105, 17);
            canvas->DrawText(captions[i], r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawText300)->Unit(benchmark::kMicrosecond);

void BM_TextWidth300(benchmark::State& state) {
    TBitmap bmp(16, 16);
    TCanvas* canvas = bmp.Canvas();
    Prepare(canvas);
    const auto& captions = Captions();
    for (auto _ : state) {
        int sum = 0;
        for (const auto& c : captions) sum += canvas->TextWidth(c);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TextWidth300)->Unit(benchmark::kMicrosecond);

}  // namespace
