#pragma once
// Chases laid into a document by hand for the chase editing tests: every row of
// the structure configured, and step k of a chase marked by its tier k lamp 1.

#include "document/ShowData.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace chase_test {

inline std::unique_ptr<CShowData> MakeLayout()
{
    auto d = std::make_unique<CShowData>();
    d->m_tierCount = kTiers;
    for (bool& present : d->m_tierPresent)
        present = true;
    d->m_chestPresent = d->m_outlinePresent = true;
    return d;
}

// Puts chase `name` of `steps` steps into the records from `first` on.
inline void AddChase(CShowData& d, const char* name, int steps, int first)
{
    for (int k = 1; k <= steps; ++k) {
        const int r = first + k - 1;
        std::snprintf(d.m_stepChase[r], kNameSize, "%s", name);
        std::snprintf(d.m_stepText[r], kNameSize, "text %d", k);
        d.m_stepNumber[r] = k;
        d.m_stepTierLamps[r][(k - 1) % kTiers][0] = 1;
    }
}

// Fills every free record with one-step chases "Filler N".
inline void FillPool(CShowData& d)
{
    for (int r = 1; r < kStepRecords; ++r)
        if (d.m_stepChase[r][0] == '\0')
            AddChase(d, ("Filler " + std::to_string(r)).c_str(), 1, r);
}

// The marker (tier whose lamp 1 is on, 0 for none) of each step of the loaded chase.
inline std::string Markers(const CShowData& d)
{
    std::string text;
    for (int k = 1; k <= d.m_chaseStepCount; ++k) {
        int marker = 0;
        for (int t = kTiers; t >= 1; --t)
            if (d.m_stepTierLamps[d.m_chaseStepRecord[k]][t - 1][0] != 0)
                marker = t;
        // Appended piece by piece: `"x" + std::to_string(...)` trips a false
        // -Wrestrict of GCC 12 at -O3.
        if (k > 1)
            text += ' ';
        text += std::to_string(marker);
    }
    return text;
}

// Saves the light step pool of `d` to `file` from a copy: a save empties the pool it saves.
inline void SaveLibraryCopy(const CShowData& d, const char* file)
{
    auto copy = std::make_unique<CShowData>();
    std::snprintf(copy->m_chaseFileName, kFileNameSize, "%s", file);
    auto take = [](auto& to, const auto& from) { std::memcpy(&to, &from, sizeof to); };
    take(copy->m_stepChase, d.m_stepChase);
    take(copy->m_stepText, d.m_stepText);
    take(copy->m_stepNumber, d.m_stepNumber);
    take(copy->m_stepTierLamps, d.m_stepTierLamps);
    take(copy->m_stepChestLamps, d.m_stepChestLamps);
    take(copy->m_stepOutlineLamps, d.m_stepOutlineLamps);
    copy->SaveFile("chase");
}

}  // namespace chase_test
