// Measures start-up as a user sees it: from exec to the first moment a chosen screen pixel
// shows the colour the program paints there, and the resident memory just after. Programs
// are started alternately, so both meet the same machine state; medians are printed, with
// the middle half of the runs around them: on a shared machine one start can take half as
// long again as the next, and the spread says how far a ratio of medians can be trusted.
// Usage: verbolt-start-probe RUNS NAME X Y RRGGBB PROGRAM [ARGS...] -- NAME X Y RRGGBB PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Subject {
    std::string Name;
    int X = 0, Y = 0;
    unsigned long Rgb = 0;
    std::vector<char*> Argv;
    std::vector<double> Ms;
    std::vector<double> RssMb;
};

double NowMs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double ResidentMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

unsigned long PixelAt(Display* d, int x, int y) {
    XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return ~0ul;
    const unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
    XDestroyImage(img);
    return p;
}

bool RunOnce(Display* d, Subject& s) {
    // A clean screen: the last run's window must be gone.
    const double start = NowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(s.Argv[0], s.Argv.data());
        _exit(127);
    }
    double painted = -1;
    while (NowMs() - start < 10000) {
        if (PixelAt(d, s.X, s.Y) == s.Rgb) {
            painted = NowMs() - start;
            break;
        }
        usleep(200);
    }
    usleep(300 * 1000);  // settled: what it holds once the window is up
    const double rss = ResidentMb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    // Wait until the pixel no longer shows the colour, so the next run starts clean.
    for (int i = 0; i < 2000 && PixelAt(d, s.X, s.Y) == s.Rgb; ++i) usleep(500);
    if (painted < 0) return false;
    s.Ms.push_back(painted);
    s.RssMb.push_back(rss);
    return true;
}

// The value below which the fraction q of v lies, between neighbouring runs (q 0.5: the
// median).
double Quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const double at = q * static_cast<double>(v.size() - 1);
    const std::size_t below = static_cast<std::size_t>(at);
    if (below + 1 >= v.size()) return v.back();
    return v[below] + (at - static_cast<double>(below)) * (v[below + 1] - v[below]);
}
double Median(const std::vector<double>& v) { return Quantile(v, 0.5); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS NAME X Y RRGGBB PROGRAM [ARGS...] -- NAME X Y RRGGBB PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<Subject> subjects;
    for (int i = 2; i < argc;) {
        if (i + 4 >= argc) return 2;
        Subject s;
        s.Name = argv[i];
        s.X = std::atoi(argv[i + 1]);
        s.Y = std::atoi(argv[i + 2]);
        s.Rgb = std::strtoul(argv[i + 3], nullptr, 16);
        i += 4;
        while (i < argc && std::string(argv[i]) != "--") s.Argv.push_back(argv[i++]);
        s.Argv.push_back(nullptr);
        ++i;
        subjects.push_back(std::move(s));
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "start probe: no display\n");
        return 1;
    }
    for (int r = 0; r < runs; ++r)
        for (Subject& s : subjects)
            if (!RunOnce(d, s)) {
                std::fprintf(stderr, "start probe: %s never painted (%d,%d) as %06lx; it shows %06lx\n", s.Name.c_str(),
                             s.X, s.Y, s.Rgb, PixelAt(d, s.X, s.Y));
                return 1;
            }
    std::printf("%-10s %12s %14s %12s %6s\n", "program", "painted ms", "middle half", "resident MB", "runs");
    for (const Subject& s : subjects)
        std::printf("%-10s %12.1f %6.1f - %5.1f %12.1f %6zu\n", s.Name.c_str(), Median(s.Ms), Quantile(s.Ms, 0.25),
                    Quantile(s.Ms, 0.75), Median(s.RssMb), s.Ms.size());
    if (subjects.size() == 2) {
        const Subject& base = subjects[0];
        const Subject& other = subjects[1];
        std::printf("ratio %s/%s: time %.2f, resident +%.1f MB\n", other.Name.c_str(), base.Name.c_str(),
                    Median(other.Ms) / Median(base.Ms), Median(other.RssMb) - Median(base.RssMb));
        // Each start against the one just before it: both met the machine in the same state.
        std::vector<double> paired;
        for (std::size_t r = 0; r < other.Ms.size() && r < base.Ms.size(); ++r)
            paired.push_back(other.Ms[r] / base.Ms[r]);
        std::printf("run by run (%s over the %s just before it): median %.2f, middle half %.2f - %.2f\n",
                    other.Name.c_str(), base.Name.c_str(), Median(paired), Quantile(paired, 0.25),
                    Quantile(paired, 0.75));
    }
    XCloseDisplay(d);
    return 0;
}
