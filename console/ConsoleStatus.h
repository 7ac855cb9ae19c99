#pragma once
// The console's status line texts.

#include <string>

class CShowData;

// While the show runs: whether frames go out, and the current cue and chase.
// "Data Sent" only when a tree took the last transmission whole; each tree whose
// line is held back or not usable is named, with what to do about it
// ("Data Sent - Tree 2 Held Back", "NO Data Sent - Tree 1: not plugged in: ...").
// During a blackout it begins "BLACKOUT - ".
std::string RunningStatus(const CShowData& doc);
// While the show is stopped: whether a started show would send, and what keeps
// which tree's line from being used.
std::string StoppedStatus(const CShowData& doc);
// " - Tree 1: not plugged in: ... - Tree 2: not a serial line: ..." for the lines
// that are not usable, "" when there are none. With `chosenNamesOnly`, a tree counts only
// while the document still names the port its line was opened on.
std::string LineNotes(const CShowData& doc, bool chosenNamesOnly = false);
// The window caption with the cue list and chase library names.
std::string ConsoleCaption(const CShowData& doc);
