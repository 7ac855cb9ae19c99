#pragma once
// The core never talks to the operator directly: questions, notices and file
// dialogs go through this interface. The app implements it with Qt screens,
// the tests with a scripted double.

#include <string>

class IOperator {
public:
    virtual ~IOperator() = default;
    // A message box with an OK button.
    virtual void Message(const char* text, const char* caption) = 0;
    // A Yes/No message box; true for Yes.
    virtual bool Ask(const char* text, const char* caption) = 0;
    // The tier-count prompt of the first run; returns what was typed.
    virtual std::string AskTierCount() = 0;
    // Open and save dialogs for cue lists, starting in `dir` with "*.cue".
    // True and the full path on OK, false on cancel.
    virtual bool ChooseOpenFile(const std::string& dir, std::string& path) = 0;
    virtual bool ChooseSaveFile(const std::string& dir, std::string& path) = 0;
    // A save dialog for a file the console exports (a cue sheet): titled `title`,
    // starting on the full path `suggested`, listing `filter` ("PDF files (*.pdf)");
    // a name typed without an extension gets `suffix`. True and the full path on OK.
    virtual bool ChooseExportFile(const char* title, const std::string& suggested, const char* filter,
                                  const char* suffix, std::string& path) = 0;
};
