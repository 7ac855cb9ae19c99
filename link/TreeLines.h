#pragma once
// Keeping the tree lines open while the show runs.

class CSerialPort;

// Run about once a second: opens lost lines again on their configured paths and
// sends a tree whose line came back the start-up frame. The tree is then brought up
// to date with the current cue by the next transmission. Either port may be null.
void CheckTreeLines(CSerialPort* tree1, CSerialPort* tree2);

// One step of a tree's identify blink: every channel at 100 (or 0) at once and
// every lamp on (or off), as a cue and its chase would send them. Touches no show
// data. False when the line is not usable or did not take it all.
bool SendBlinkFrames(CSerialPort& port, bool on);
// Puts the port on the line `name` names, as at a start: a line already open and
// usable on that path is kept; otherwise it is opened afresh and, once open, gets
// the start-up frame first. True when the port was opened again.
bool UseTreeLine(CSerialPort& port, const char* name);
