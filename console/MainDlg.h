#pragma once
// The operator's console: cue list, start/stop, pause, advance modes, status
// line, the 100 ms timer that drives the show, and the live tree picture.

#include "console/TreePicture.h"
#include "engine/Repaint.h"

#include <QDialog>
#include <QTimer>
#include <string>

class CCueList;
class CShowData;
class QLineEdit;
class QProgressBar;
class QPushButton;

class CMainDlg : public QDialog, public IRepaint {
    Q_OBJECT
public:
    explicit CMainDlg(CShowData& doc, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // False when the layout file was missing: the console asked to be restarted
    // and exec() returns at once.
    bool Loaded() const { return m_loaded; }
    int exec() override;

    void InvalidateRect(int left, int top, int right, int bottom, bool erase) override;

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
    void OnCueListDblClk();
    // Any click on a line starts its cue, the highlighted line included.
    void OnCueListSelChange(int row);
    void OnTimer();
    // About once a second: opens lost tree lines again (see CheckTreeLines).
    void OnLineCheck();
    void OnGraphicsToggle();
    void OnAbout();
    // Stores the window position, saves the show, sends the shut-down frame.
    void OnClose();

    QTimer& Timer() { return m_timer; }
    CTreePicture& Picture() { return m_picture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void BuildControls();
    void BuildMenu();
    void OnInitDialog();
    bool HandleKey(int key);
    void PaintPicture();
    void StopShow();
    void RunCueEditor();
    void FillCueList();
    void FollowCurrentCue();
    void ShowAdvanceMode();
    void StartTimer();
    void ShowStatus(const std::string& text);
    QPushButton* AddButton(int id, const char* text, int x, int y, int width, int height, bool wrap);

    CShowData& m_doc;
    CTreePicture m_picture;
    QTimer m_timer;
    QTimer m_lineTimer;
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
    bool m_loaded = false;
    bool m_closed = false;
};
