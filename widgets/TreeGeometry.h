#pragma once
// Where every element of the live tree picture goes and how it looks, computed
// from the show document alone so it can be checked without painting.

#include "document/ShowData.h"

struct CPoint {
    int x, y;
};

// One lamp circuit as the picture shows it: its brush and whether it is drawn.
// A brush with `made` false (colour index undefined or out of range) draws nothing.
struct CLampState {
    CBrush brush;
    bool lit;
};

constexpr int kMaxTierImages = 2 * kTiers;  // tier t has 2t lamp images
constexpr int kOutlineLampsPerTier = 4;     // two at each end of a row
constexpr int kMaxPolygonPoints = 12;

struct COutlineLamp {
    CPoint at;      // top corner of the diamond
    int circuit;    // outline circuit index 0..5
    CLampState state;
};

struct CTierRow {
    CLampState stripe[kCircuits];       // circuit c of the lamp image
    int imageCount;                     // 2t
    CPoint image[kMaxTierImages];       // top-left of each 15x21 lamp image
    int chestBarCount;                  // t when the chest rail is present, else 0
    CPoint chestBar[kTiers];            // top-left of each 24x4 chest bar
    COutlineLamp outline[kOutlineLampsPerTier];  // left end first, then right end
};

struct CPolygon {
    CLampState state;
    int count;
    CPoint point[kMaxPolygonPoints];
};

struct CTreeGeometry {
    // Spacing of the picture, scaled to the tier count; all 0 when no tiers are drawn.
    int columnStep, rowStep, chestStep, outlineStep;
    // Number of tier rows drawn: the tier count when it is 1..18, otherwise 0.
    int tierCount;
    CTierRow row[kTiers];               // row[t-1] is tier t
    CLampState chest[kCircuits];        // chest diamonds of the bar image
    CPolygon star;
    CPolygon cross;
};

// Computes the picture for the document's layout, levels and current light step.
// A tier count outside 1..18 draws no tiers, chest bars or outline (star and cross
// still show); colour indexes outside 0..17 give unmade brushes and levels are
// clamped to 0..100 before they pick a brush.
void ComputeTreeGeometry(const CShowData& show, CTreeGeometry& out);
// The same for any levels and light step record (0 = all dark), the document's
// run state untouched: how a cue looks before it plays.
void ComputeTreeGeometry(const CShowData& show, const int (&levels)[kChannels], int stepRecord, CTreeGeometry& out);

// What the picture lights: the fourteen channel levels and the lamp states of one
// light step (non-zero = on).
struct CPictureState {
    const int* level;                        // kChannels
    const unsigned char (*tier)[kCircuits];  // kTiers rows, tier t at t-1
    const unsigned char* chest;              // kCircuits
    const unsigned char* outline;            // kCircuits
};
// The same picture for the document's layout lit by `state` instead of the show,
// for a screen that drives the lines with levels and lamps of its own.
void ComputeTreeGeometry(const CShowData& layout, const CPictureState& state, CTreeGeometry& out);

// The pieces both pictures are built from. Spacing of an n-tier picture (all 0 for
// n outside 1..18); where row t's lamp images, chest bars (when `chestBars`) and
// outline lamps go, all unlit; the star and cross outlines, unlit.
void SetTreeSpacing(int tiers, CTreeGeometry& g);
void PlaceTierRow(const CShowData& show, const CTreeGeometry& g, int t, bool chestBars, CTierRow& row);
void PlaceStarAndCross(const CShowData& show, CTreeGeometry& g);

// Scratch-area shapes of one lamp image and one chest bar (relative to the scratch origin).
void StripePolygon(int circuit, CPoint (&points)[6]);
void ChestDiamond(int circuit, CPoint (&points)[6]);
// Outline diamond whose top corner is `at`.
void OutlineDiamond(CPoint at, CPoint (&points)[6]);

// Brush of colour index `color` at level `level`, safe for any values.
CBrush LevelBrush(const CShowData& show, int color, int level);
