#pragma once
// Keeping the tree lines open while the show runs.

class CSerialPort;

// Run about once a second: opens lost lines again on their configured paths and
// sends a tree whose line came back the start-up frame. The tree is then brought up
// to date with the current cue by the next transmission. Either port may be null.
void CheckTreeLines(CSerialPort* tree1, CSerialPort* tree2);
