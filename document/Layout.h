#pragma once
// The shape of the lamp structure on its own, apart from the show document: what
// the layout screen edits before the console takes it over with ChangeLayout.

#include "document/ShowData.h"

#include <string>

struct CLayout {
    int tierCount;  // the lowest tier (tier 1 is the top); tiers below it are not part of the structure
    bool tierPresent[kTiers];
    int tierColor[kTiers][kCircuits];
    bool chestPresent;
    int chestColor[kCircuits];
    bool outlinePresent;
    int outlineColor[kCircuits];
    bool starPresent;
    int starColor;
    bool crossPresent;
    int crossColor;

    bool operator==(const CLayout&) const = default;
};

// The colour table every saved layout file holds, in index order.
struct CNamedColor {
    const char* name;
    int red, green, blue;
};
constexpr int kTableColors = 8;
extern const CNamedColor kColorTable[kTableColors];

// A colour index that later picks a brush must stay inside the brush table (0..17).
int ClampColor(int color);

// Gives colour index `index` (0..17) its components and its 101 level brushes.
void DefineColor(CShowData& doc, int index, int red, int green, int blue);

// Makes tiers 1..n the structure (n is kept inside 1..18). A tier that comes in absent becomes
// present with the colours of the tier above it (tier 1 is the top), so a tree grows as it is;
// tiers past n keep what they had, for when the count goes back up.
void SetTierCount(CLayout& layout, int n);

// Why the layout cannot be taken, as a sentence for the operator; "" when it can.
// The lowest tier must be present: the layout file knows the tier count only by it.
std::string LayoutProblem(const CLayout& layout);

// The chase library a tier count names: "default.B%02d".
std::string ChaseLibraryName(int tierCount);
