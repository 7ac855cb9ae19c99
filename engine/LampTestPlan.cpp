#include "engine/LampTestPlan.h"

#include "document/Layout.h"
#include "link/FrameDecoder.h"

namespace {

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

std::string Number(int n)
{
    return std::to_string(n);
}

class CPlanner {
public:
    CPlanner(const CShowData& layout, const CLampTestChoice& choice)
        : m_layout(layout)
        , m_level(Clamp(choice.level, 0, 100))
    {
        for (int t = 1; t <= kTiers; ++t)
            if (TierInLayout(layout, t))
                m_tiers.push_back(t);
    }

    std::vector<CLampTestStep> Plan(const CLampTestChoice& choice)
    {
        switch (choice.pattern) {
        case ELampPattern::kAllOff:
            Add("All Off");
            break;
        case ELampPattern::kAllOn:
            AllOn();
            break;
        case ELampPattern::kOneCircuit:
            OneCircuit();
            break;
        case ELampPattern::kTierWalk:
            // From the bottom of the tree up: tier 1 is its top.
            for (auto t = m_tiers.rbegin(); t != m_tiers.rend(); ++t) {
                CLampTestStep& step = Add("Tier " + Number(*t) + " - All Circuits");
                for (int c = 1; c <= kCircuits; ++c)
                    TierLamp(step, *t, c);
            }
            break;
        case ELampPattern::kColumnWalk:
            for (int c = 1; c <= kCircuits && !m_tiers.empty(); ++c) {
                CLampTestStep& step = Add("Circuit " + Number(c) + " - Every Tier");
                for (int t : m_tiers)
                    TierLamp(step, t, c);
            }
            break;
        case ELampPattern::kAlternate:
            Alternate(1, "Odd Circuits - 1, 3, 5");
            Alternate(0, "Even Circuits - 2, 4, 6");
            break;
        case ELampPattern::kDimmer:
            Dimmer(choice);
            break;
        }
        if (m_steps.empty())
            Add("Nothing of the layout to light");
        return std::move(m_steps);
    }

private:
    CLampTestStep& Add(const std::string& label)
    {
        m_steps.push_back(CLampTestStep{CLampTestState{}, label});
        return m_steps.back();
    }
    // Tier t's circuit c (both from 1) on, with the colour channel that dims it.
    void TierLamp(CLampTestStep& step, int t, int c)
    {
        step.state.tier[t - 1][c - 1] = 1;
        step.state.level[kColor1 + c - 1] = m_level;
    }
    void ChestLamp(CLampTestStep& step, int c)
    {
        step.state.chest[c - 1] = 1;
        step.state.level[kChest] = m_level;
    }
    void OutlineLamp(CLampTestStep& step, int c)
    {
        step.state.outline[c - 1] = 1;
        step.state.level[kOutline] = m_level;
    }

    void AllOn()
    {
        CLampTestStep& step = Add("All On at " + Number(m_level) + "%");
        for (int t : m_tiers)
            for (int c = 1; c <= kCircuits; ++c)
                step.state.tier[t - 1][c - 1] = 1;
        for (int c = 1; c <= kCircuits; ++c) {
            step.state.chest[c - 1] = m_layout.m_chestPresent ? 1 : 0;
            step.state.outline[c - 1] = m_layout.m_outlinePresent ? 1 : 0;
        }
        for (int& level : step.state.level)
            level = m_level;
    }

    void OneCircuit()
    {
        for (int t : m_tiers)
            for (int c = 1; c <= kCircuits; ++c)
                TierLamp(Add("Tier " + Number(t) + " - Circuit " + Number(c) + " - " +
                             ColorName(m_layout.m_tierColor[t - 1][c - 1])),
                         t, c);
        for (int c = 1; c <= kCircuits && m_layout.m_chestPresent; ++c)
            ChestLamp(Add("Chest Rail - Circuit " + Number(c) + " - " + ColorName(m_layout.m_chestColor[c - 1])), c);
        for (int c = 1; c <= kCircuits && m_layout.m_outlinePresent; ++c)
            OutlineLamp(Add("Outline - Circuit " + Number(c) + " - " + ColorName(m_layout.m_outlineColor[c - 1])),
                        c);
        // The star and the cross have no lamp bits: their channel alone lights them.
        if (m_layout.m_starPresent)
            Add("Star - " + ColorName(m_layout.m_starColor)).state.level[kStar] = m_level;
        if (m_layout.m_crossPresent)
            Add("Cross - " + ColorName(m_layout.m_crossColor)).state.level[kCross] = m_level;
    }

    // The circuits c with c % 2 == `odd` of every tier, the chest rail and the outline.
    void Alternate(int odd, const char* label)
    {
        CLampTestStep& step = Add(label);
        for (int c = 1; c <= kCircuits; ++c) {
            if (c % 2 != odd)
                continue;
            for (int t : m_tiers)
                TierLamp(step, t, c);
            if (m_layout.m_chestPresent)
                ChestLamp(step, c);
            if (m_layout.m_outlinePresent)
                OutlineLamp(step, c);
        }
    }

    void Dimmer(const CLampTestChoice& choice)
    {
        const int channel = choice.channel >= 0 && choice.channel < kChannels ? choice.channel : kColor1;
        std::vector<int> levels;
        if (choice.ramp) {
            for (int level = 0; level <= 100; level += 10)
                levels.push_back(level);
            for (int level = 90; level > 0; level -= 10)
                levels.push_back(level);
        } else {
            levels.push_back(m_level);
        }
        for (int level : levels) {
            CLampTestStep& step = Add(std::string(ChannelName(channel)) + " at " + Number(level) + "%");
            for (int c = 1; c <= kCircuits; ++c) {
                if (channel == kColor1 + c - 1)
                    for (int t : m_tiers)
                        step.state.tier[t - 1][c - 1] = 1;
                if (channel == kChest && m_layout.m_chestPresent)
                    step.state.chest[c - 1] = 1;
                if (channel == kOutline && m_layout.m_outlinePresent)
                    step.state.outline[c - 1] = 1;
            }
            step.state.level[channel] = level;
        }
    }

    const CShowData& m_layout;
    const int m_level;
    std::vector<int> m_tiers;  // the tiers of the structure, from tier 1 up
    std::vector<CLampTestStep> m_steps;
};

}  // namespace

bool CLampTestState::Dark() const
{
    return *this == CLampTestState{};
}

std::vector<CLampTestStep> PlanLampTest(const CShowData& layout, const CLampTestChoice& choice)
{
    return CPlanner(layout, choice).Plan(choice);
}

bool TierInLayout(const CShowData& layout, int t)
{
    return t >= 1 && t <= kTiers && t <= layout.m_tierCount && layout.m_tierPresent[t - 1];
}

std::string ColorName(int color)
{
    if (color >= 0 && color < kTableColors)
        return kColorTable[color].name;
    return "colour " + std::to_string(color);
}

const char* TreesName(int trees)
{
    switch (trees) {
    case 1:
        return "Tree 1";
    case 2:
        return "Tree 2";
    default:
        return "Trees 1 and 2";
    }
}
