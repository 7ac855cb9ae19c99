#pragma once
// A show of sample cues and a small chase library in memory, and the real cue edit
// screen opened on it, driven through its controls.

#include "cueedit/CueEditDlg.h"
#include "document/History.h"
#include "tests/CueSamples.h"
#include "tests/FileTestSupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <initializer_list>
#include <memory>
#include <vector>

class CueEditTest : public FileTest {
protected:
    CueEditTest() { doc->m_history = &history; }

    // Sample cues 1..count, and the chases they name, so showing a cue keeps its chase.
    void Cues(int count)
    {
        if (doc->FindFreeStepRecord() == 1)
            for (int i = 0; i < 5; ++i)
                Chase(cue_samples::ChaseOf(i).c_str(), 1);
        for (int s = 1; s <= count; ++s)
            cue_samples::Fill(*doc, s, s);
    }
    void Chase(const char* name, int steps)
    {
        for (int step = 1; step <= steps; ++step) {
            int r = doc->FindFreeStepRecord();
            std::snprintf(doc->m_stepChase[r], kNameSize, "%s", name);
            doc->m_stepNumber[r] = step;
        }
    }
    // The screen as the console opens it: on the current cue.
    void Open(int currentCue)
    {
        doc->m_currentCue = currentCue;
        editor = std::make_unique<CCueEditDlg>(*doc);
        editor->m_editCue = currentCue;
        editor->show();
    }

    template <class T = QPushButton>
    T* Control(const char* id) const
    {
        return editor->findChild<T*>(id);
    }
    QListWidget* List(const char* id) const { return Control<QListWidget>(id); }
    QLineEdit* Box(const char* id) const { return Control<QLineEdit>(id); }
    void Click(const char* id) { Control(id)->click(); }

    // Clicks the cue list's rows as the operator does: the first plainly, the rest
    // with Control held.
    void Select(const std::vector<int>& rows)
    {
        QListWidget* list = List("1011");
        bool first = true;
        for (int row : rows) {
            list->scrollToItem(list->item(row));
            QRect place = list->visualItemRect(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, first ? Qt::NoModifier : Qt::ControlModifier,
                              place.center());
            first = false;
        }
    }
    std::vector<QString> Entries(const char* id) const
    {
        std::vector<QString> texts;
        for (int i = 0; i < List(id)->count(); ++i)
            texts.push_back(List(id)->item(i)->text());
        return texts;
    }
    // Which sample cue each of the first slots holds (0 a default cue, -1 empty).
    std::vector<int> Slots(int count) const
    {
        std::vector<int> seen;
        for (int s = 1; s <= count; ++s)
            seen.push_back(cue_samples::Sample(*doc, s));
        return seen;
    }
    bool PanelShown() const { return !Control<QWidget>("1041")->isHidden(); }

    CHistory history;
    std::unique_ptr<CCueEditDlg> editor;
};
