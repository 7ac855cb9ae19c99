// Screen benchmarks run headless: the offscreen platform unless the caller chose one.
// Options of their own, taken out before Google Benchmark reads the rest:
//   --busy=N     N processes that each keep a processor busy run beside the benchmarks
//   --minutes=M  how long the show clock's cadence is measured (default half a minute)
#include "bench/ui/ConsoleRig.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Takes out "--name=value" options; false when one is malformed.
bool TakeOptions(int& argc, char** argv)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        char* end = nullptr;
        if (std::strncmp(argv[i], "--busy=", 7) == 0) {
            BenchOptions().busy = static_cast<int>(std::strtol(argv[i] + 7, &end, 10));
        } else if (std::strncmp(argv[i], "--minutes=", 10) == 0) {
            BenchOptions().minutes = std::strtod(argv[i] + 10, &end);
        } else {
            argv[kept++] = argv[i];
            continue;
        }
        if (*end != '\0' || BenchOptions().busy < 0 || BenchOptions().minutes <= 0)
            return false;
    }
    argc = kept;
    return true;
}

// Busy processes at normal priority, as a backup or a browser beside the show;
// they end with the benchmark.
void StartBusyProcesses(int count)
{
    for (int i = 0; i < count; ++i) {
        if (fork() != 0)
            continue;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        volatile unsigned long spin = 0;
        for (;;)
            spin = spin * 6364136223846793005UL + 1;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!TakeOptions(argc, argv)) {
        std::fprintf(stderr, "usage: %s [--busy=N] [--minutes=M] [benchmark options]\n", argv[0]);
        return 2;
    }
    StartBusyProcesses(BenchOptions().busy);  // before any thread starts
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);  // widgets: the console benchmarks open real windows
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::AddCustomContext("busy_processes", std::to_string(BenchOptions().busy));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
