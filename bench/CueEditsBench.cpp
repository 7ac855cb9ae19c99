// Pasting 1,000 copied cues into a list of 6,000 (goal: under 50 ms), and for
// comparison the same paste made as 1,000 single inserts.
#include "bench/EveningCues.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int kListed = 6000;
constexpr int kPasted = 1000;
constexpr int kAt = 1500;

// Every run starts from the same 6,000 cues; restoring them is not timed.
template <class Paste>
void RunPaste(benchmark::State& state, Paste paste)
{
    auto pristine = EveningList(kListed);
    auto doc = EveningList(kListed);
    const std::vector<int> src = PasteSources(kPasted, kListed);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(doc->m_cueName, pristine->m_cueName, sizeof doc->m_cueName);
        state.ResumeTiming();
        paste(*doc, src);
        benchmark::DoNotOptimize(doc->m_cueName[kListed + kPasted][0]);
    }
}

void BM_PasteThousandIntoSixThousand(benchmark::State& state)
{
    RunPaste(state, [](CShowData& d, const std::vector<int>& src) { d.PasteCues(kAt, src.data(), kPasted); });
}
BENCHMARK(BM_PasteThousandIntoSixThousand)->Unit(benchmark::kMillisecond);

void BM_PasteAsThousandSingleInserts(benchmark::State& state)
{
    RunPaste(state, [](CShowData& d, const std::vector<int>& src) {
        for (int i = 0; i < kPasted; ++i)
            d.InsertCue(kAt);
        for (int i = 0; i < kPasted; ++i)
            d.CopyCue(src[i] >= kAt ? src[i] + kPasted : src[i], kAt + i);
    });
}
BENCHMARK(BM_PasteAsThousandSingleInserts)->Unit(benchmark::kMillisecond);

}  // namespace
