#pragma once
// The port setup: which serial port drives Tree 1 and which Tree 2. It changes
// the names in the document and, when closed through its close box, the port
// configuration file; the open ports keep running until the next start.

#include <QDialog>

class CShowData;
class QLineEdit;
class QPushButton;

class CComPortDlg : public QDialog {
    Q_OBJECT
public:
    CComPortDlg(CShowData& doc, QWidget* parent = nullptr);

    void OnTree1Port(const char* name);
    void OnTree2Port(const char* name);
    void OnTree2Switch();
    // The close box: warn, write the configuration file, end.
    void OnClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* AddButton(int id, const char* text, int x, int y, int width, int height);
    void ShowTree2Buttons(bool show);
    void RefreshStatus();

    CShowData& m_doc;
    QPushButton* m_tree2Buttons[4];
    QLineEdit* m_status;
};
