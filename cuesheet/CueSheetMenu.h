#pragma once
// The cue sheet's two menu entries, the same in the cue editor's File menu and
// the console's Configuration menu.

#include <functional>

struct CCueSheet;
class CShowData;
class QMenu;
class QWidget;

// Entry ids, as the screens' objectNames.
inline constexpr const char* kPrintSheetId = "32851";
inline constexpr const char* kExportSheetId = "32852";

// Adds "Print Cue Sheet..." and "Export Cue Sheet as PDF..." after a separator.
// `take` fills the sheet from `show` as the screen may read it (under the show
// lock, or under a loan of the clock); the dialogs then run with nothing held.
void AddCueSheetEntries(QMenu* menu, QWidget* owner, CShowData& show, std::function<void(CCueSheet&)> take);
