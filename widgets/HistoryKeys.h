#pragma once
// Undo and redo in the editors: the keys that ask for them, and the menu items
// that say what they would do.

class CHistory;
class QAction;
class QKeyEvent;

enum class HistoryKey { kNone, kUndo, kRedo };

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo.
HistoryKey HistoryKeyOf(const QKeyEvent* key);

// "&Undo Delete Cue 5" and "&Redo ...", each greyed with its bare verb when there
// is nothing to do (or no history at all).
void ShowHistoryActions(QAction* undo, QAction* redo, const CHistory* history);
