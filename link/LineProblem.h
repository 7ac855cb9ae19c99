#pragma once
// What keeps a tree's line from being used, in words an operator can act on.

#include <string>

class CSerialPort;

enum class ELineProblem {
    kNone,        // usable, or no port chosen
    kPermission,  // the user may not open the device
    kBusy,        // another program holds it
    kUnplugged,   // the device is not there (or went away)
    kNotSerial,   // the path is no serial line
    kHeldBack,    // the controller has held the line back for more than 2 s
    kOther,       // any other failure
};

// The problem an errno value from opening or using a line stands for (0: none).
ELineProblem ClassifyLineError(unsigned err);
// What is wrong with the port now; kNone for a usable port, "NONE" or a null port.
ELineProblem LineProblemOf(const CSerialPort* port);
// One line that says what to do. `user` fills the dialout advice; `err` names an
// unexpected failure.
std::string LineProblemText(ELineProblem problem, const std::string& user, unsigned err = 0);
// The words for the port as it is now, for the current user; "" when it is usable.
std::string LineProblemText(const CSerialPort* port);
// The login name of the user the program runs as ("USER" when there is none).
std::string CurrentUserName();
