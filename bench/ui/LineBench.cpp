// What a stalled, lost or returning tree line costs, with the console's own show
// clock running on two pseudo-terminal lines, in one run:
//   good_*     Tree 2's cadence (and the tick's cost) with both lines reading
//   stalled_*  the same with Tree 1's line full and unread
//   drain_*    from Tree 1 reading again to the current cue's first channel frame
//   back_*     from a new line appearing at Tree 1's path (its far side having
//              closed) to the start-up frame arriving on it
#include "bench/ui/ConsoleRig.h"
#include "console/MainDlg.h"
#include "link/SerialPort.h"

#include <QPushButton>
#include <memory>

namespace {

struct CTwoTreeConsole : CShowRig {
    CTwoTreeConsole()
    {
        link = dir + "/tree1";
        PointLinkAt(link, tree1Side->path);
        tree1.Open(link.c_str());
        tree2.Open(tree2Side.path.c_str());
        doc->m_tree1Port = &tree1;
        doc->m_tree2Port = &tree2;
    }

    std::string link;  // Tree 1's configured path, moved to each new line
    std::unique_ptr<CFrameClock> tree1Side = std::make_unique<CFrameClock>();
    CFrameClock tree2Side;
    CSerialPort tree1;
    CSerialPort tree2;
};

// Runs until Tree 2 has had `ticks` more chase frames; reports its cadence and the tick's cost.
void MeasureTicks(benchmark::State& state, CTwoTreeConsole& rig, CShowClock& clock, size_t count,
                  const std::string& prefix)
{
    clock.TakeTimings();
    rig.tree2Side.Expect(FrameKind::kChase);
    WaitFor([&] { return rig.tree2Side.Times().size() > count; }, static_cast<int>(count + 50) * 100);
    ReportCadence(state, rig.tree2Side.Times(), count, prefix);
    std::vector<double> work;
    for (const CTickTiming& t : clock.TakeTimings())
        work.push_back(static_cast<double>(t.workNs) / 1e6);
    ReportSpread(state, work, prefix + "tick_");
}

void BM_LineTrouble(benchmark::State& state)
{
    constexpr size_t kTicks = 200;
    constexpr int kComebacks = 10;
    for (auto _ : state) {
        CTwoTreeConsole rig;
        rig.tree2Side.Expect(FrameKind::kStartup);
        CMainDlg console(*rig.doc);
        WaitFor([&] { return !rig.tree2Side.Times().empty(); }, 2000);
        console.OnSendTreeSignals();
        console.findChild<QPushButton*>("1006")->click();
        MeasureTicks(state, rig, console.Clock(), kTicks, "good_");

        rig.tree1Side->Pause(true);
        HoldBack(rig.tree1.m_fd);
        MeasureTicks(state, rig, console.Clock(), kTicks, "stalled_");

        rig.tree1Side->Expect(FrameKind::kChannel);
        Clock::time_point reading = Clock::now();
        rig.tree1Side->Pause(false);
        WaitFor([&] { return !rig.tree1Side->Times().empty(); }, 3000);
        state.counters["drain_first_cue_frame_ms"] = Ms(rig.tree1Side->Times().front() - reading);

        std::vector<double> back;
        for (int i = 0; i < kComebacks; ++i) {
            // Lines come back at any moment of the once-a-second check: spread the moments.
            WaitFor([] { return false; }, 100 * i);
            rig.tree1Side.reset();  // the far side closes
            WaitFor([&] { return rig.tree1.State() == ELineState::kLost; }, 3000);
            rig.tree1Side = std::make_unique<CFrameClock>();
            rig.tree1Side->Expect(FrameKind::kStartup);
            Clock::time_point appeared = Clock::now();
            PointLinkAt(rig.link, rig.tree1Side->path);
            WaitFor([&] { return !rig.tree1Side->Times().empty(); }, 3000);
            if (!rig.tree1Side->Times().empty())
                back.push_back(Ms(rig.tree1Side->Times().front() - appeared));
        }
        state.counters["back_lines"] = static_cast<double>(back.size());
        ReportSpread(state, back, "back_first_frame_");
        console.OnClose();
    }
}
BENCHMARK(BM_LineTrouble)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
