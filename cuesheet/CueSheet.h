#pragma once
// What a printed cue sheet shows, taken from the show in one quick copy so the
// show can go on (or the lock be given back) while the pages are drawn.

#include "document/CueSlots.h"
#include "document/ShowData.h"

#include <memory>
#include <string>
#include <vector>

struct CCueSheetRow {
    int number;
    CCueSlot cue;   // the slot's fields as the cue list holds them
    int firstStep;  // record of the chase's step 1, 0 when the chase has none
};

struct CCueSheet {
    CCueSheet();
    std::string fileName;  // the cue list's file, as the show names it
    std::string date;      // when the sheet was taken, as printed
    int tierCount = 0;
    bool star = false, cross = false, chest = false, outline = false;
    std::vector<CCueSheetRow> rows;
    // Layout, colours, picture rectangle and lamp states of the light steps: all the
    // tree picture reads. Its run state stays zero.
    std::unique_ptr<CShowData> picture;
};

// Copies the named cues in slot order and what their pictures need: a few
// milliseconds for a full list, short enough to hold the show lock for.
void TakeCueSheet(const CShowData& show, CCueSheet& sheet);

// "1.5" for 15 tenths, "-0.3" for -3: one decimal, no rounding.
std::string Seconds(int tenths);
// How the sheet writes a run count and an active time.
std::string RunCountText(int runCount);
std::string ActiveTimeText(int tenths);
// The file name without its directory.
std::string BaseName(const std::string& path);
