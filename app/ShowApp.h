#pragma once
// The application: owns the show document, the two tree ports and the operator,
// builds them in start-up order and runs the console until it closes.

#include "app/QtOperator.h"

#include <memory>

class CShowData;
class CSerialPort;

class CShowApp {
public:
    CShowApp();
    ~CShowApp();
    CShowApp(const CShowApp&) = delete;
    CShowApp& operator=(const CShowApp&) = delete;

    // Runs the console modally; returns when it has closed.
    int Run();

    CShowData& Document() { return *m_doc; }

private:
    std::unique_ptr<CShowData> m_doc;
    std::unique_ptr<CSerialPort> m_tree1Port;
    std::unique_ptr<CSerialPort> m_tree2Port;
    CQtOperator m_operator;
};

// Puts the picture's sprite image into the program directory when it is missing.
void InstallSprites();
