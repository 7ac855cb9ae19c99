// How steadily the console's real 100 ms timer puts chase frames on a tree line,
// and how soon after the window is created the first frame is on the wire.
// A reader thread timestamps every complete frame as it arrives on a pseudo-terminal.
#include "bench/ui/ConsoleRig.h"
#include "console/MainDlg.h"
#include "link/SerialPort.h"

#include <QPushButton>
#include <memory>

namespace {

struct CConsoleOnALine : CShowRig {
    CConsoleOnALine()
    {
        port.Open(line.path.c_str());
        doc->m_tree1Port = &port;
        doc->m_tree2Port = &none;
    }

    CFrameClock line;
    CSerialPort port;
    CSerialPort none;
};

// 300 ticks of the real timer; mean interval and the 99th percentile of |interval - 100 ms|.
void BM_TickCadence(benchmark::State& state)
{
    constexpr int kTicks = 300;
    for (auto _ : state) {
        CConsoleOnALine rig;
        rig.line.Expect(FrameKind::kStartup);
        CMainDlg console(*rig.doc);
        WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
        rig.line.Expect(FrameKind::kChase);
        console.OnSendTreeSignals();
        console.findChild<QPushButton*>("1006")->click();
        WaitFor([&] { return rig.line.Times().size() > kTicks; }, (kTicks + 50) * 100);
        std::vector<Clock::time_point> times = rig.line.Times();
        console.OnClose();
        if (!ReportCadence(state, times, kTicks, ""))
            return;
    }
}
BENCHMARK(BM_TickCadence)->Iterations(1)->Unit(benchmark::kMillisecond);

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
