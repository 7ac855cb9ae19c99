#pragma once
// The chase edit screen: the chase list with its name box, the light step grid of
// the chase on display with its step controls, and a preview of the step. Every
// change goes straight into the show document through its editing operations,
// which record it for undo.

#include "document/History.h"
#include "document/ShowData.h"

#include <QDialog>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class CChasePreview;
class CLampGrid;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CChaseEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit CChaseEditDlg(CShowData& doc, QWidget* parent = nullptr);
    ~CChaseEditDlg() override;

    // The chase to open with; the caller fills it before exec().
    char m_chaseName[kNameSize] = "";

    // Light step grid
    void OnLampButton(int k);
    void OnNextStep();
    void OnBackStep();
    void OnAllLightsOn();
    void OnAllLightsOff();
    void OnCopyLightSetup();
    void OnPasteLightSetup();
    void OnAddLightStep();
    void OnDeleteLightStep();
    // Chase list
    void OnChaseListSelChange();
    void OnChaseNameChange(const QString& text);
    void OnMakeNewChase();
    void OnDeleteChase();
    void OnCopyChase();
    // Ctrl+Z and Ctrl+Y: take back or make again the last change, in either editor.
    void OnUndo();
    void OnRedo();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QPushButton* AddButton(int id, const char* text, int x, int y, int width);
    void OnInitDialog();
    // Shows the editing controls for the chase named m_chaseName, or hides them
    // when no list entry has that name.
    void RefreshChase();
    void RefreshStep();
    void ShowEditing(bool shown);
    void FillChaseList();
    // Row of the entry of exactly that chase name; -1 if none.
    int FindEntry(const char* name) const;
    // Selects a row as the program does, which is not the operator choosing a chase.
    void SelectRow(int row);
    void ShowNameNote(const char* note);
    void OnNameEnter();
    // A "|" or line break typed or pasted into the name box was refused.
    void OnNameRefused();
    bool HandleKey(QObject* target, const QKeyEvent* key);
    // Shows the chase and step the undone or redone change was made on.
    void ShowRestored(const CStepDone& done);
    // The name typed so far is one step; the next change starts another.
    void SealHistory();
    void Notice(const char* text);

    CShowData& m_doc;
    std::unique_ptr<CLampGrid> m_grid;
    CChasePreview* m_preview = nullptr;
    QListWidget* m_chaseList = nullptr;
    QLineEdit* m_nameBox = nullptr;
    QLabel* m_nameNote = nullptr;
    QLineEdit* m_stepCounter = nullptr;
    QPushButton* m_pasteButton = nullptr;
    QWidget* m_editingControls[12] = {};
    // Each list entry's chase name as the records hold it.
    std::vector<std::string> m_entryNames;
    unsigned char m_lightSetupClipboard[kLightSetupSize] = {};
    bool m_clipboardFilled = false;  // nothing is pasted before something was copied
    bool m_editing = false;          // the selected chase is loaded and on display
    bool m_opened = false;
};
