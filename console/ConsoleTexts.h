#pragma once
// Texts of the console that the program sets and reads back, and the question it asks.

inline constexpr const char* kStartText = "Press this BUTTON to START the TREE. This will Reset The Tree";
inline constexpr const char* kStopText = "Press this BUTTON to STOP the TREE. This will Reset The Tree";
inline constexpr const char* kPauseText = "Click to Pause";
inline constexpr const char* kContinueText = "Click to Continue";
inline constexpr const char* kGraphicsOn = "Graphics ON";
inline constexpr const char* kGraphicsOff = "Graphics OFF";

// Asked at the close when the cue list or the chase library could not be saved
// (the message before it said which file and why).
inline constexpr const char* kCloseUnsavedText =
    "The show could not be saved, so closing now would lose its changes.\n"
    "Close all the same?\n"
    "(Choose No to keep the console open: make room on the disk or mend the folder and close again, "
    "or keep the cue list in another file with the cue editor's File > Save As.)";

// The live controls and the editing lock.
inline constexpr const char* kBlackoutText = "BLACKOUT";
inline constexpr const char* kMasterText = "Master";
inline constexpr const char* kLockEditingText = "Lock Editing";
inline constexpr const char* kUnlockEditingText = "Unlock Editing";
inline constexpr const char* kUnlockQuestion =
    "Unlock editing?\n"
    "The cue editor, the tree layout and the port setup can then be opened again, "
    "and opening them stops the show.";
