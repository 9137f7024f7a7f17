// Opening the default language file in the real window on the headless desktop: reading
// the file, the 55 fields and the comment taking its texts, Create, and the File page
// painted. The goal is a millisecond.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "app/editor_form.h"
#include "framework/platform/headless/headless_platform.h"
#include "langfile/language_file.h"

static void BM_OpenDefaultFileInTheWindow(benchmark::State& state) {
    const std::string path = "/tmp/verbolt-bench-open-" + std::to_string(getpid()) + ".php";
    {
        std::ofstream out(path, std::ios::binary);
        out << langfile::ByteForm(langfile::BuildLanguageFile(langfile::DefaultPhraseTexts(), ""));
    }
    InstallHeadlessPlatform();
    TApplication* app = CreateApplication();
    app->Initialize();
    app->SetTitle("Verbolt Editor v1.0");
    TForm1* form = nullptr;
    app->CreateForm(form);
    form->Show();
    app->ProcessMessages();
    for (auto _ : state) {
        form->OpenLanguageFile(path);
        app->ProcessMessages();
    }
    DestroyApplication();
    InstallPlatform(nullptr);
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenDefaultFileInTheWindow)->Unit(benchmark::kMicrosecond);
