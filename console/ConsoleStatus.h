#pragma once
// The console's status line texts.

#include <string>

class CShowData;

// While the show runs: whether frames go out, and the current cue and chase.
// "Data Sent" only when a tree took the last transmission whole; otherwise it says
// whether no tree port is open or the lines are held back.
std::string RunningStatus(const CShowData& doc);
// While the show is stopped: whether a started show would send.
std::string StoppedStatus(const CShowData& doc);
// The window caption with the cue list and chase library names.
std::string ConsoleCaption(const CShowData& doc);
