// From a key press on the console (GO, BACK, blackout) to the first channel frame
// it puts on a tree line, read on a pseudo-terminal by the tree side's own thread,
// while the show ticks and while it is held; and what a grand master move costs
// the window's thread, with and without the repaint of the picture it asks for.
#include "bench/ui/ConsoleRig.h"
#include "console/MainDlg.h"
#include "widgets/TreePicture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

namespace {

struct CLiveRig : CConsoleOnALine {
    CLiveRig()
    {
        // Three cues, so GO and BACK always have somewhere to go.
        std::ofstream cues(dir + "/show.cue");
        for (int c = 1; c <= 3; ++c)
            cues << "Cue " << c << "|Lit|" << 20 * c << " 0 0 0 0 0 50 50 50 50 50 50 10 0 50 50 1 20 -1|\n";
    }
};

void StartSending(CLiveRig& rig, CMainDlg& console)
{
    rig.line.Expect(FrameKind::kStartup);
    WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
    console.OnSendTreeSignals();
    console.findChild<QPushButton*>("1006")->click();
    WaitFor([] { return false; }, 300);  // the show settles into its beat
}

void Press(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// range(0): 0 GO (Page Down, then Page Up to come back), 1 BACK (Page Up, after a
// Page Down), 2 blackout (B, on and off); range(1): 1 the show ticks, 0 it is held.
void BM_KeyToFirstFrame(benchmark::State& state)
{
    constexpr int kPresses = 150;
    const int which = static_cast<int>(state.range(0));
    const bool ticking = state.range(1) != 0;
    for (auto _ : state) {
        CLiveRig rig;
        CMainDlg console(*rig.doc);
        console.show();
        StartSending(rig, console);
        if (!ticking)
            console.TogglePause();
        QWidget* list = console.findChild<QListWidget*>("1001");
        std::vector<double> latency;
        for (int i = 0; i < kPresses; ++i) {
            // The step back (or forward) between two measured presses is not measured.
            if (which == 0)
                Press(list, Qt::Key_PageUp);
            if (which == 1)
                Press(list, Qt::Key_PageDown);
            WaitFor([] { return false; }, 23 + i % 7 * 11);  // at every phase of the beat
            rig.line.Expect(FrameKind::kChannel);
            const Clock::time_point pressed = Clock::now();
            Press(list, which == 0 ? Qt::Key_PageDown : which == 1 ? Qt::Key_PageUp : Qt::Key_B);
            WaitFor([&] { return !rig.line.Times().empty(); }, 1000);
            const std::vector<Clock::time_point> times = rig.line.Times();
            if (times.empty()) {
                state.SkipWithError("no channel frame arrived");
                break;
            }
            latency.push_back(Ms(times.front() - pressed));
        }
        console.OnClose();
        ReportSpread(state, latency, "key_to_frame_");
    }
}
BENCHMARK(BM_KeyToFirstFrame)
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->ArgNames({"key", "ticking"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// One move of the fader on the window's thread while the show ticks: the move
// itself (the operation, the fader's label, the repaint asked for), and the move
// with the picture repainted at once.
void BM_MasterMove(benchmark::State& state)
{
    const bool paint = state.range(0) != 0;
    CLiveRig rig;
    CMainDlg console(*rig.doc);
    console.show();
    StartSending(rig, console);
    auto* fader = console.findChild<QSlider*>("1500");
    QWidget* client = console.findChild<QListWidget*>("1001")->parentWidget();
    std::vector<double> cost;
    int value = 100;
    for (auto _ : state) {
        value = value == 0 ? 100 : value - 1;
        const Clock::time_point begun = Clock::now();
        fader->setValue(value);
        if (paint)
            client->repaint(CTreePicture::Area(*rig.doc));
        cost.push_back(Ms(Clock::now() - begun));
        if (cost.size() % 50 == 0) {
            state.PauseTiming();
            QApplication::processEvents();  // the window takes the ticks meanwhile
            state.ResumeTiming();
        }
    }
    console.OnClose();
    ReportSpread(state, cost, "move_");
}
BENCHMARK(BM_MasterMove)->Arg(0)->Arg(1)->ArgName("paint")->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
