// What keeping the clipboard costs Install: the time until kestrix-clipboard
// owns the clipboard (keep() returns), as a ratio to starting and waiting for
// /bin/true in the same run, and the memory of the process that stays, as a
// ratio to an idle sleep(1). Needs an X display without a clipboard manager:
//   tests/platform/x11/with-xvfb.sh build/bench/clipboard_helper_bench

#include "platform/posix/HelperClipboardKeeper.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

pid_t spawn(const char* program, const char* argument) {
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
    pid_t process = 0;
    return posix_spawn(&process, program, nullptr, nullptr, argv, environ) == 0 ? process : -1;
}

double residentKilobytes(pid_t process) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stod(line.substr(6));
        }
    }
    return 0;
}

// The helper that serves now: each keep() replaces the one before, which
// ends (a zombie where nobody reaps it, with no memory left).
pid_t servingHelper() {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        if (std::getline(comm, name) && name == "kestrix-clipboa") {
            const auto process = static_cast<pid_t>(std::atoi(entry.path().filename().c_str()));
            if (residentKilobytes(process) > 0) {
                return process;
            }
        }
    }
    return -1;
}

void BM_KeepClipboard(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no X display: run under tests/platform/x11/with-xvfb.sh");
        return;
    }
    kestrix::HelperClipboardKeeper keeper(KESTRIX_CLIPBOARD_HELPER_PATH);
    double keepSeconds = 0;
    double baselineSeconds = 0;
    for (auto _ : state) {
        const auto started = Clock::now();
        if (!keeper.keep(R"(C:\UnrealTournament)")) {
            state.SkipWithError("the helper did not keep the text");
            return;
        }
        const double keepTime = std::chrono::duration<double>(Clock::now() - started).count();
        keepSeconds += keepTime;
        state.SetIterationTime(keepTime);

        const auto baselineStarted = Clock::now();
        const pid_t baseline = spawn("/bin/true", nullptr);
        int status = 0;
        waitpid(baseline, &status, 0);
        baselineSeconds += std::chrono::duration<double>(Clock::now() - baselineStarted).count();
    }
    state.counters["x_start_true"] = keepSeconds / baselineSeconds;

    const pid_t helper = servingHelper();
    const pid_t idle = spawn("/bin/sleep", "1");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    state.counters["rss_kB"] = residentKilobytes(helper);
    state.counters["x_rss_sleep"] = residentKilobytes(helper) / residentKilobytes(idle);
    kill(idle, SIGTERM);
    waitpid(idle, nullptr, 0);
}

}  // namespace

BENCHMARK(BM_KeepClipboard)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
