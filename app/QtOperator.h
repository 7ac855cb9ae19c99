#pragma once
// The person at the console, reached through Qt's message boxes, the tier-count
// prompt and file dialogs.

#include "document/Operator.h"

class QWidget;

class CQtOperator : public IOperator {
public:
    explicit CQtOperator(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void Message(const char* text, const char* caption) override;
    bool Ask(const char* text, const char* caption) override;
    std::string AskTierCount() override;
    bool ChooseOpenFile(const std::string& dir, std::string& path) override;
    bool ChooseSaveFile(const std::string& dir, std::string& path) override;
    bool ChooseExportFile(const char* title, const std::string& suggested, const char* filter, const char* suffix,
                          std::string& path) override;

private:
    QWidget* Owner() const;

    QWidget* m_parent;
};
