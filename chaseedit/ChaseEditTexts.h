#pragma once
// Notices of the chase edit screen.

inline constexpr const char* kPoolFullNotice =
    "All 4999 light steps are in use. Delete steps or chases you no longer need, then try again.";
inline constexpr const char* kNoCopyRoomNotice =
    "There are not enough free light steps for a copy of this chase. Delete steps or chases you no longer need, "
    "then try again.";
inline constexpr const char* kStepNumbersFullNotice =
    "No light step can be added to this chase: its steps already reach number 4999, the highest there can be.";
