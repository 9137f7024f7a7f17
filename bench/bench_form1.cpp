// The real window, Form1, on the headless desktop: a full repaint of each page, the tab
// strip repainting on hover, Create until the File page is painted, and one typed
// character in a phrase field; each next to a memset of the same back buffer.
#include <benchmark/benchmark.h>

#include <cstring>

#include "app/editor_form.h"
#include "controls/vt_button.h"
#include "controls/vt_edit.h"
#include "controls/vt_pages.h"
#include "framework/platform/headless/headless_platform.h"

namespace {

struct Editor {
    THeadlessPlatform* Desk;
    TApplication* App;
    TForm1* Form = nullptr;
    Editor() {
        Desk = &InstallHeadlessPlatform();
        App = CreateApplication();
        App->Initialize();
        App->SetTitle("Verbolt Editor v1.0");
        App->CreateForm(Form);
        Form->Show();
        App->ProcessMessages();
    }
    ~Editor() {
        DestroyApplication();
        InstallPlatform(nullptr);
    }
    TPoint Middle(TControl* c) { return c->ClientToScreen({c->Width() / 2, c->Height() / 2}); }
};

// The yardstick: clearing the whole back buffer once.
void BM_MemsetOfTheBackBuffer(benchmark::State& state) {
    Editor e;
    TBitmap* buffer = e.Form->BackBuffer();
    for (auto _ : state) {
        for (int y = 0; y < buffer->Height(); ++y)
            std::memset(buffer->ScanLine(y), static_cast<int>(state.iterations() & 0xFF),
                        buffer->Width() * sizeof(TPixel));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetOfTheBackBuffer)->Unit(benchmark::kMicrosecond);

// What start-up spends in our own code: the application, Form1 read from its description,
// shown and painted for the first time (fonts are realised once per process, as at start).
void BM_StartTheWindow(benchmark::State& state) {
    for (auto _ : state) {
        Editor e;
        benchmark::DoNotOptimize(e.Form);
    }
}
BENCHMARK(BM_StartTheWindow)->Unit(benchmark::kMicrosecond);

void BM_FullRepaintOfAPage(benchmark::State& state) {
    Editor e;
    e.Form->VtPageControl1->SetActivePageIndex(static_cast<int>(state.range(0)));
    e.App->ProcessMessages();
    for (auto _ : state) {
        e.Form->Invalidate();
        e.Form->PaintPending();
    }
}
BENCHMARK(BM_FullRepaintOfAPage)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// The pointer moves from one tab to the next and back: each move repaints the strip.
void BM_TabStripHover(benchmark::State& state) {
    Editor e;
    TVtPageControl* pages = e.Form->VtPageControl1;
    const TPoint first = pages->ClientToScreen({60, 10});
    const TPoint second = pages->ClientToScreen({190, 10});
    bool flip = false;
    for (auto _ : state) {
        e.Desk->MoveMouse(e.Form->WindowId(), (flip = !flip) ? second : first);
        e.App->ProcessMessages();
    }
}
BENCHMARK(BM_TabStripHover)->Unit(benchmark::kMicrosecond);

void BM_CreateUntilTheFilePageIsPainted(benchmark::State& state) {
    Editor e;
    const TPoint create = e.Middle(e.Form->btnCreate);
    for (auto _ : state) {
        e.Desk->Click(e.Form->WindowId(), create);
        e.App->ProcessMessages();
    }
}
BENCHMARK(BM_CreateUntilTheFilePageIsPainted)->Unit(benchmark::kMicrosecond);

void BM_TypedCharacterInAPhraseField(benchmark::State& state) {
    Editor e;
    auto* field = dynamic_cast<TVtEdit*>(e.Form->FindComponent("edAuthor"));
    field->SetFocus();
    e.App->ProcessMessages();
    int n = 0;
    for (auto _ : state) {
        // Type and rub out again, so the text stays the same length.
        if (++n % 2) e.Desk->TypeText(e.Form->WindowId(), "x");
        else e.Desk->PressKey(e.Form->WindowId(), VK_BACK);
        e.App->ProcessMessages();
    }
}
BENCHMARK(BM_TypedCharacterInAPhraseField)->Unit(benchmark::kMicrosecond);

}  // namespace
