// Measures start-up as a user sees it: from exec to the first moment a chosen screen pixel
// shows the colour the program paints there, and the resident memory just after. Programs
// are started alternately, so both meet the same machine state; medians are printed.
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

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

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
    std::printf("%-10s %12s %12s %10s\n", "program", "painted ms", "resident MB", "runs");
    for (const Subject& s : subjects)
        std::printf("%-10s %12.1f %12.1f %10zu\n", s.Name.c_str(), Median(s.Ms), Median(s.RssMb), s.Ms.size());
    if (subjects.size() == 2) {
        std::printf("ratio %s/%s: time %.2f, resident +%.1f MB\n", subjects[1].Name.c_str(), subjects[0].Name.c_str(),
                    Median(subjects[1].Ms) / Median(subjects[0].Ms),
                    Median(subjects[1].RssMb) - Median(subjects[0].RssMb));
    }
    XCloseDisplay(d);
    return 0;
}
