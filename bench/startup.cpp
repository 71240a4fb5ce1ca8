// Times the start of two programs that write a start-up report (Quillet with
// the probe, and its floor), run in alternating pairs, and prints one markdown table row of
// ratios (first / second): exec to the first run finished (for the floor:
// shown and painted), exec to the window first exposed, and peak RSS. Each
// cell gives the median of the pairs' ratios, its range, and the two
// programs' medians.
//   quillet-startup [--pairs N] [--label TEXT] PROGRAM FLOOR
// A first pair, not counted, warms the caches and the session's buses.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Start {
    double finishedMs;
    double exposedMs;
    double rssMiB;
};

std::int64_t now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One start of the program, to its end: its report, read back.
Start timeOne(const std::string& program)
{
    char path[] = "/tmp/quillet-startup.XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        throw std::runtime_error("mkstemp");
    close(fd);
    const std::int64_t exec = now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("QUILLET_STARTUP_REPORT", path, 1);
        alarm(30);  // a program that never finishes is killed
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::ifstream in(path);
    std::string word;
    std::int64_t exposed = 0;
    std::int64_t finished = 0;
    in >> word >> exposed >> word >> finished;
    unlink(path);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || exposed == 0 || finished == 0)
        throw std::runtime_error(program + ": no report (status " + std::to_string(status) + ")");
    return {static_cast<double>(finished - exec) / 1e6, static_cast<double>(exposed - exec) / 1e6,
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// "1.81 (1.70–1.95; 69.1 vs 38.2 ms)"
std::string cell(const std::vector<double>& a, const std::vector<double>& b, const char* unit)
{
    std::vector<double> ratio(a.size());
    std::transform(a.begin(), a.end(), b.begin(), ratio.begin(), std::divides<>());
    const auto [lo, hi] = std::minmax_element(ratio.begin(), ratio.end());
    std::array<char, 128> text{};
    std::snprintf(text.data(), text.size(), "%.2f (%.2f–%.2f; %.1f vs %.1f %s)", median(ratio), *lo, *hi, median(a),
                  median(b), unit);
    return text.data();
}

}  // namespace

int main(int argc, char* argv[])
{
    int pairs = 15;
    std::string label = "-";
    std::vector<std::string> programs;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--pairs" && k + 1 < argc)
            pairs = std::atoi(argv[++k]);
        else if (arg == "--label" && k + 1 < argc)
            label = argv[++k];
        else
            programs.push_back(arg);
    }
    if (programs.size() != 2 || pairs < 1) {
        std::fprintf(stderr, "usage: quillet-startup [--pairs N] [--label TEXT] PROGRAM FLOOR\n");
        return 2;
    }
    try {
        std::array<std::vector<Start>, 2> starts;
        for (int pair = 0; pair <= pairs; ++pair) {
            // Each program goes first in every other pair.
            const int first = pair % 2;
            const Start a = timeOne(programs[first]);
            const Start b = timeOne(programs[1 - first]);
            if (pair == 0)
                continue;
            starts[first].push_back(a);
            starts[1 - first].push_back(b);
        }
        // One figure of each start of program p.
        auto of = [&](int p, auto figure) {
            std::vector<double> v;
            for (const Start& s : starts[p])
                v.push_back(figure(s));
            return v;
        };
        auto finished = [](const Start& s) { return s.finishedMs; };
        auto exposed = [](const Start& s) { return s.exposedMs; };
        auto rss = [](const Start& s) { return s.rssMiB; };
        std::printf("| %s | %s | %s | %s |\n", label.c_str(), cell(of(0, finished), of(1, finished), "ms").c_str(),
                    cell(of(0, exposed), of(1, exposed), "ms").c_str(), cell(of(0, rss), of(1, rss), "MiB").c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillet-startup: %s\n", e.what());
        return 1;
    }
    return 0;
}
