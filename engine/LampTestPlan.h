#pragma once
// What the lamp test lights, step by step: for a pattern chosen on the lamp test
// screen, the lamp states and channel levels each step sends to the tree and the
// text that names it, for the parts the layout has and no others.

#include "document/ShowData.h"

#include <string>
#include <vector>

enum class ELampPattern {
    kAllOff,
    kAllOn,       // every lamp of the layout, every channel at the level
    kOneCircuit,  // tier 1 circuit 1 .. last tier circuit 6, chest rail, outline, star, cross
    kTierWalk,    // all six circuits of one tier, from the bottom tier (the last) up to tier 1
    kColumnWalk,  // circuit c of every tier, c = 1..6
    kAlternate,   // odd circuits, then even ones
    kDimmer,      // one channel, ramped 0..100..0 or held at the level, with the lamps it dims
};

struct CLampTestChoice {
    ELampPattern pattern = ELampPattern::kAllOff;
    int level = 100;      // 0..100, the level slider
    int channel = kColor1;  // the dimmer test's channel, 0..13
    bool ramp = true;     // the dimmer test ramps; otherwise it holds at the level
};

// Everything the lines get for one step: lamp states (non-zero = on) and the
// fourteen channel levels.
struct CLampTestState {
    unsigned char tier[kTiers][kCircuits] = {};
    unsigned char chest[kCircuits] = {};
    unsigned char outline[kCircuits] = {};
    int level[kChannels] = {};

    bool operator==(const CLampTestState&) const = default;
    // True when no lamp is on and every channel is at 0.
    bool Dark() const;
};

struct CLampTestStep {
    CLampTestState state;
    std::string label;  // "Tier 7 - Circuit 3 - blue", "Star - yellow", "Color 4 at 60%"
};

// The steps of one choice for one layout; never empty (a layout with nothing the
// pattern can light gives one dark step that says so). Levels are kept to 0..100,
// an unknown channel to Color 1.
std::vector<CLampTestStep> PlanLampTest(const CShowData& layout, const CLampTestChoice& choice);

// Whether tier t (1..18) is part of the structure.
bool TierInLayout(const CShowData& layout, int t);
// Name of colour index `color`: its name in the layout's colour table, else "colour N".
std::string ColorName(int color);
// "Tree 1", "Tree 2" or "Trees 1 and 2" for a selection (bit 0 Tree 1, bit 1 Tree 2).
const char* TreesName(int trees);
