#pragma once
// Configuration > "Remote Control...": the remote's switch, its port and the
// addresses to open with a QR code, the pairing code, the paired phones, the OSC
// switch and what was refused.

#include <QDialog>

class CRemote;
class IOperator;
class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

class CRemoteDlg : public QDialog {
    Q_OBJECT
public:
    CRemoteDlg(CRemote& remote, IOperator* person, QWidget* parent = nullptr);

    void OnRemoteSwitch();
    void OnOscSwitch();
    void OnPortChosen();
    void OnForgetAll();
    // Shows the remote as it is now.
    void Refresh();

private:
    void Tell(const QString& text);

    CRemote& m_remote;
    IOperator* m_operator;
    QCheckBox* m_switch = nullptr;
    QSpinBox* m_port = nullptr;
    QLabel* m_addresses = nullptr;
    QLabel* m_qr = nullptr;
    QLabel* m_code = nullptr;
    QListWidget* m_phones = nullptr;
    QCheckBox* m_osc = nullptr;
    QLabel* m_counters = nullptr;
};
