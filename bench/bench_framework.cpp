// The control tree's hot paths: pointer moves over a form of 100 controls (routing, idle
// mouse-enter/leave, hot-tracking repaints) and a full repaint of a 689 × 427 form.
#include <benchmark/benchmark.h>

#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

namespace {

// Paints a face and a frame; repaints on pointer entry and exit like a hot-tracking button.
class THotBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool Hot = false;
    bool Quiet = false;  // track the pointer without repainting

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(Hot ? clYellow : Color());
        Canvas()->FillRect(ClientRect());
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FrameRect(ClientRect());
    }
    void CMMouseEnter(TMessage&) override {
        Hot = true;
        if (!Quiet) InvalidateRect(nullptr, false);
    }
    void CMMouseLeave(TMessage&) override {
        Hot = false;
        if (!Quiet) InvalidateRect(nullptr, false);
    }
};

class TFlatGlyph : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clNavy);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
};

struct Desktop {
    THeadlessPlatform* Desk;
    TForm* Form = nullptr;
    Desktop() {
        Desk = &InstallHeadlessPlatform();
        CreateApplication()->Initialize();
        Application->CreateForm(Form);
        Form->SetBorderStyle(bsSingle);
        Form->SetClientWidth(689);
        Form->SetClientHeight(427);
        // 10 × 10 cells of 68 × 42: windowed and windowless alternate.
        for (int i = 0; i < 100; ++i) {
            const int x = (i % 10) * 68 + 2, y = (i / 10) * 42 + 2;
            TControl* c = (i % 2 == 0) ? static_cast<TControl*>(new THotBox(Form)) : new TFlatGlyph(Form);
            c->SetBounds(x, y, 64, 38);
            c->SetColor(clBtnFace);
            c->SetParent(Form);
        }
        Form->Show();
        Application->ProcessMessages();
    }
    ~Desktop() {
        DestroyApplication();
        InstallPlatform(nullptr);
    }
};

void BM_MouseMovesOverHundredControls(benchmark::State& state) {
    Desktop d;
    const TWindowId w = d.Form->WindowId();
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            d.Desk->MoveMouse(w, {(i * 37) % 689, (i * 53) % 427});
            Application->ProcessMessages();
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_MouseMovesOverHundredControls)->Unit(benchmark::kMillisecond);

// The routing alone: every move crosses controls (hit test, capture check, idle
// mouse-enter/leave) but nothing repaints, so what is measured is the dispatch.
void BM_MouseMovesDispatchOnly(benchmark::State& state) {
    Desktop d;
    for (int i = 0; i < d.Form->ControlCount(); ++i)
        if (auto* hot = dynamic_cast<THotBox*>(d.Form->Controls(i))) hot->Quiet = true;
    const TWindowId w = d.Form->WindowId();
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            d.Desk->MoveMouse(w, {(i * 37) % 689, (i * 53) % 427});
            Application->ProcessMessages();
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_MouseMovesDispatchOnly)->Unit(benchmark::kMillisecond);

void BM_FullRepaint689x427(benchmark::State& state) {
    Desktop d;
    for (auto _ : state) {
        d.Form->Invalidate();
        d.Form->PaintPending();
    }
}
BENCHMARK(BM_FullRepaint689x427)->Unit(benchmark::kMicrosecond);

}  // namespace
