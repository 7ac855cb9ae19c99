#pragma once
// The operator's console: cue list, start/stop, pause, advance modes, status
// line, the show clock that drives the show every 100 ms, and the live tree picture.
//
// The clock ticks on a thread of its own. The operator's actions change the show
// through Act, under the clock's lock; a screen that edits the document runs
// while the clock has lent it (m_clock.Lend()). The window draws the picture and
// the status line from the snapshot the last tick or action left whole.

#include "console/ShowSnapshot.h"
#include "widgets/TreePicture.h"
#include "engine/Repaint.h"
#include "engine/ShowClock.h"
#include "engine/ShowControl.h"

#include <QDialog>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <QPointer>

class CConsoleRemote;
class CCueList;
class CShowData;
class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSlider;

class CMainDlg : public QDialog, public IRepaint, public IShowControl {
    Q_OBJECT
public:
    explicit CMainDlg(CShowData& doc, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // False when the layout file was missing: the console asked to be restarted
    // and exec() returns at once.
    bool Loaded() const { return m_loaded; }
    int exec() override;

    // The tick's repaint request, noted in the snapshot it publishes.
    void InvalidateRect(int left, int top, int right, int bottom, bool erase) override;

    // --- the show's live operations (console/MainDlgLive.cpp): the buttons, the
    // keys, the cue list, the fader and every other way of playing the show call these.
    void Start() override;
    void Go() override;
    void Back() override;
    void TogglePause() override;
    void ToggleBlackout() override;
    void SetMaster(int percent) override;
    void Stop() override;
    void StartCueAt(int cue) override;
    bool Paused() const { return m_paused; }

    // --- the editing lock (console/MainDlgLock.cpp)
    // Greys every entry and control registered below, and refuses the double-click
    // and the screens they open, until unlocked.
    void SetEditingLocked(bool locked);
    bool EditingLocked() const;
    // Registers an entry or a control that opens an editor, the layout screen, the
    // port setup or any other screen that changes the show or its setup.
    void LockWithEditing(QAction* action);
    void LockWithEditing(QWidget* widget);
    void OnLockEditing();
    // Asks first; only Yes unlocks.
    void OnUnlockEditing();
    // Help > Keys: the keys of the console.
    void OnKeysHelp();

    void OnPauseButton();
    void OnStartStop();
    void OnManualMode();
    void OnAutoRunMode();
    void OnForward();
    void OnReverse();
    void OnSendTreeSignals();
    // Port setup, then the normal closing steps so no work is lost.
    void OnComPortSetup();
    void OnEditCues();
    // The tree layout screen, with the show stopped; after OK the console shows the new layout.
    void OnTreeLayout();
    // The lamp test screen, with the show stopped; it drives the tree lines itself until it closes.
    void OnLampTest();
    void OnCueListDblClk();
    // Any click on a line starts its cue, the highlighted line included.
    void OnCueListSelChange(int row);
    // Runs one tick now, on the caller's thread, and shows it: how tests and other
    // callers keep time themselves. The clock's thread starts only once the
    // window's event loop runs, so a caller that never runs one has full control.
    void OnTimer();
    // About once a second on the clock's thread: opens lost tree lines again (see CheckTreeLines).
    void OnLineCheck();
    void OnGraphicsToggle();
    void OnAbout();
    // Stores the window position, saves the show, sends the shut-down frame. When
    // the show cannot be saved and the operator chooses to keep it, nothing closes.
    void OnClose();

    // Configuration > "Remote Control...": the phone remote and show-control input.
    void OnRemoteControl();
    CConsoleRemote* Remote() { return m_remote.get(); }

    CShowClock& Clock() { return m_clock; }
    CTreePicture& Picture() { return m_picture; }
    // Starts the clock's thread, unless the console has closed; "Out of Timers" when none can be made.
    void StartClock();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void BuildControls();
    void BuildMenu();
    // The grand master fader and the blackout button; the lock and key entries.
    void BuildLiveControls();
    void BuildLiveMenu(QMenu* config, QMenu* help);
    // The next (or previous) cue while the show runs, and the list following it.
    void MoveWhileRunning(bool forward);
    // The key's live operation run, when it is one of the console's keys.
    bool HandleLiveKey(QObject* watched, const QKeyEvent* key);
    // The blackout button, the fader and the status line as the show's live state has them.
    void ShowLiveState();
    void ShowMaster();
    void OnInitDialog();
    void PaintPicture();
    // Runs an operator's action on the show under the show lock, so it never
    // meets a tick half done, and shows at once what it left. Every handler that
    // touches the show goes through here; a screen that edits the document runs
    // under a loan of the clock instead (m_clock.Lend()).
    template <class Work>
    void Act(Work&& work)
    {
        {
            std::lock_guard<CShowMutex> lock(m_clock.Mutex());
            work();
            TakeShow(m_doc, m_published);
        }
        ShowLatest();
    }
    // Stops the show before a screen takes the document.
    void StopShow();
    bool SaveShowOrLetGo();
    void RunCueEditor();
    void FillCueList();
    void FollowCurrentCue();
    // What the clock runs: under the lock the show's tick and what the window shows
    // of it, and the line check; then a word to the window's thread.
    CClockWork ClockWork();
    void ClockTick();
    // Takes the latest snapshot and shows it: status line, tick bar, cue list, picture.
    void ShowLatest();
    void ShowAdvanceMode();
    void ShowStatus(const char* text);
    QPushButton* AddButton(int id, const char* text, int x, int y, int width, int height, bool wrap);

    CShowData& m_doc;
    CTreePicture m_picture;
    CShowSnapshot m_published;  // written under the show lock
    CShowSnapshot m_shown;      // the window thread's copy
    std::atomic<bool> m_showQueued{false};
    bool m_normalPriorityToSay = true;  // said once, until the show first runs (under the lock)
    QWidget* m_client = nullptr;
    CCueList* m_cueList = nullptr;
    QPushButton* m_pauseButton = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_autoRunButton = nullptr;
    QPushButton* m_manualButton = nullptr;
    QPushButton* m_forwardButton = nullptr;
    QPushButton* m_reverseButton = nullptr;
    QPushButton* m_graphicsButton = nullptr;
    QLineEdit* m_status = nullptr;
    QProgressBar* m_tickBar = nullptr;
    // The live controls and the editing lock.
    QSlider* m_masterFader = nullptr;
    QLabel* m_masterValue = nullptr;
    QPushButton* m_blackoutButton = nullptr;
    QAction* m_lockAction = nullptr;
    QAction* m_unlockAction = nullptr;
    std::vector<QPointer<QAction>> m_lockedActions;
    std::vector<QPointer<QWidget>> m_lockedWidgets;
    bool m_paused = false;
    bool m_loaded = false;
    bool m_closed = false;
    // The phone remote plays the show through the console's own handlers.
    friend class CConsoleRemote;
    std::unique_ptr<CConsoleRemote> m_remote;
    CShowClock m_clock;  // last: its thread ends before anything it touches goes
};
