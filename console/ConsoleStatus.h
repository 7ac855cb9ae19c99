#pragma once
// The console's status line texts.

#include <string>

class CShowData;

// While the show runs: whether frames go out, and the current cue and chase.
// "Data Sent" only when a tree took the last transmission whole; each tree whose
// line is held back, lost or no serial port is named ("Data Sent - Tree 2 Held Back").
// During a blackout it begins "BLACKOUT - ".
std::string RunningStatus(const CShowData& doc);
// While the show is stopped: whether a started show would send, and which tree's
// line is lost or no serial port.
std::string StoppedStatus(const CShowData& doc);
// " - Tree 1 Lost - Tree 2 Not A Serial Port" for the lines that are lost or no
// serial port, "" when there are none. With `chosenNamesOnly`, a tree counts only
// while the document still names the port its line was opened on.
std::string LineNotes(const CShowData& doc, bool chosenNamesOnly = false);
// The window caption with the cue list and chase library names.
std::string ConsoleCaption(const CShowData& doc);
