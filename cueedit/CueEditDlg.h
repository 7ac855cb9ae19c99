#pragma once
// The cue edit screen: the cue list with its insert, copy and delete buttons on the
// left, and on the right the parameter panel of the one cue selected there (levels,
// fade, chase, speed, run count, direction, active time). Every change goes straight
// into the show document through its cue editing operations, which record it for undo.

#include "document/History.h"
#include "document/ShowData.h"

#include <QByteArray>
#include <QDialog>
#include <vector>

class CDigitsValidator;
class CUpDown;
class QAction;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;

// Bytes the cue name box takes, within the name field's 99.
constexpr int kCueNameLimit = 98;
// Digits the active time box takes.
constexpr int kActiveTimeDigits = 5;

class CCueEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCueEditDlg(CShowData& doc, QWidget* parent = nullptr);
    ~CCueEditDlg() override;

    // The cue the screen opens on, 0 for none; set by the opener before the screen shows.
    int m_editCue = 0;

    // The cue list half.
    void OnCueListSelChange();
    void OnCueNameChange();
    void OnCueNameDone();
    void OnInsertCue();
    void OnCopyCues();
    void OnDeleteCues();
    void OnClearList();
    void OnDeleteCopyEntries();
    void OnFileNew();
    void OnFileLoad();
    void OnFileSave();
    void OnFileSaveAs();
    // The Edit menu and its keys: take back or make again the last change, in
    // either editor, and show what it restored.
    void OnUndo();
    void OnRedo();
    // Leaves no cue current, then ends the screen.
    void OnClose();

    // The parameter panel.
    void RefreshPanel();
    void OnLevelReleased(int channel);
    void OnValueUpdate(CueValue value);
    void OnReverseClicked();
    void OnSelectedChaseChange();
    void OnEditChase();
    // Moves the level of the slider that has the focus by `delta`, within 0..100.
    void NudgeLevel(int delta);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ValueBox {
        CueValue value;
        QLineEdit* box;
        CUpDown* spin;
    };

    void BuildCueListHalf();
    void BuildPanel();
    void BuildLevels();
    void BuildValueBoxes();
    void BuildChaseControls();
    void BuildMenu();
    QPushButton* AddButton(int id, const char* text, int x, int y, int width, int height);
    QLineEdit* AddBox(int id, int x, int y, int width, int height);

    void OnInitDialog();
    void FillCueList();
    void RefillCueList();
    void FillChaseList();
    void SelectCurrentCue();
    void ShowPanel(bool show);
    void ShowChase();
    void ForgetSelection();
    void ShowRestored(const CStepDone& done);
    // Each copy list entry shows its cue's number now; entries whose cue is gone go, with a notice.
    void RefreshCopyList();
    QString CopyEntryText(int cue) const;
    // The cue each copy list entry follows, where it stands now; 0 for one deleted.
    std::vector<int> CopiedCues() const;
    // The active time box shows what the cue holds once the operator is done typing.
    void ShowActiveTime();
    void UpdateEditMenu();
    // The gesture in progress (typing, dragging) is over: the next change is a step of its own.
    void SealHistory();
    void RunChaseEditor();
    bool HandleKey(QWidget* target, const QKeyEvent* key);
    bool RefuseActiveTimeKey(const QKeyEvent* key) const;
    int SingleSelectedRow() const;
    void Notice(const char* text) const;

    CShowData& m_doc;
    QWidget* m_client = nullptr;
    QListWidget* m_cueList = nullptr;
    QListWidget* m_copyList = nullptr;
    QLineEdit* m_location = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_nameNote = nullptr;
    QSlider* m_slider[kChannels] = {};
    QProgressBar* m_bar[kChannels] = {};
    std::vector<ValueBox> m_values;
    QLineEdit* m_activeTime = nullptr;
    CDigitsValidator* m_activeTimeDigits = nullptr;
    QCheckBox* m_reverse = nullptr;
    QLineEdit* m_chaseBox = nullptr;
    QListWidget* m_chaseList = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    // Every panel control that the panel shows and hides with the selection.
    std::vector<QWidget*> m_panel;
    // The name the cue had when the panel showed it, restored when the box is left empty.
    QByteArray m_shownName;
    bool m_filling = false;
    // Showing what an undo restored: a missing chase is shown as it is, not replaced.
    bool m_restoring = false;
    bool m_initialised = false;
    bool m_closed = false;
};
