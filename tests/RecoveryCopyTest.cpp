// The recovery copy: what the window thread hands over after each change, the
// file it becomes, and the kept copies of replaced show files.
#include "document/History.h"
#include "document/KeptCopies.h"
#include "document/RecoveryCopy.h"
#include "document/RecoveryFile.h"
#include "document/ShowChanges.h"
#include "document/ShowFileSave.h"
#include "tests/CueSamples.h"
#include "tests/FileTestSupport.h"

#include <cstring>
#include <functional>

namespace {

bool SameRange(const CShowData& a, const CShowData& b, CShowRange r)
{
    return std::memcmp(reinterpret_cast<const char*>(&a) + r.from, reinterpret_cast<const char*>(&b) + r.from,
                       r.to - r.from) == 0;
}

// Every kind of editor change, its undo and its redo reach the writer's copy:
// a change whose bytes were not marked would be lost with the next power cut.
TEST(ShowChanges, EveryEditUndoAndRedoReachesTheCopy)
{
    auto doc = std::make_unique<CShowData>();
    auto copy = std::make_unique<CShowData>();
    CHistory history;
    CShowChanges changes;
    doc->m_history = &history;
    doc->m_changes = &changes;
    for (int s = 1; s <= 40; ++s)
        cue_samples::Fill(*doc, s, s);
    changes.MarkTables(*doc, kCueTable | kStepTable);
    changes.CopyMarked(*doc, *copy);
    const int sources[] = {3, 4, 5};
    const struct {
        const char* what;
        std::function<void()> edit;
    } edits[] = {
        {"rename", [&] { doc->RenameCue(7, "Renamed"); }},
        {"level", [&] { doc->SetCueLevel(9, kChest, 33); }},
        {"value", [&] { doc->SetCueValue(2, CueValue::kFadeTime, 55); }},
        {"chase", [&] { doc->SetCueChase(5, "Other"); }},
        {"direction", [&] { doc->SetCueForward(6, !doc->m_cueForward[6]); }},
        {"insert", [&] { doc->InsertCue(3); }},
        {"paste", [&] { doc->PasteCues(10, sources, 3); }},
        {"delete", [&] { doc->DeleteCue(1); }},
        {"copy", [&] { doc->CopyCue(2, 20); }},
        {"new chase", [&] { doc->NewChase(); }},
        {"lamp", [&] { doc->ToggleLamp(kTierGroup, 11); }},
        {"insert step", [&] { doc->InsertStep(2); }},
        {"rename chase", [&] { doc->RenameChase("Sweep"); }},
        {"copy chase", [&] {
             char name[kNameSize];
             doc->CopyChase(name);
         }},
        {"delete chase", [&] { doc->DeleteChase(); }},
    };
    for (const auto& e : edits) {
        e.edit();
        changes.CopyMarked(*doc, *copy);
        EXPECT_TRUE(SameRange(*doc, *copy, CueTableRange(*doc)) && SameRange(*doc, *copy, StepTableRange(*doc)))
            << e.what;
    }
    while (history.CanUndo()) {
        history.Undo(*doc);
        changes.CopyMarked(*doc, *copy);
        ASSERT_TRUE(SameRange(*doc, *copy, CueTableRange(*doc)) && SameRange(*doc, *copy, StepTableRange(*doc)))
            << "undo " << history.RedoText();
    }
    while (history.CanRedo()) {
        history.Redo(*doc);
        changes.CopyMarked(*doc, *copy);
        ASSERT_TRUE(SameRange(*doc, *copy, CueTableRange(*doc)) && SameRange(*doc, *copy, StepTableRange(*doc)))
            << "redo " << history.UndoText();
    }
    doc->m_changes = nullptr;
    doc->m_history = nullptr;
}

TEST(ShowChanges, AOneCueChangeCopiesAPageOrTwoNotTheTables)
{
    auto doc = std::make_unique<CShowData>();
    auto copy = std::make_unique<CShowData>();
    CShowChanges changes;
    doc->m_changes = &changes;
    cue_samples::Fill(*doc, 1, 1);
    doc->SetCueLevel(1, kStar, 5);
    EXPECT_LE(changes.CopyMarked(*doc, *copy), 2 * CShowChanges::kPageBytes);
    EXPECT_FALSE(changes.Any());
    doc->m_changes = nullptr;
}

// The copy is handed to the writer once the changes settle, and no later
// than kLongest after they began while the operator keeps editing.
TEST(RecoveryCopyPoll, WaitsForChangesToSettleAndWritesAWholeCopy)
{
    CTempProgramDir dir;
    auto doc = std::make_unique<CShowData>();
    CRecoveryCopy copy(*doc);
    doc->m_changes->Follow();
    using namespace std::chrono;
    const auto start = CRecoveryCopy::Clock::now();
    EXPECT_TRUE(copy.Poll(start + seconds(1)));  // the whole show, once
    copy.Flush();
    doc->SetCueLevel(1, kStar, 1);
    const auto seen = start + seconds(2);
    EXPECT_FALSE(copy.Poll(seen));
    EXPECT_FALSE(copy.Poll(seen + CRecoveryCopy::kSettle - milliseconds(1)));
    EXPECT_TRUE(copy.Poll(seen + CRecoveryCopy::kSettle));
    copy.Flush();
    // Edits that keep coming are taken kLongest after the poll that saw the first.
    const auto busy = start + seconds(3);
    doc->SetCueLevel(1, kStar, 2);
    EXPECT_FALSE(copy.Poll(busy));
    doc->SetCueLevel(1, kStar, 3);
    EXPECT_FALSE(copy.Poll(busy + CRecoveryCopy::kLongest / 2));
    doc->SetCueLevel(1, kStar, 4);
    EXPECT_TRUE(copy.Poll(busy + CRecoveryCopy::kLongest));
    EXPECT_FALSE(copy.Poll(start + seconds(4)));  // nothing new
    copy.Flush();
    EXPECT_EQ(copy.LastError(), "");
    std::string bytes, why;
    ASSERT_TRUE(ReadWholeFile(dir.Path("Recovery/show.recovery"), bytes, why)) << why;
    CRecoveryShow show;
    EXPECT_TRUE(ParseRecovery(bytes, show, why)) << why;
}

TEST(RecoveryFile, ReadsBackWhatItWroteAndRefusesAnythingDamaged)
{
    CRecoveryShow show;
    show.left = 1700000000;
    show.cueList = "/tmp/a|b.cue";
    show.library = "default.B03";
    show.cues = 2;
    show.chases = 1;
    show.cueText = "ChaseList_Selected|default.B3|\nA|Lit|1 2 3|\n";
    show.chaseText = "Lit|1|step|" + std::string(120, '1') + "|\n";
    show.layoutText = "row|1|0|0|0|0|0|0|\n";
    show.cueStamp = {true, 123456789, 40};
    const std::string bytes = FormatRecovery(show);
    CRecoveryShow back;
    std::string why;
    ASSERT_TRUE(ParseRecovery(bytes, back, why)) << why;
    EXPECT_EQ(back.cueList, show.cueList);
    EXPECT_EQ(back.cueText, show.cueText);
    EXPECT_EQ(back.chaseText, show.chaseText);
    EXPECT_EQ(back.layoutText, show.layoutText);
    EXPECT_TRUE(back.cueStamp == show.cueStamp);
    EXPECT_FALSE(back.chaseStamp.present);
    EXPECT_EQ(back.cues, 2);

    std::string flipped = bytes;
    flipped[bytes.find("A|Lit")] = 'B';
    const struct {
        const char* what;
        std::string bytes;
    } damaged[] = {
        {"empty", ""},
        {"garbage", std::string(300, '\x7f')},
        {"cut in the middle", bytes.substr(0, bytes.size() / 2)},
        {"cut before the end line", bytes.substr(0, bytes.rfind("end|"))},
        {"one byte short", bytes.substr(0, bytes.size() - 1)},
        {"a byte changed", flipped},
        {"something after the end", bytes + "x"},
        {"a length past the end", "Glimmerbox recovery copy|1|\nleft|999999|\n1\n"},
    };
    for (const auto& d : damaged) {
        why.clear();
        EXPECT_FALSE(ParseRecovery(d.bytes, back, why)) << d.what;
        EXPECT_NE(why, "") << d.what;
    }
}

TEST(KeptCopies, ASaveOfTheSameContentOrOfANewFileKeepsNothing)
{
    CTempProgramDir dir;
    CFileCheck check {};
    CScriptedOperator person;
    auto save = [&](const std::string& text) {
        return SaveShowFile(dir.Path("x.cue"), check, &person, {"Could not save", "cues"},
                            [&](FILE* out) { std::fputs(text.c_str(), out); });
    };
    ASSERT_TRUE(save("one\n"));
    ASSERT_TRUE(save("one\n"));
    EXPECT_TRUE(KeptCopies("x.cue").empty());
    ASSERT_TRUE(save("two\n"));
    ASSERT_TRUE(save("three\n"));
    const auto kept = KeptCopies("x.cue");
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(dir.Read(kept[0].substr(dir.Path("").size())), "one\n");
    EXPECT_EQ(dir.Read(kept[1].substr(dir.Path("").size())), "two\n");
    EXPECT_EQ(dir.Read("x.cue"), "three\n");
    EXPECT_EQ(person.Transcript(), "");
}

}  // namespace
