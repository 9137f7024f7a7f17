// The event loop at rest on the real desktop driver: a form, a 500 ms timer, ten seconds.
// Reported as the process's CPU share over that time (goal: under 0.2 %). Without a display
// Qt's offscreen platform stands in.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>
#include <string>

#include "framework/platform/qt/qt_platform.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

namespace {

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void BM_IdleLoopWithHalfSecondTimer(benchmark::State& state) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_idle_loop";
    static char* argv[] = {name, nullptr};
    std::string error;
    auto platform = CreateQtPlatform(argc, argv, &error);
    if (!platform) {
        state.SkipWithError(error.c_str());
        return;
    }
    InstallPlatform(std::move(platform));
    TApplication* app = CreateApplication();
    app->Initialize();
    TForm* form = nullptr;
    app->CreateForm(form);
    form->SetClientWidth(689);
    form->SetClientHeight(427);
    int ticks = 0;
    auto* timer = new TTimer(form);  // the form owns and frees both timers
    timer->SetInterval(500);
    timer->OnTimer = [&](TObject*) { ++ticks; };
    auto* stop = new TTimer(form);
    stop->SetInterval(10000);
    stop->OnTimer = [&](TObject*) { app->Terminate(); };
    double cpu = 0;
    for (auto _ : state) {
        const double before = CpuSeconds();
        app->Run();
        cpu = CpuSeconds() - before;
    }
    state.counters["cpu_percent"] = cpu / 10.0 * 100.0;
    state.counters["ticks"] = ticks;
    DestroyApplication();
    InstallPlatform(nullptr);
}
BENCHMARK(BM_IdleLoopWithHalfSecondTimer)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
