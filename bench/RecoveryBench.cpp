// What the recovery copy costs: the window thread's time added to an edit (the
// marks the edit leaves and the poll that copies them to the writer), for a
// one-cue change and for a 1,000-cue paste into 6,000 cues, with full tables
// (7,499 cues, 4,999 light steps) behind them; and the writer's time and bytes
// from a handed-over change to the copy on disk. Goal: added under 1 ms,
// median and p99; change to disk under 0.5 s p99 (kSettle + kPollEvery + the write).
#include "bench/EveningCues.h"
#include "document/History.h"
#include "document/RecoveryCopy.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSamples = 300;

double Micros(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

void Percentiles(benchmark::State& state, std::vector<double> added, const char* name)
{
    std::sort(added.begin(), added.end());
    state.counters[std::string(name) + "_median_us"] = added[added.size() / 2];
    state.counters[std::string(name) + "_p99_us"] = added[added.size() * 99 / 100];
}

std::unique_ptr<CShowData> FullShow(int cues)
{
    auto doc = EveningList(cues);
    for (int r = 1; r < kStepRecords; ++r) {
        std::snprintf(doc->m_stepChase[r], kNameSize, "Chase %d", r / 17);
        doc->m_stepNumber[r] = r % 17 + 1;
        doc->m_stepTierLamps[r][r % kTiers][r % kCircuits] = 1;
    }
    std::snprintf(doc->m_cueFileName, kFileNameSize, "bench.cue");
    std::snprintf(doc->m_chaseFileName, kFileNameSize, "default.B18");
    doc->m_tierCount = 18;
    return doc;
}

// Runs `edit` kSamples times with and without the copy following, `reset`
// (not timed) between; the added time is the paired difference plus the poll.
void Added(benchmark::State& state, CShowData& doc, const std::function<void()>& edit,
           const std::function<void()>& reset)
{
    char home[] = "/tmp/glimmer-bench-XXXXXX";
    setenv("GLIMMERBOX_HOME", mkdtemp(home), 1);
    CRecoveryCopy copy(doc);
    doc.m_changes->Follow();
    copy.Poll(Clock::now() + std::chrono::hours(1));
    copy.Flush();
    std::vector<double> added, taken;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            CShowChanges* changes = doc.m_changes;
            doc.m_changes = nullptr;
            auto t0 = Clock::now();
            edit();
            auto t1 = Clock::now();
            reset();
            doc.m_changes = changes;
            auto t2 = Clock::now();
            edit();
            copy.Poll(t2);  // the poll that sees it, then the one that takes it
            copy.Poll(t2 + std::chrono::seconds(1));
            auto t3 = Clock::now();
            taken.push_back(static_cast<double>(copy.BytesTaken()));
            reset();
            copy.Poll(t3 + std::chrono::seconds(2));
            copy.Poll(t3 + std::chrono::seconds(3));
            copy.Flush();
            added.push_back(std::max(0.0, Micros((t3 - t2) - (t1 - t0))));
        }
    }
    Percentiles(state, added, "added");
    std::sort(taken.begin(), taken.end());
    state.counters["copied_bytes_median"] = taken[taken.size() / 2];
    state.counters["disk_bytes_per_write"] = static_cast<double>(copy.BytesWritten()) / copy.Writes();
}

void BM_RecoveryAddedToOneCueChange(benchmark::State& state)
{
    auto doc = FullShow(kCueSlots - 1);
    int level = 0;
    Added(
        state, *doc, [&] { doc->SetCueLevel(3000, kStar, ++level % 101); }, [] {});
}
BENCHMARK(BM_RecoveryAddedToOneCueChange)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RecoveryAddedToThousandCuePaste(benchmark::State& state)
{
    auto doc = FullShow(6000);
    auto pristine = FullShow(6000);
    const std::vector<int> src = PasteSources(1000, 6000);
    Added(
        state, *doc, [&] { doc->PasteCues(1500, src.data(), 1000); },
        [&] {
            CShowChanges* changes = doc->m_changes;
            doc->m_changes = nullptr;  // putting the list back is no edit of the operator
            const CShowRange r = CueTableRange(*doc);
            std::memcpy(reinterpret_cast<char*>(doc.get()) + r.from, reinterpret_cast<char*>(pristine.get()) + r.from,
                        r.to - r.from);
            doc->m_changes = changes;
            if (changes != nullptr)
                changes->MarkTables(*doc, kCueTable);
        });
}
BENCHMARK(BM_RecoveryAddedToThousandCuePaste)->Iterations(1)->Unit(benchmark::kMillisecond);

// The writer's part: from the change handed over to the copy on disk.
void BM_RecoveryWriteToDisk(benchmark::State& state)
{
    char home[] = "/tmp/glimmer-bench-XXXXXX";
    setenv("GLIMMERBOX_HOME", mkdtemp(home), 1);
    auto doc = FullShow(kCueSlots - 1);
    CRecoveryCopy copy(*doc);
    doc->m_changes->Follow();
    std::vector<double> written;
    int level = 0;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            doc->SetCueLevel(1 + i, kStar, ++level % 101);
            auto t0 = Clock::now();
            copy.Poll(t0);
            copy.Poll(t0 + std::chrono::seconds(1));
            copy.Flush();
            written.push_back(Micros(Clock::now() - t0));
        }
    }
    Percentiles(state, written, "write");
    state.counters["bytes_per_write"] = static_cast<double>(copy.BytesWritten()) / copy.Writes();
}
BENCHMARK(BM_RecoveryWriteToDisk)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
