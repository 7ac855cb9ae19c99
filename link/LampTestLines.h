#pragma once
// The lamp test's own transmissions: it drives the tree lines itself while the
// show is stopped, with the encoder's channel and chase frames written the
// never-blocking way the show writes them.

#include "document/ShowData.h"

class CSerialPort;
struct CLampTestState;

// What the operator is told of a line.
enum class ELampLine { kOpen, kHeldBack, kLost, kNoPort, kNotSerial };
const char* LampLineText(ELampLine state);

class CLampTestLines {
public:
    // Either port may be null (no line).
    CLampTestLines(CSerialPort* tree1, CSerialPort* tree2);

    // Sends `state` to the trees `trees` names (bit 0 Tree 1, bit 1 Tree 2): the
    // channel frames whose level the tree does not hold yet (every one the first
    // time, after a dropped frame and after the line came back), then the chase
    // frame. A tree left out gets nothing.
    void Send(const CLampTestState& state, int trees);
    // Every channel at 0 and every lamp off, all fourteen channel frames and the
    // chase frame, to both trees.
    void SendAllOff();
    // About once a second: opens lost lines again (the start-up frame goes to a
    // line that came back, which then gets every channel afresh).
    void CheckLines();
    // Gives the lines back to the show: what the trees hold is no longer the show's,
    // so its next transmission brings them up to date with the current cue first.
    void HandBack();
    ELampLine State(int tree) const;  // tree 0 or 1

private:
    void SendTo(int tree, const CLampTestState& state, bool everyChannel);

    CSerialPort* m_port[2];
    int m_held[2][kChannels];  // the level each tree holds; -1 when not known
    bool m_heldBack[2] = {false, false};
};
