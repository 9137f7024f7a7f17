// What assistive tools cost, on the real Form1 on the headless desktop: reading the whole
// accessible tree once, as a screen reader does when the window appears (goal: under 10 ms),
// and typing 1 000 characters into a field with the form painting after each one, with a
// tool listening and without (goal: listening adds under a fifth; without, nothing is made).
#include <benchmark/benchmark.h>

#include "app/editor_form.h"
#include "framework/platform/headless/headless_platform.h"

namespace {

struct Editor {
    Editor() {
        Desk = &InstallHeadlessPlatform();
        App = CreateApplication();
        App->Initialize();
        App->CreateForm(Form1);
        Form1->Show();
        App->ProcessMessages();
    }
    ~Editor() {
        DestroyApplication();
        InstallPlatform(nullptr);
    }
    THeadlessPlatform* Desk = nullptr;
    TApplication* App = nullptr;
    TForm1* Form1 = nullptr;
};

void BM_ReadTheWholeTreeOfForm1(benchmark::State& state) {
    Editor e;
    e.Desk->SetAccessibilityActive(true);
    TAccessibleTree* tree = e.Desk->AccessibleTree(e.Form1->WindowId());
    size_t objects = 0;
    for (auto _ : state) {
        const TAccessibleSnapshot root = SnapshotAccessibleTree(*tree);
        objects = root.FindAll([](const TAccessibleSnapshot&) { return true; }).size();
        benchmark::DoNotOptimize(objects);
    }
    state.counters["objects"] = static_cast<double>(objects);
}
BENCHMARK(BM_ReadTheWholeTreeOfForm1)->Unit(benchmark::kMillisecond);

void BM_Type1000CharactersIntoAField(benchmark::State& state) {
    Editor e;
    e.Desk->SetAccessibilityActive(state.range(0) != 0);
    auto* field = dynamic_cast<TWinControl*>(e.Form1->FindComponent("edAuthor"));
    field->SetFocus();
    e.App->ProcessMessages();
    for (auto _ : state) {
        field->SetText("");
        for (int i = 0; i < 1000; ++i) {
            e.Desk->TypeText(e.Form1->WindowId(), "x");
            e.App->ProcessMessages();
        }
        e.Desk->ClearAccessibleEvents();
    }
}
BENCHMARK(BM_Type1000CharactersIntoAField)->Arg(0)->Arg(1)->ArgName("listening")->Unit(benchmark::kMillisecond);

}  // namespace
