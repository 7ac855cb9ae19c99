#pragma once
// The port setup: which serial line drives Tree 1 and which Tree 2. It lists the
// machine's serial lines (kept current while it is open), says per tree what keeps
// the chosen line from being used, lets the operator blink one tree to see which
// is which, and changes the names in the document; its close box also writes the
// port configuration file. The console puts the ports on the chosen lines when it closes.

#include <QDialog>
#include <memory>
#include <string>

class CSerialLineWatch;
class CSerialPort;
class CShowData;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

class CComPortDlg : public QDialog {
    Q_OBJECT
public:
    CComPortDlg(CShowData& doc, QWidget* parent = nullptr);
    ~CComPortDlg() override;

    void OnTree1Port(const char* name);
    void OnTree2Port(const char* name);
    void OnTree2Switch();
    // Exchanges the two trees' choices.
    void OnSwapTrees();
    // Blinks every lamp of that tree (1 or 2) through its chosen line for 5 s.
    void OnIdentify(int tree);
    // The next half second of a blink; the blink's timer calls it.
    void OnIdentifyStep();
    // The close box: write the configuration file, end.
    void OnClose();
    // Lists the serial lines again and shows them.
    void RefreshLines();

    static constexpr int kIdentifySteps = 10;  // on, off, on, ... for 5 s
    static constexpr int kIdentifyStepMs = 500;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* AddButton(int id, const char* text, int x, int y, int width, int height);
    void ChooseName(int tree, const char* name);
    void ShowTree2Buttons(bool show);
    void RefreshStatus();
    void FillLineList(int tree);
    // What the screen says under the lists for one tree.
    std::string TreeNote(int tree);
    // A port on the tree's chosen line: the console's own when it is on that line,
    // else one opened for the question. Null for "NONE".
    CSerialPort* PortFor(int tree, std::unique_ptr<CSerialPort>& opened);
    // Ends a blink and lets go of a line opened for it.
    void StopIdentify();

    CShowData& m_doc;
    QPushButton* m_tree2Buttons[4];
    QListWidget* m_lineLists[2];
    QLabel* m_notes[2];
    QPushButton* m_identify[2];
    QLineEdit* m_status;
    CSerialLineWatch* m_watch;
    QTimer* m_identifyTimer;
    int m_identifyTree = 0;
    int m_identifyStep = 0;
    CSerialPort* m_identifyPort = nullptr;
    std::unique_ptr<CSerialPort> m_identifyOwn;
    bool m_filling = false;
};
