// How steadily the console's show clock puts chase frames on a tree line, beside
// a bare Qt PreciseTimer measured in the same run; what a blocked window costs;
// and how soon after the window is created the first frames are on the wire.
// A reader thread timestamps every complete frame as it arrives on a pseudo-terminal.
// With --busy=9 nine busy processes run beside it; --minutes=10 measures ten minutes.
#include "bench/ui/ConsoleRig.h"
#include "console/MainDlg.h"
#include "link/SerialPort.h"

#include <QPushButton>
#include <memory>

namespace {

// Opens the console, waits for the start-up frame, and starts the show sending.
void StartShow(CConsoleOnALine& rig, CMainDlg& console)
{
    rig.line.Expect(FrameKind::kStartup);
    WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
    rig.line.Expect(FrameKind::kChase);
    console.Clock().TakeTimings();  // the ticks before START send nothing
    console.OnSendTreeSignals();
    console.findChild<QPushButton*>("1006")->click();
}

// The clock's thread: 1 real-time, 2 real-time granted by the desktop service, 3 normal priority.
void ReportPriority(benchmark::State& state, CMainDlg& console)
{
    state.counters["clock_priority"] = static_cast<double>(console.Clock().Priority());
}

// The show clock's chase frames as the tree reads them (tree_*) and as the clock
// handed them to the line (sent_*), how late the clock woke (clock_late_*), and a
// bare PreciseTimer's timeouts on the window's thread (bare_qtimer_*): mean
// interval, 99th percentile and maximum of |interval - 100 ms|. Between sent_ and
// tree_ lies the pseudo-terminal (pty_delay_*: from handing a frame over to the tree
// reading it), which passes the bytes on in a kernel worker of normal priority; a
// serial port's driver sends them from the write itself.
void BM_TickCadence(benchmark::State& state)
{
    const size_t ticks = static_cast<size_t>(BenchOptions().minutes * 600);
    for (auto _ : state) {
        CConsoleOnALine rig;
        CMainDlg console(*rig.doc);
        StartShow(rig, console);
        std::vector<Clock::time_point> bare;
        QTimer bareTimer;
        bareTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&bareTimer, &QTimer::timeout, [&] { bare.push_back(Clock::now()); });
        bareTimer.start(100);
        std::vector<double> clockLate;
        std::vector<Clock::time_point> sent;
        WaitFor(
            [&] {
                for (const CTickTiming& t : console.Clock().TakeTimings()) {
                    clockLate.push_back(static_cast<double>(t.lateNs) / 1e6);
                    // steady_clock is the monotonic clock the show clock keeps time on.
                    sent.emplace_back(std::chrono::nanoseconds(t.deadlineNs + t.lateNs + t.workNs));
                }
                return rig.line.Times().size() > ticks && bare.size() > ticks;
            },
            static_cast<int>(ticks + 50) * 100);
        std::vector<Clock::time_point> times = rig.line.Times();
        ReportPriority(state, console);
        state.counters["clock_skipped"] = static_cast<double>(console.Clock().Skipped());
        console.OnClose();
        ReportSpread(state, clockLate, "clock_late_");
        ReportCadence(state, bare, ticks, "bare_qtimer_");
        ReportCadence(state, sent, ticks, "sent_");
        std::vector<double> delay;
        for (size_t i = 0; i < std::min(sent.size(), times.size()); ++i)
            delay.push_back(Ms(times[i] - sent[i]));
        ReportSpread(state, delay, "pty_delay_");
        if (!ReportCadence(state, times, ticks, "tree_"))
            return;
    }
}
BENCHMARK(BM_TickCadence)->Iterations(1)->Unit(benchmark::kMillisecond);

// The window's thread blocked for a second, five times, as by a slow repaint or
// a window being dragged: how late the chase frames of those seconds came
// against the clock's grid, and how many were more than 5 ms late.
void BM_WindowBlocked(benchmark::State& state)
{
    constexpr int kBlocks = 5;
    for (auto _ : state) {
        CConsoleOnALine rig;
        CMainDlg console(*rig.doc);
        StartShow(rig, console);
        WaitFor([&] { return rig.line.Times().size() >= 5; }, 3000);
        std::vector<double> late;
        size_t frames = 0;
        for (int b = 0; b < kBlocks; ++b) {
            rig.line.Expect(FrameKind::kChase);
            std::this_thread::sleep_for(std::chrono::seconds(1));
            std::vector<double> block = LatenessOnTheGrid(rig.line.Times());
            frames += block.size();
            late.insert(late.end(), block.begin(), block.end());
            WaitFor([] { return false; }, 300);  // the window catches up between blocks
        }
        ReportPriority(state, console);
        console.OnClose();
        state.counters["blocked_frames"] = static_cast<double>(frames);
        state.counters["blocked_late_5ms_frames"] =
            static_cast<double>(std::count_if(late.begin(), late.end(), [](double l) { return l > 5.0; }));
        ReportSpread(state, late, "blocked_late_");
    }
}
BENCHMARK(BM_WindowBlocked)->Iterations(1)->Unit(benchmark::kMillisecond);

// From creating the console window to the start-up frame arriving on the line,
// and from START to the first chase frame.
void BM_FirstFrameOnTheWire(benchmark::State& state)
{
    double startUp = 0, firstChase = 0;
    int runs = 0;
    for (auto _ : state) {
        CConsoleOnALine rig;
        rig.line.Expect(FrameKind::kStartup);
        Clock::time_point created = Clock::now();
        CMainDlg console(*rig.doc);
        WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
        startUp += Ms(rig.line.Times().front() - created);
        rig.line.Expect(FrameKind::kChase);
        console.OnSendTreeSignals();
        Clock::time_point started = Clock::now();
        console.findChild<QPushButton*>("1006")->click();
        WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
        firstChase += Ms(rig.line.Times().front() - started);
        console.OnClose();
        ++runs;
    }
    state.counters["startup_frame_ms"] = startUp / runs;
    state.counters["first_chase_ms"] = firstChase / runs;
}
BENCHMARK(BM_FirstFrameOnTheWire)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
