// Undo and redo of the document's cue and chase operations: whatever the operator
// did, undoing all of it gives back the very bytes a save wrote before, and redoing
// it all the bytes of after.
#include "document/History.h"
#include "tests/ChaseEditTables.h"
#include "tests/CueSamples.h"
#include "tests/FileTestSupport.h"

#include <cstring>
#include <functional>
#include <random>
#include <vector>

namespace {

class History : public FileTest {
protected:
    History()
    {
        doc->m_history = &history;
        std::strcpy(doc->m_cueFileName, "show.cue");
        for (bool& present : doc->m_tierPresent)
            present = true;
        doc->m_chestPresent = doc->m_outlinePresent = true;
    }
    void Cues(int count)
    {
        for (int s = 1; s <= count; ++s)
            cue_samples::Fill(*doc, s, s);
    }
    // What the saves write, and every byte of both tables, unused slots and records included.
    std::string Saved()
    {
        doc->SaveFile("cue");
        chase_test::SaveLibraryCopy(*doc, "show.lib");
        return dir.Read("show.cue") + dir.Read("show.lib");
    }
    std::string Table() const
    {
        std::string bytes;
        auto add = [&](const auto& column) { bytes.append(reinterpret_cast<const char*>(&column), sizeof column); };
        add(doc->m_cueName);
        add(doc->m_cueChase);
        add(doc->m_cueFadeTime);
        add(doc->m_cueActiveTime);
        add(doc->m_cueChaseSpeed);
        add(doc->m_cueRunCount);
        add(doc->m_cueForward);
        add(doc->m_cueLevel);
        add(doc->m_stepChase);
        add(doc->m_stepText);
        add(doc->m_stepNumber);
        add(doc->m_stepTierLamps);
        add(doc->m_stepChestLamps);
        add(doc->m_stepOutlineLamps);
        return bytes;
    }
    // What the chase editor does after an undo: show the chase the step was made on.
    void Show(const CStepDone& done)
    {
        if ((done.tables & kStepTable) == 0)
            return;
        doc->LoadChase(done.place.record > 0 ? doc->m_stepChase[done.place.record] : "");
        if (done.place.step >= 1 && done.place.step <= doc->m_chaseStepCount)
            doc->m_chaseStep = done.place.step;
    }
    int UndoAll()
    {
        int steps = 0;
        while (history.Undo(*doc).done)
            ++steps;
        return steps;
    }
    int RedoAll()
    {
        int steps = 0;
        while (history.Redo(*doc).done)
            ++steps;
        return steps;
    }

    CHistory history;
};

// Every operation the two editors call, drawn at random and interleaved, with gestures
// left open now and then so later writes gather into them, and undos in between that
// a new change cuts short.
TEST_F(History, RandomEditsUndoneGiveBackTheSavedBytesAndRedoneTheEditedOnes)
{
    for (int listed : {40, kCueSlots - 6}) {
        SCOPED_TRACE(listed);
        doc->ClearCues();
        doc->ClearChases();
        Cues(listed);
        chase_test::AddChase(*doc, "Sweep", 5, 1);
        chase_test::AddChase(*doc, "Rain", 3, 9);
        doc->m_stepTierLamps[7][3][3] = 1;  // a record freed by a step delete keeps its lamps
        doc->LoadChase("Sweep");
        doc->m_cueName[kCueSlots - 1][1] = 'x';  // no cue, but bytes an insert pushes out and undo brings back
        doc->m_cueLevel[kAux2][kCueSlots - 1] = 7;
        const std::string savedBefore = Saved();
        const std::string tableBefore = Table();
        doc->RenameChase("Swept");
        std::mt19937 random(static_cast<unsigned>(listed));
        auto pick = [&](int lowest, int highest) {
            return std::uniform_int_distribution<int>(lowest, highest)(random);
        };
        const std::function<void()> edits[] = {
            [&] { doc->InsertCue(pick(1, 45)); },
            [&] { doc->InsertCues(pick(1, 45), pick(1, 4)); },
            [&] {
                const int sources[] = {pick(1, 45), pick(1, 45), pick(1, 45)};
                doc->PasteCues(pick(1, 45), sources, pick(1, 3));
            },
            [&] { doc->DeleteCue(pick(1, 45)); },
            [&] { doc->CopyCue(pick(1, 45), pick(1, 45)); },
            [&] { doc->RenameCue(pick(1, 45), pick(0, 1) ? "Finale" : "Fin"); },
            [&] { doc->SetCueLevel(pick(1, 45), pick(0, kChannels - 1), pick(-5, 105)); },
            [&] { doc->SetCueValue(pick(1, 45), static_cast<CueValue>(pick(0, 3)), pick(-1, 600)); },
            [&] { doc->SetCueChase(pick(1, 45), pick(0, 1) ? "# none" : "Chase 3"); },
            [&] { doc->SetCueForward(pick(1, 45), pick(0, 1) == 1); },
            [&] {
                std::vector<std::string> names;
                doc->FillNameList(names, "chase");
                doc->LoadChase(names.empty() ? "" : names[pick(0, static_cast<int>(names.size()) - 1)].c_str());
            },
            [&] { doc->NextStep(); },
            [&] { doc->ToggleLamp(kTierGroup, pick(1, kTiers) * 10 + pick(1, kCircuits)); },
            [&] { doc->SetLamp(kChestGroup, pick(1, kCircuits), pick(0, 1)); },
            [&] { doc->SetAllLamps(pick(0, 1)); },
            [&] {
                unsigned char setup[kLightSetupSize];
                for (unsigned char& lamp : setup)
                    lamp = static_cast<unsigned char>(pick(0, 1));
                doc->PasteLightSetup(setup);
            },
            [&] { doc->InsertStep(doc->m_chaseStep); },
            [&] { doc->DeleteStep(doc->m_chaseStep); },
            [&] { doc->NewChase(); },
            [&] { doc->DeleteChase(); },
            [&] { doc->RenameChase(StepLabel("Glow %d", pick(1, 9)).c_str()); },
            [&] {
                char copy[kNameSize];
                doc->CopyChase(copy);
            },
            [&] { history.Seal(); },
            [&] { Show(history.Undo(*doc)); },
        };
        for (int i = 0; i < 1200; ++i)
            edits[pick(0, std::size(edits) - 1)]();
        doc->SetCueForward(1, !doc->m_cueForward[1]);  // nothing left to redo
        const std::string savedAfter = Saved();
        const std::string tableAfter = Table();
        const int steps = UndoAll();
        EXPECT_GT(steps, 300);
        EXPECT_TRUE(Saved() == savedBefore);
        EXPECT_TRUE(Table() == tableBefore);
        EXPECT_EQ(RedoAll(), steps);
        EXPECT_TRUE(Saved() == savedAfter);
        EXPECT_TRUE(Table() == tableAfter);
    }
}

// Another cue list ends the cue table's history; the chase library's steps stay.
TEST_F(History, NewChangeDropsRedoAndANewListForgetsOnlyTheCueSteps)
{
    Cues(4);
    chase_test::AddChase(*doc, "Sweep", 2, 1);
    doc->LoadChase("Sweep");
    doc->SetAllLamps(1);
    doc->DeleteCue(1);
    doc->DeleteCue(1);
    const CStepDone undone = history.Undo(*doc);
    EXPECT_EQ(undone.place.cue, 1);  // the deleted cue is back and is where the operator looks
    EXPECT_EQ(undone.tables, unsigned{kCueTable});
    doc->SetCueForward(1, !doc->m_cueForward[1]);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Steps(), 3u);

    person.files = {""};
    doc->LoadCueList();
    EXPECT_EQ(history.UndoText(), "All Lights On");
    EXPECT_EQ(history.Undo(*doc).place.record, 1);
    EXPECT_EQ(doc->m_stepTierLamps[1][4][0], 0);
    EXPECT_FALSE(history.CanUndo());
}

// The oldest steps go first when the history passes its size; the newest stay whole.
TEST_F(History, AFullHistoryLetsGoOfItsOldestSteps)
{
    CHistory small(8 * 1024);
    doc->m_history = &small;
    Cues(60);
    for (int i = 0; i < 50; ++i)
        doc->DeleteCue(1);
    EXPECT_LT(small.BytesHeld(), 8u * 1024);
    EXPECT_LT(small.Steps(), 50u);
    EXPECT_GT(small.Steps(), 5u);
    while (small.Undo(*doc).done) {
    }
    EXPECT_EQ(cue_samples::Sample(*doc, 1), 51 - static_cast<int>(small.Steps()));
}

}  // namespace
