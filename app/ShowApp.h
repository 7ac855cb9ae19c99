#pragma once
// The application: owns the show document, the two tree ports, the operator and
// the editors' undo history (kept as long as the console runs); builds them in
// start-up order and runs the console until it closes.

#include "app/QtOperator.h"
#include "document/History.h"
#include "document/RecoveryCopy.h"

#include <memory>
#include <string>

class CShowData;
class CSerialPort;

class CShowApp {
public:
    // `person` answers in place of the Qt message boxes and dialogs when given
    // (tests); what start-up finds wrong is told to it before the console opens.
    explicit CShowApp(IOperator* person = nullptr);
    ~CShowApp();
    CShowApp(const CShowApp&) = delete;
    CShowApp& operator=(const CShowApp&) = delete;

    // Runs the console modally; returns when it has closed (1 when it could not start).
    int Run();

    CShowData& Document() { return *m_doc; }
    // Why the console may not start, "" when it may.
    const std::string& StartProblem() const { return m_startProblem; }

private:
    std::unique_ptr<CShowData> m_doc;
    std::unique_ptr<CSerialPort> m_tree1Port;
    std::unique_ptr<CSerialPort> m_tree2Port;
    CQtOperator m_operator;
    std::string m_startProblem;
    CHistory m_history;
    // Follows the show to Recovery/ while the console runs.
    std::unique_ptr<CRecoveryCopy> m_recovery;
};

// Puts the picture's sprite image into the program directory when it is missing.
void InstallSprites();
