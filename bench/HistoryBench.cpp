// The undo history: undo and redo of a paste of 1,000 cues into a list of 6,000
// (goal: under 50 ms), and the memory 1,000 steps hold with pastes of 1,000 cues
// among them (goal: under 20 MB), counted by the history and by the heap.
#include "bench/EveningCues.h"
#include "document/History.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <string>

namespace {

constexpr int kPasted = 1000;

// A paste of 1,000 cues into 6,000, taken back or made again; the other direction,
// which brings the list back for the next run, is not timed.
void RunPasteHistory(benchmark::State& state, bool timeUndo)
{
    CHistory history;
    auto doc = EveningList(6000);
    doc->m_history = &history;
    const std::vector<int> src = PasteSources(kPasted, 6000);
    doc->PasteCues(1500, src.data(), kPasted);
    auto run = [&](bool timed, auto step) {
        if (!timed)
            state.PauseTiming();
        step();
        if (!timed)
            state.ResumeTiming();
    };
    for (auto _ : state) {
        run(timeUndo, [&] { history.Undo(*doc); });
        run(!timeUndo, [&] { history.Redo(*doc); });
    }
}

void BM_UndoPasteOfThousandCues(benchmark::State& state)
{
    RunPasteHistory(state, true);
}
BENCHMARK(BM_UndoPasteOfThousandCues)->Unit(benchmark::kMillisecond);

void BM_RedoPasteOfThousandCues(benchmark::State& state)
{
    RunPasteHistory(state, false);
}
BENCHMARK(BM_RedoPasteOfThousandCues)->Unit(benchmark::kMillisecond);

// An evening's editing: six pastes of 1,000 cues (all a list of 7,499 has room for)
// among 1,000 steps of deletes, inserts, typed names, dragged levels and values, lamp
// clicks, all-on, step inserts and whole chases of 20 steps deleted.
int MakeThousandSteps(CShowData& doc, CHistory& history)
{
    const std::vector<int> src = PasteSources(kPasted, 1000);
    int pastes = 0;
    for (int step = 0; history.Steps() < 1000; ++step) {
        const int cue = 1 + (step * 37) % 900;
        doc.LoadChase(("Chase " + std::to_string(step % 200)).c_str());
        switch (step % 11) {
        case 0:
            if (doc.PasteCues(cue, src.data(), kPasted) == CuePaste::kPasted) {
                ++pastes;
                break;
            }
            [[fallthrough]];
        case 1: doc.DeleteCue(cue); break;
        case 2: doc.InsertCue(cue); break;
        case 3:
            for (const char* name : {"F", "Fi", "Fin", "Fina", "Final", "Finale"})
                doc.RenameCue(cue, name);
            break;
        case 4:
            for (int level = 0; level <= 100; level += 5)
                doc.SetCueLevel(cue, step % kChannels, level);
            break;
        case 5: doc.SetCueValue(cue, CueValue::kFadeTime, step % 100); break;
        case 6: doc.SetCueChase(cue, step % 2 ? "Sweep" : "Rain"); break;
        case 7: doc.SetCueForward(cue, !doc.m_cueForward[cue]); break;
        case 8: doc.ToggleLamp(kTierGroup, 10 * (1 + step % kTiers) + 1 + step % kCircuits); break;
        case 9: doc.SetAllLamps(step % 2); break;
        default:
            if (step % 2 != 0)
                doc.InsertStep(1);
            else
                doc.DeleteChase();
            break;
        }
        history.Seal();
    }
    return pastes;
}

void BM_MemoryOfThousandSteps(benchmark::State& state)
{
    double heap = 0;
    double held = 0;
    int pastes = 0;
    for (auto _ : state) {
        CHistory history;
        auto doc = EveningList(1000);
        for (bool& present : doc->m_tierPresent)
            present = true;
        for (int r = 1; r <= 4000; ++r) {  // 200 chases of 20 steps
            std::snprintf(doc->m_stepChase[r], kNameSize, "Chase %d", (r - 1) / 20);
            doc->m_stepNumber[r] = (r - 1) % 20 + 1;
        }
        doc->m_history = &history;
        const std::size_t before = mallinfo2().uordblks;
        pastes = MakeThousandSteps(*doc, history);
        heap = static_cast<double>(mallinfo2().uordblks - before) / (1 << 20);
        held = static_cast<double>(history.BytesHeld()) / (1 << 20);
    }
    state.counters["heap_MB"] = heap;
    state.counters["held_MB"] = held;
    state.counters["pastes"] = pastes;
}
BENCHMARK(BM_MemoryOfThousandSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
