#pragma once
// Button texts of the console that the program sets and reads back.

inline constexpr const char* kStartText = "Press this BUTTON to START the TREE. This will Reset The Tree";
inline constexpr const char* kStopText = "Press this BUTTON to STOP the TREE. This will Reset The Tree";
inline constexpr const char* kPauseText = "Click to Pause";
inline constexpr const char* kContinueText = "Click to Continue";
inline constexpr const char* kGraphicsOn = "Graphics ON";
inline constexpr const char* kGraphicsOff = "Graphics OFF";
