// SPDX-License-Identifier: MIT
// Start-up and memory of the real program beside a peer build of it, in the
// same run: each iteration starts the program on a bare X server, times it
// from the start of the process until its main window is mapped, then reads
// its resident memory (VmRSS) and ends it. The peer is another build of the
// program (for instance the one before a change), so the printed ratios are
// what the change costs at start-up.
//
//   Xvfb :99 &
//   DISPLAY=:99 bench_ui_startup --ours=build/app/nestora --peer=/tmp/before/app/nestora
//       --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true
//
// No window manager should run: the window is then mapped by the program
// itself and the server reports it at once. Each program runs from a copy
// in a folder of its own (with the libraries beside it), without a settings
// file, so both start on the defaults.
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Program {
    fs::path path;  // the copy that runs
};
std::map<std::string, Program> programs;
Display* display = nullptr;

// A copy of the program and the shared libraries beside it in a new folder.
fs::path CopyProgram(const fs::path& program, const fs::path& folder) {
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(program.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (entry.path() == program || name.ends_with(".so"))
            fs::copy_file(entry.path(), folder / name, fs::copy_options::overwrite_existing);
    }
    return folder / program.filename();
}

long StatusKilobytes(pid_t pid, const char* key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(key)) return std::stol(line.substr(std::strlen(key)));
    return -1;
}

// Starts the program, waits for the first window it maps, and returns the
// seconds that took; its VmRSS at that moment goes to `rss`.
double StartOnce(const fs::path& program, long& rss) {
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);  // drop what came before
    const std::string path = program.string();
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    XEvent event;
    for (;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify) break;
    }
    const auto mapped = std::chrono::steady_clock::now();
    rss = StatusKilobytes(pid, "VmRSS:");
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return std::chrono::duration<double>(mapped - start).count();
}

void BM_StartUntilMapped(benchmark::State& state, const std::string& which) {
    const fs::path program = programs.at(which).path;
    long total = 0;
    for (auto _ : state) {
        long rss = 0;
        const double seconds = StartOnce(program, rss);
        if (seconds < 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        state.SetIterationTime(seconds);
        total += rss;
    }
    state.counters["rss_kB"] =
        benchmark::Counter(static_cast<double>(total) / static_cast<double>(state.iterations()));
}

// The medians of time and memory of each program, for the ratios.
class KeepingReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, std::pair<double, double>> medians;  // seconds, kB
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            const auto rss = run.counters.find("rss_kB");
            medians[run.benchmark_name()] = {run.GetAdjustedRealTime(),
                                             rss == run.counters.end() ? 0.0 : rss->second.value};
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest;
    std::map<std::string, std::string> given;
    for (int k = 0; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg.starts_with("--ours=") || arg.starts_with("--peer="))
            given[arg.substr(2, 4)] = arg.substr(7);
        else
            rest.push_back(argv[k]);
    }
    if (given.size() != 2) {
        std::fprintf(stderr, "usage: %s --ours=PROGRAM --peer=PROGRAM [benchmark options]\n",
                     argv[0]);
        return 2;
    }
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display: start Xvfb and set DISPLAY\n");
        return 2;
    }
    unsetenv("QT_QPA_PLATFORM");
    const fs::path work =
        fs::temp_directory_path() / ("nestora-startup-" + std::to_string(getpid()));
    for (const auto& [which, path] : given) {
        programs[which] = {CopyProgram(fs::absolute(path), work / which)};
        benchmark::RegisterBenchmark(
            ("BM_StartUntilMapped/" + which).c_str(),
            [which = which](benchmark::State& state) { BM_StartUntilMapped(state, which); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(4);
    }

    int restArgc = static_cast<int>(rest.size());
    benchmark::Initialize(&restArgc, rest.data());
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fs::remove_all(work);

    double oursTime = 0, peerTime = 0, oursRss = 0, peerRss = 0;
    for (const auto& [name, values] : reporter.medians) {
        (name.find("ours") != std::string::npos ? oursTime : peerTime) = values.first;
        (name.find("ours") != std::string::npos ? oursRss : peerRss) = values.second;
    }
    if (peerTime > 0 && peerRss > 0) {
        std::printf("start-up until mapped, ours / peer: %.3f\n", oursTime / peerTime);
        std::printf("resident memory when mapped, ours / peer: %.3f\n", oursRss / peerRss);
    } else {
        std::printf("run with --benchmark_repetitions=N (N > 1) for the ratios of the medians\n");
    }
    return 0;
}
