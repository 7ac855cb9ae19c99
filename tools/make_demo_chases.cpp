// Writes the demo show's chase library for an 18-tier tree: one line per light
// step, "name|step|text|lamps|", lamps being 108 tier characters (six per tier,
// tier 1 first) then six chest/outline pairs.
// Usage: make_demo_chases <output file>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kTiers = 18;
constexpr int kCircuits = 6;

struct Step {
    bool tier[kTiers][kCircuits];
    bool chest[kCircuits];
    bool outline[kCircuits];
};

// The outline circuits (0-based) that tier t (1-based) shows at its left and right end.
void OutlineOf(int tier, int& left, int& right)
{
    static const int kLeft[3] = {0, 2, 1};
    left = kLeft[tier % 3];
    right = left + 3;
}

void LightOutlineOf(Step& s, int tier)
{
    int left = 0, right = 0;
    OutlineOf(tier, left, right);
    s.outline[left] = s.outline[right] = true;
}

void Write(FILE* f, const char* name, int number, const Step& s)
{
    char lamps[121];
    int k = 0;
    for (int t = 0; t < kTiers; ++t)
        for (int c = 0; c < kCircuits; ++c)
            lamps[k++] = s.tier[t][c] ? '1' : '0';
    for (int c = 0; c < kCircuits; ++c) {
        lamps[k++] = s.chest[c] ? '1' : '0';
        lamps[k++] = s.outline[c] ? '1' : '0';
    }
    lamps[k] = '\0';
    std::fprintf(f, "%s|%d|%s|%s|\n", name, number, "demo", lamps);
}

void AllOn(FILE* f)
{
    Step s{};
    std::memset(&s, 1, sizeof s);
    Write(f, "All On", 1, s);
}

// One whole tier lit at a time, top to bottom, its chest bar and outline with it.
void Sweep(FILE* f)
{
    for (int t = 1; t <= kTiers; ++t) {
        Step s{};
        for (int c = 0; c < kCircuits; ++c)
            s.tier[t - 1][c] = true;
        s.chest[(t - 1) % kCircuits] = true;
        LightOutlineOf(s, t);
        Write(f, "Sweep", t, s);
    }
}

// The tree fills from the bottom row up until every tier is lit.
void FillUp(FILE* f)
{
    for (int step = 1; step <= kTiers; ++step) {
        Step s{};
        for (int t = kTiers - step + 1; t <= kTiers; ++t) {
            for (int c = 0; c < kCircuits; ++c)
                s.tier[t - 1][c] = true;
            LightOutlineOf(s, t);
        }
        for (int c = 0; c < kCircuits && c < step / 3; ++c)
            s.chest[c] = true;
        Write(f, "Fill Up", step, s);
    }
}

// Each tier shows one colour, shifted by one per tier, so colour bands wind round the tree.
void Spiral(FILE* f)
{
    for (int step = 1; step <= kCircuits; ++step) {
        Step s{};
        for (int t = 1; t <= kTiers; ++t)
            s.tier[t - 1][(t + step) % kCircuits] = true;
        s.chest[step - 1] = true;
        s.outline[step - 1] = true;
        Write(f, "Spiral", step, s);
    }
}

// Odd and even tiers swap between the first two colours.
void Alternate(FILE* f)
{
    for (int step = 1; step <= 2; ++step) {
        Step s{};
        for (int t = 1; t <= kTiers; ++t)
            s.tier[t - 1][(t + step) % 2] = true;
        for (int c = 0; c < kCircuits; ++c) {
            s.chest[c] = (c + step) % 2 == 0;
            s.outline[c] = (c + step) % 2 == 1;
        }
        Write(f, "Alternate", step, s);
    }
}

// The whole tree steps through its six colours.
void ColorWheel(FILE* f)
{
    for (int step = 1; step <= kCircuits; ++step) {
        Step s{};
        for (int t = 1; t <= kTiers; ++t)
            s.tier[t - 1][step - 1] = true;
        for (int c = 0; c < kCircuits; ++c)
            s.chest[c] = s.outline[c] = true;
        Write(f, "Color Wheel", step, s);
    }
}

// The chest rail and the outline walk round while the tiers stay dark.
void RailRun(FILE* f)
{
    for (int step = 1; step <= kCircuits; ++step) {
        Step s{};
        s.chest[step - 1] = true;
        s.chest[step % kCircuits] = true;
        s.outline[step - 1] = true;
        Write(f, "Rail Run", step, s);
    }
}

// A fixed pseudo-random sparkle, the same on every run.
void Twinkle(FILE* f)
{
    unsigned seed = 2024;
    for (int step = 1; step <= 8; ++step) {
        Step s{};
        for (int t = 0; t < kTiers; ++t)
            for (int c = 0; c < kCircuits; ++c) {
                seed = seed * 1103515245u + 12345u;
                s.tier[t][c] = (seed >> 16) % 4 == 0;
            }
        for (int c = 0; c < kCircuits; ++c) {
            seed = seed * 1103515245u + 12345u;
            s.chest[c] = (seed >> 16) % 2 == 0;
            s.outline[c] = (seed >> 17) % 2 == 0;
        }
        Write(f, "Twinkle", step, s);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    FILE* f = std::fopen(argv[1], "w");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    AllOn(f);
    Sweep(f);
    FillUp(f);
    Spiral(f);
    Alternate(f);
    ColorWheel(f);
    RailRun(f);
    Twinkle(f);
    return std::fclose(f) == 0 ? 0 : 1;
}
