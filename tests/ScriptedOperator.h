#pragma once
// A scripted stand-in for the person at the console: answers come from queues,
// and every message box shown is recorded.

#include "document/Operator.h"

#include <deque>
#include <string>
#include <vector>

class CScriptedOperator : public IOperator {
public:
    struct Shown {
        std::string text;
        std::string caption;
    };

    void Message(const char* text, const char* caption) override { shown.push_back({text, caption}); }
    bool Ask(const char* text, const char* caption) override
    {
        shown.push_back({text, caption});
        if (answers.empty())
            return false;
        bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::string AskTierCount() override { return tierCount; }
    bool ChooseOpenFile(const std::string& dir, std::string& path) override { return Choose(dir, path); }
    bool ChooseSaveFile(const std::string& dir, std::string& path) override { return Choose(dir, path); }
    // The suggested path goes to dialogDirs; the answer comes from `files` as for the other dialogs.
    bool ChooseExportFile(const char*, const std::string& suggested, const char*, const char*,
                          std::string& path) override
    {
        return Choose(suggested, path);
    }

    // Every message box shown, one "CAPTION: text" line each.
    std::string Transcript() const
    {
        std::string all;
        for (const Shown& m : shown)
            all += m.caption + ": " + m.text + "\n";
        return all;
    }

    std::deque<bool> answers;         // Yes/No answers, in order; No when empty
    std::string tierCount;            // typed at the tier-count prompt
    std::deque<std::string> files;    // file dialog results; "" or empty queue = Cancel
    std::vector<Shown> shown;
    std::vector<std::string> dialogDirs;

private:
    bool Choose(const std::string& dir, std::string& path)
    {
        dialogDirs.push_back(dir);
        if (files.empty())
            return false;
        path = files.front();
        files.pop_front();
        return !path.empty();
    }
};
