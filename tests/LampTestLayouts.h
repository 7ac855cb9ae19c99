#pragma once
// Two structures for the lamp test: one with every part (four tiers, chest rail,
// outline, star, cross) and one of three tiers without tier 2, chest rail,
// outline, star or cross.

#include "document/Layout.h"

enum class ETestLayout { kEveryPart, kBare };

inline void MakeTestLayout(CShowData& doc, ETestLayout which)
{
    const bool every = which == ETestLayout::kEveryPart;
    doc.m_tierCount = every ? 4 : 3;
    for (int t = 1; t <= kTiers; ++t) {
        doc.m_tierPresent[t - 1] = t <= doc.m_tierCount && (every || t != 2);
        for (int c = 0; c < kCircuits; ++c)
            doc.m_tierColor[t - 1][c] = c;  // white, blue, red, green, yellow, orange
    }
    for (int c = 0; c < kCircuits; ++c) {
        doc.m_chestColor[c] = 2;
        doc.m_outlineColor[c] = 3;
    }
    doc.m_chestPresent = doc.m_outlinePresent = doc.m_starPresent = doc.m_crossPresent = every;
    doc.m_starColor = 4;
    doc.m_crossColor = 6;
    for (int i = 0; i < kTableColors; ++i)
        DefineColor(doc, i, kColorTable[i].red, kColorTable[i].green, kColorTable[i].blue);
    doc.m_pictureLeft = 360, doc.m_pictureTop = 50, doc.m_pictureRight = 780, doc.m_pictureBottom = 600;
}
