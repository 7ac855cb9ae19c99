// Loading and saving a full cue list (7499 cues) and a full chase library
// (4999 light steps), in a temporary program directory. Saves include the
// fsync and rename of the atomic save.
#include "document/ShowData.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

const std::string& BenchDir()
{
    static const std::string dir = [] {
        char pattern[] = "/tmp/glimmer-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made != nullptr ? made : "/tmp");
    }();
    setenv("GLIMMERBOX_HOME", dir.c_str(), 1);
    return dir;
}

std::unique_ptr<CShowData> FullShow()
{
    BenchDir();
    auto doc = std::make_unique<CShowData>();
    doc->m_tierCount = 18;
    std::strcpy(doc->m_cueFileName, "bench.cue");
    std::strcpy(doc->m_chaseFileName, "default.B18");
    for (int s = 1; s < kCueSlots; ++s) {
        std::snprintf(doc->m_cueName[s], kNameSize, "Cue number %d of the evening", s);
        std::snprintf(doc->m_cueChase[s], kNameSize, "Chase %d", s % 300);
        for (int k = 0; k < kChannels; ++k)
            doc->m_cueLevel[k][s] = (s * 7 + k * 13) % 101;
        doc->m_cueFadeTime[s] = s % 600;
        doc->m_cueActiveTime[s] = s % 3 == 0 ? -1 : s;
        doc->m_cueRunCount[s] = 20;
        doc->m_cueForward[s] = s % 2 == 0;
    }
    for (int r = 1; r < kStepRecords; ++r) {
        std::snprintf(doc->m_stepChase[r], kNameSize, "Chase %d", r / 17);
        std::snprintf(doc->m_stepText[r], kNameSize, "none");
        doc->m_stepNumber[r] = r % 17 + 1;
        for (int t = 0; t < kTiers; ++t)
            for (int k = 0; k < kCircuits; ++k)
                doc->m_stepTierLamps[r][t][k] = (r + t + k) % 3 == 0;
        for (int k = 0; k < kCircuits; ++k)
            doc->m_stepChestLamps[r][k] = doc->m_stepOutlineLamps[r][k] = (r + k) % 2;
    }
    return doc;
}

void BM_SaveCueList(benchmark::State& state)
{
    auto doc = FullShow();
    for (auto _ : state)
        doc->SaveFile("cue");
}
BENCHMARK(BM_SaveCueList)->Unit(benchmark::kMillisecond);

void BM_LoadCueList(benchmark::State& state)
{
    auto doc = FullShow();
    doc->SaveFile("cue");
    for (auto _ : state) {
        doc->LoadFile("cue");
        benchmark::DoNotOptimize(doc->m_cueName[kCueSlots - 1][0]);
    }
    if (doc->FindFreeCue() != 0)
        state.SkipWithError("the cue list did not load in full");
}
BENCHMARK(BM_LoadCueList)->Unit(benchmark::kMillisecond);

// Saving empties the library in memory, so each round loads it back untimed.
void BM_SaveChaseLibrary(benchmark::State& state)
{
    auto doc = FullShow();
    doc->SaveFile("chase");
    for (auto _ : state) {
        state.PauseTiming();
        doc->LoadFile("chase");
        state.ResumeTiming();
        doc->SaveFile("chase");
    }
}
BENCHMARK(BM_SaveChaseLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadChaseLibrary(benchmark::State& state)
{
    auto doc = FullShow();
    doc->SaveFile("chase");
    for (auto _ : state) {
        doc->LoadFile("chase");
        benchmark::DoNotOptimize(doc->m_stepChase[kStepRecords - 1][0]);
    }
    if (doc->FindFreeStepRecord() != 0)
        state.SkipWithError("the chase library did not load in full");
}
BENCHMARK(BM_LoadChaseLibrary)->Unit(benchmark::kMillisecond);

}  // namespace
