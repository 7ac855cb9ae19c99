#pragma once
// What the console window shows of the show, made whole under the show lock by a
// tick or an operator's action and drawn by the window's thread at its own pace,
// so the window never reads a tick half done.

#include "widgets/TreeGeometry.h"

#include <cstddef>

struct CShowSnapshot {
    long long ticks = 0;      // ticks so far, running or not: each brings a status line
    long long showTicks = 0;  // ticks that ran the show: each steps the tick bar
    bool running = false;
    bool repaint = false;     // a tick asked for the picture to be redrawn
    int currentCue = 0;
    char status[256] = "";
    CTreeGeometry picture{};  // drawn only while running
};

// Takes what the picture and the cue list follow from the document.
void TakeShow(const CShowData& doc, CShowSnapshot& out);
// Sets the status line text, cut to fit.
void SetSnapshotStatus(CShowSnapshot& out, const char* text);
