#include "link/FrameCadence.h"

#include <cstdio>

CadenceNote CFrameCadence::Chase(long long nowMs)
{
    CadenceNote note;
    ++chaseFrames;
    long long last = m_lastMs;
    m_lastMs = nowMs;
    if (last < 0)
        return note;
    note.intervalMs = nowMs - last;
    // A frame later than kGapMs is taken for a missing one: a late frame and a lost
    // one look alike from there on.
    if (note.intervalMs > kGapMs) {
        long long ticks = (note.intervalMs + kTickMs / 2) / kTickMs;
        note.kind = ECadence::kGap;
        note.missed = ticks > 2 ? ticks - 1 : 1;
        ++gaps;
        missed += note.missed;
        if (note.intervalMs > longestGapMs)
            longestGapMs = note.intervalMs;
        return note;
    }
    intervalSumMs += note.intervalMs;
    note.kind = note.intervalMs > kTickMs + kLateMs ? ECadence::kLate : ECadence::kOnTime;
    late += note.kind == ECadence::kLate;
    return note;
}

std::string DescribeCadence(const CadenceNote& note)
{
    char text[120];
    switch (note.kind) {
    case ECadence::kLate:
        std::snprintf(text, sizeof text, "LATE chase frame: %lld ms after the previous one", note.intervalMs);
        return text;
    case ECadence::kGap:
        std::snprintf(text, sizeof text, "GAP of %lld ms without a chase frame: about %lld frame%s missed",
                      note.intervalMs, note.missed, note.missed == 1 ? "" : "s");
        return text;
    case ECadence::kFirst:
    case ECadence::kOnTime:
        break;
    }
    return "";
}

std::string DescribeCadenceTotals(const CFrameCadence& c)
{
    long long steady = c.chaseFrames - 1 - c.gaps;
    char mean[32] = "-";
    if (steady > 0)
        std::snprintf(mean, sizeof mean, "%.1f ms", static_cast<double>(c.intervalSumMs) / static_cast<double>(steady));
    char text[200];
    std::snprintf(text, sizeof text,
                  "%lld chase frames, %lld late, %lld gaps (longest %lld ms), about %lld frames missed, "
                  "mean interval outside gaps %s",
                  c.chaseFrames, c.late, c.gaps, c.longestGapMs, c.missed, mean);
    return text;
}
