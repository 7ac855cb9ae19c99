#pragma once
// A prepared program directory (three tiers, a small chase library, a cue list
// of `cueCount` cues) and the real console window opened on it.

#include "console/MainDlg.h"
#include "link/SerialPort.h"
#include "tests/FileTestSupport.h"

#include <QListWidget>
#include <QPushButton>
#include <QLineEdit>
#include <filesystem>
#include <memory>
#include <string>

class ConsoleTest : public FileTest {
protected:
    // The lamp string of a chase step: every circuit on or every circuit off.
    static std::string Lamps(bool on) { return std::string(120, on ? '1' : '0'); }

    void WriteShow(int cueCount, int activeTime = 0)
    {
        dir.Write("colors.txt",
                  "color|0|255|255|255|white\ncolor|1|0|0|255|blue\ncolor|2|255|0|0|red\n"
                  "color|3|0|255|0|green\ncolor|4|255|255|0|yellow\ncolor|5|255|150|0|orange\n"
                  "row|1|1|2|3|5|0|0|\nrow|2|1|2|3|5|0|0|\nrow|3|1|2|3|5|0|0|\n"
                  "star|0|\ncross|4|\nchest|0|0|0|0|0|0|\noutline|0|0|0|0|0|0|\n"
                  "WINDOW|MAIN|0|0|0|0|\nWINDOW|CUE|0|0|0|0|\nWINDOW|CHASE|0|0|0|0|\n");
        dir.Write("default.B03", "Lit|1|step|" + Lamps(true) + "|\nBlink|1|on|" + Lamps(true) + "|\nBlink|2|off|" +
                                     Lamps(false) + "|\n");
        std::string cues = "ChaseList_Selected|default.B3|\n";
        for (int i = 1; i <= cueCount; ++i)
            cues += "Cue " + std::to_string(i) + "|" + (i % 2 ? "Lit" : "Blink") +
                    "|100 0 0 0 0 0 50 50 50 50 50 50 0 0 50 50 1 20 " + std::to_string(activeTime) + "|\n";
        dir.Write("show.cue", cues);
        person.files.push_back(dir.Path("show.cue"));
    }

    // The demo show that ships with the program, with its cue list chosen at the open dialog.
    void CopyDemo()
    {
        namespace fs = std::filesystem;
        for (const auto& entry : fs::directory_iterator(fs::path(GLIMMER_SOURCE_DIR) / "demo"))
            fs::copy_file(entry.path(), dir.Path(entry.path().filename().string()));
        person.files.push_back(dir.Path("default.cue"));
    }

    // Opens the console the way the program does, on whatever ports the test set.
    void Open()
    {
        doc->m_tree1Port = &tree1;
        doc->m_tree2Port = &tree2;
        console = std::make_unique<CMainDlg>(*doc);
    }

    template <class T = QPushButton>
    T* Control(const char* id) const
    {
        return console->findChild<T*>(id);
    }
    QString Status() const { return Control<QLineEdit>("1003")->text(); }
    QListWidget* CueList() const { return Control<QListWidget>("1001"); }
    void Click(const char* id) { Control(id)->click(); }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            console->OnTimer();
    }

    CSerialPort tree1;
    CSerialPort tree2;
    std::unique_ptr<CMainDlg> console;
};
