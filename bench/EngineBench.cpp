#include "document/ShowData.h"
#include "engine/Repaint.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

class NullRepaint : public IRepaint {
public:
    void InvalidateRect(int, int, int, int, bool) override { ++count; }
    long count = 0;
};

// One tick with every channel fading (a fade long enough never to end inside the
// run) and a ten-step chase stepping on every tick. The transmission is marked
// busy so only the engine's own work is measured.
void BM_TickAllChannelsFading(benchmark::State& state)
{
    auto d = std::make_unique<CShowData>();
    for (int r = 1; r <= 10; ++r) {
        std::strcpy(d->m_stepChase[r], "Sweep");
        d->m_stepNumber[r] = r;
    }
    std::strcpy(d->m_cueName[1], "Cue");
    std::strcpy(d->m_cueChase[1], "Sweep");
    d->m_cueFadeTime[1] = 1000000000;
    d->m_cueActiveTime[1] = 1000000000;
    d->m_cueRunCount[1] = 20;
    d->m_cueForward[1] = true;
    for (int k = 0; k < kChannels; ++k)
        d->m_cueLevel[k][1] = 100;
    d->m_running = true;
    d->StartCue(1);
    d->m_sendBusy = true;
    NullRepaint window;
    for (auto _ : state) {
        d->Tick(&window);
        benchmark::DoNotOptimize(d->m_chaseStep);
    }
    benchmark::DoNotOptimize(window.count);
}
BENCHMARK(BM_TickAllChannelsFading);

// Starting a cue whose chase is the last of 500 ten-step chases filling the pool.
void BM_StartCueFullPool(benchmark::State& state)
{
    auto d = std::make_unique<CShowData>();
    for (int r = 1; r < kStepRecords; ++r) {
        std::snprintf(d->m_stepChase[r], kNameSize, "Chase %03d", (r - 1) / 10);
        d->m_stepNumber[r] = (r - 1) % 10 + 1;
    }
    std::strcpy(d->m_cueName[1], "Cue");
    std::strcpy(d->m_cueChase[1], "Chase 499");
    d->m_cueFadeTime[1] = 30;
    d->m_sendBusy = true;
    int target = 0;
    for (auto _ : state) {
        // Alternate targets so every start computes all fourteen fades.
        target = 100 - target;
        for (int k = 0; k < kChannels; ++k) {
            d->m_cueLevel[k][1] = target;
            d->m_level[k] = 100 - target;
        }
        d->StartCue(1);
        benchmark::DoNotOptimize(d->m_chaseStepCount);
    }
}
BENCHMARK(BM_StartCueFullPool);

}  // namespace
