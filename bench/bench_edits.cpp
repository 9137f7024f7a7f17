// The edit controls under load on the headless desktop: typing 10 000 characters into an edit
// with the form painting after each one (goal: under 1 s), scrolling a memo of 10 000 lines a
// page at a time from top to bottom with a paint after each page (goal: under 0.5 s), and
// pasting 1 MB into a memo.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/platform/headless/headless_platform.h"
#include "framework/stdctrls/edits.h"
#include "framework/stdctrls/memo.h"
#include "framework/ui/forms.h"

namespace {

// A shown form on a fresh headless desktop, torn down at the end of the benchmark.
struct Desktop {
    Desktop() {
        Desk = &InstallHeadlessPlatform();
        App = CreateApplication();
        App->Initialize();
        App->CreateForm(Form);
        Form->SetBorderStyle(bsSingle);
        Form->SetClientWidth(689);
        Form->SetClientHeight(427);
    }
    ~Desktop() {
        DestroyApplication();
        InstallPlatform(nullptr);
    }
    void Show() {
        Form->Show();
        App->ProcessMessages();
    }
    THeadlessPlatform* Desk = nullptr;
    TApplication* App = nullptr;
    TForm* Form = nullptr;
};

}  // namespace

static void BM_TypeTenThousandCharactersIntoAnEdit(benchmark::State& state) {
    Desktop d;
    auto* e = new TEdit(d.Form);
    e->SetParent(d.Form);
    e->Font()->SetName("Tahoma");
    e->Font()->SetHeight(-11);
    e->SetCtl3D(false);
    e->SetBounds(136, 13, 161, e->Height());
    d.Show();
    e->SetFocus();
    for (auto _ : state) {
        e->SetText("");
        for (int i = 0; i < 10000; ++i) {
            d.Desk->TypeText(d.Form->WindowId(), std::string(1, static_cast<char>('a' + i % 26)));
            d.App->ProcessMessages();  // routes the character and paints
        }
        benchmark::DoNotOptimize(e->Text().size());
    }
}
BENCHMARK(BM_TypeTenThousandCharactersIntoAnEdit)->Unit(benchmark::kMillisecond);

static void BM_ScrollATenThousandLineMemoByPages(benchmark::State& state) {
    Desktop d;
    auto* m = new TMemo(d.Form);
    m->SetParent(d.Form);
    m->Font()->SetName("Lucida Console");
    m->Font()->SetHeight(-11);
    m->SetBounds(16, 16, 641, 265);
    m->SetScrollBars(ssBoth);
    m->SetWordWrap(false);
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "$lang_line_" + std::to_string(i) + " = \"Some translated phrase\";\r\n";
    m->SetText(text);
    d.Show();
    for (auto _ : state) {
        m->LineScroll(-m->RowCount());
        d.App->ProcessMessages();
        int pages = 0;
        for (int last = -1; m->TopRow() != last;) {
            last = m->TopRow();
            m->LineScroll(m->VisibleRows());
            d.App->ProcessMessages();
            ++pages;
        }
        benchmark::DoNotOptimize(pages);
    }
}
BENCHMARK(BM_ScrollATenThousandLineMemoByPages)->Unit(benchmark::kMillisecond);

static void BM_PasteOneMegabyteIntoAMemo(benchmark::State& state) {
    Desktop d;
    auto* m = new TMemo(d.Form);
    m->SetParent(d.Form);
    m->SetBounds(16, 16, 641, 265);
    m->SetScrollBars(ssBoth);
    m->SetWordWrap(false);
    d.Show();
    m->SetFocus();
    std::string text;
    while (text.size() < (1u << 20)) text += "a pasted line of some length, with words\r\n";
    d.Desk->SetClipboardText(text);
    for (auto _ : state) {
        m->SetText("");
        m->PasteFromClipboard();
        d.App->ProcessMessages();
        d.Desk->TypeText(d.Form->WindowId(), "x");  // and one keystroke after it
        d.App->ProcessMessages();
        benchmark::DoNotOptimize(m->Buffer().Length());
    }
}
BENCHMARK(BM_PasteOneMegabyteIntoAMemo)->Unit(benchmark::kMillisecond);
