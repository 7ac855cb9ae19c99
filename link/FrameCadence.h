#pragma once
// The cadence of chase frames as a tree sees it: one every 100 ms while the show
// runs. Late frames and gaps (ticks whose frame never came) are what a tree shows
// as a stumble, so the tree monitor reports them.

#include <string>

enum class ECadence {
    kFirst,   // no chase frame before this one
    kOnTime,
    kLate,    // more than kLateMs after its tick
    kGap,     // more than kGapMs: one or more ticks passed without a frame
};

struct CadenceNote {
    ECadence kind = ECadence::kFirst;
    long long intervalMs = 0;  // since the previous chase frame
    long long missed = 0;      // ticks without a frame, for a gap
};

class CFrameCadence {
public:
    static constexpr long long kTickMs = 100;
    static constexpr long long kLateMs = 20;
    static constexpr long long kGapMs = 180;

    // A chase frame completed at `nowMs` (a monotonic clock).
    CadenceNote Chase(long long nowMs);

    long long chaseFrames = 0;
    long long late = 0;
    long long gaps = 0;
    long long missed = 0;
    long long longestGapMs = 0;
    long long intervalSumMs = 0;  // over every interval that was no gap

private:
    long long m_lastMs = -1;
};

// "LATE chase frame: 137 ms after the previous one", "GAP of 1530 ms without a
// chase frame: about 14 frames missed"; "" for a frame on time or the first.
std::string DescribeCadence(const CadenceNote& note);
// One line that sums up the cadence seen, for the end of a run.
std::string DescribeCadenceTotals(const CFrameCadence& cadence);
