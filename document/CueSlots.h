#pragma once
// Whole cue slots: moving them, resetting them, and their fields as one block,
// shared by the cue operations and the history that takes them back.

#include "document/ShowData.h"

constexpr int kLastCueSlot = kCueSlots - 1;

// Every field of one slot.
struct CCueSlot {
    char name[kNameSize];
    char chase[kNameSize];
    int fadeTime, activeTime, chaseSpeed, runCount;
    bool forward;
    int level[kChannels];
    int mark;  // moves with the cue, never copied to another
};

CCueSlot ReadSlot(const CShowData& d, int s);
void WriteSlot(CShowData& d, int s, const CCueSlot& slot);
// True when no byte of the slot is set.
bool SlotIsBlank(const CShowData& d, int s);
// Moves `count` whole slots from `from` to `to`; the ranges may overlap.
void MoveSlots(CShowData& d, int from, int to, int count);
// An empty slot when `name` is "", otherwise a default cue of that name.
void ResetSlot(CShowData& d, int s, const char* name, const char* chase);
