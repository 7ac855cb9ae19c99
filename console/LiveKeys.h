#pragma once
// The console's keys: what each does, whatever has the focus on the console window.

#include <Qt>

class QObject;

enum class ELiveKey {
    kNone,      // not the console's: the widget with the focus gets it
    kSwallow,   // the console's, doing nothing (Escape never closes the console)
    kGo,        // Enter, Space, Page Down: the next cue
    kBack,      // Page Up, Backspace: the previous cue
    kBlackout,  // B, ".": blackout on or off
};

// A key with Ctrl, Alt or Meta held is never the console's (menus and shortcuts keep them).
ELiveKey LiveKeyOf(int key, Qt::KeyboardModifiers modifiers);
// Whether `widget` is a box the operator types into, which keeps every key.
bool TakesTyping(const QObject* widget);

// Help > Keys.
inline constexpr const char* kKeysHelpText =
    "Keys of the console, whatever has the focus, while the show runs:\n"
    "\n"
    "Enter, Space, Page Down:  GO, the next cue\n"
    "Page Up, Backspace:  BACK, the previous cue\n"
    "B, . (full stop):  BLACKOUT on or off\n"
    "\n"
    "Presenter clickers send Page Down and Page Up (and B or . from their black-screen key), "
    "and foot switches send keys, so both work as they come.\n"
    "Escape never closes the console. Holding a key down does it once.";
