#include "document/Layout.h"

#include <cstdio>

const CNamedColor kColorTable[kTableColors] = {
    {"white", 255, 255, 255}, {"blue", 0, 0, 255},     {"red", 255, 0, 0},       {"green", 0, 255, 0},
    {"yellow", 255, 255, 0},  {"orange", 255, 150, 0}, {"white", 255, 255, 255}, {"black", 0, 0, 0},
};

namespace {

unsigned char Scaled(int component, int level)
{
    return static_cast<unsigned char>((static_cast<long long>(component) * level / 100) & 0xFF);
}

}  // namespace

int ClampColor(int c)
{
    return c < 0 ? 0 : (c >= kColors ? kColors - 1 : c);
}

void DefineColor(CShowData& doc, int index, int red, int green, int blue)
{
    if (index < 0 || index >= kColors)
        return;
    doc.m_colorRed[index] = red;
    doc.m_colorGreen[index] = green;
    doc.m_colorBlue[index] = blue;
    for (int p = 0; p < kLevels; ++p)
        doc.m_levelBrush[index][p] = CBrush{Scaled(red, p), Scaled(green, p), Scaled(blue, p), true};
}

void SetTierCount(CLayout& layout, int n)
{
    n = n < 1 ? 1 : (n > kTiers ? kTiers : n);
    for (int t = layout.tierCount + 1; t <= n; ++t) {
        if (t < 1 || layout.tierPresent[t - 1])
            continue;
        layout.tierPresent[t - 1] = true;
        if (t > 1)
            for (int c = 0; c < kCircuits; ++c)
                layout.tierColor[t - 1][c] = layout.tierColor[t - 2][c];
    }
    layout.tierCount = n;
}

std::string LayoutProblem(const CLayout& layout)
{
    const int n = layout.tierCount;
    if (n < 1 || n > kTiers)
        return "The number of tiers must be 1 to 18.";
    bool any = false;
    for (int t = 1; t <= n; ++t)
        any = any || layout.tierPresent[t - 1];
    if (!any)
        return "A tree needs at least one tier: tick the tiers it has.";
    if (!layout.tierPresent[n - 1])
        return "Tier " + std::to_string(n) + " is the lowest tier, and the file counts the tiers by it: tick it, or lower the number of tiers.";
    return "";
}

std::string ChaseLibraryName(int tierCount)
{
    char name[kFileNameSize];
    std::snprintf(name, sizeof name, "default.B%02d", tierCount);
    return name;
}
