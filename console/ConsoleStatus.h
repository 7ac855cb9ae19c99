#pragma once
// The console's status line texts.

#include <string>

class CShowData;

// While the show runs: whether frames go out, and the current cue and chase.
// With sending on but neither tree port usable it says so instead of "Data Sent".
std::string RunningStatus(const CShowData& doc);
// While the show is stopped: whether a started show would send.
std::string StoppedStatus(const CShowData& doc);
// The window caption with the cue list and chase library names.
std::string ConsoleCaption(const CShowData& doc);
