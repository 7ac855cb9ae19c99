// The core's chase editing over a full light step pool: a rename (with its check
// that no other chase has the name) and a step inserted and deleted again.
#include "document/ShowData.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

// 4,998 one-step chases and one free record.
std::unique_ptr<CShowData> NearlyFullPool()
{
    auto d = std::make_unique<CShowData>();
    for (bool& present : d->m_tierPresent)
        present = true;
    for (int r = 1; r < kStepRecords - 1; ++r) {
        std::snprintf(d->m_stepChase[r], kNameSize, "Chase %04d", r);
        d->m_stepNumber[r] = 1;
    }
    d->LoadChase("Chase 2500");
    return d;
}

void BM_RenameChaseFullPool(benchmark::State& state)
{
    auto d = NearlyFullPool();
    bool other = false;
    for (auto _ : state) {
        other = !other;
        benchmark::DoNotOptimize(d->RenameChase(other ? "Chase 2500x" : "Chase 2500"));
    }
}
BENCHMARK(BM_RenameChaseFullPool)->Unit(benchmark::kMicrosecond);

void BM_InsertAndDeleteStepFullPool(benchmark::State& state)
{
    auto d = NearlyFullPool();
    for (auto _ : state) {
        d->InsertStep(1);
        d->DeleteStep(2);
        benchmark::DoNotOptimize(d->m_chaseStepCount);
    }
}
BENCHMARK(BM_InsertAndDeleteStepFullPool)->Unit(benchmark::kMicrosecond);

}  // namespace
