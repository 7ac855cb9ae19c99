// Nothing the operator made is lost to a crash: the recovery copy that follows
// the editors, the start that offers it, and the kept copies of saved files.
#include "cueedit/CueEditDlg.h"
#include "document/History.h"
#include "document/KeptCopies.h"
#include "document/RecoveryCopy.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QTest>
#include <functional>
#include <glob.h>
#include <sys/stat.h>

namespace {

// The copies moved aside into dated folders under Recovery/, relative to the program directory.
std::vector<std::string> MovedAside(const CTempProgramDir& dir)
{
    std::vector<std::string> found;
    glob_t matches {};
    if (glob(dir.Path("Recovery/*/show.recovery").c_str(), 0, nullptr, &matches) == 0)
        for (size_t i = 0; i < matches.gl_pathc; ++i)
            found.push_back(std::string(matches.gl_pathv[i]).substr(dir.Path("").size()));
    globfree(&matches);
    return found;
}

class RecoveryTest : public ConsoleTest {
protected:
    RecoveryTest() { doc->m_history = &history; }
    ~RecoveryTest() override
    {
        console.reset();
        recovery.reset();
    }

    // The console as the program opens it, with the recovery copy following it.
    void Start()
    {
        recovery = std::make_unique<CRecoveryCopy>(*doc);
        Open();
    }
    // Renames cue `row` + 1 in the cue editor, as the operator types it.
    void RenameInEditor(int row, const QString& name)
    {
        CCueEditDlg editor(*doc);
        editor.show();
        editor.findChild<QListWidget*>("1011")->setCurrentRow(row);
        QLineEdit* box = editor.findChild<QLineEdit*>("1009");
        box->selectAll();
        QTest::keyClicks(box, name);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void SaveInEditor()
    {
        CCueEditDlg editor(*doc);
        editor.findChild<QAction*>("32777")->trigger();
    }
    // What the writer has by now, on disk.
    void Settle()
    {
        const auto now = CRecoveryCopy::Clock::now();
        recovery->Poll(now);
        recovery->Poll(now + std::chrono::seconds(1));
        recovery->Flush();
    }
    // The process ends without closing: nothing is saved, the copy stays.
    void Kill()
    {
        console.reset();
        recovery.reset();
        doc = std::make_unique<CShowData>();
        doc->m_operator = &next;
        doc->m_history = &nextHistory;
    }
    std::string CueName(int cue) const { return doc->m_cueName[cue]; }

    CHistory history, nextHistory;
    CScriptedOperator next;  // the person at the next start
    std::unique_ptr<CRecoveryCopy> recovery;
};

TEST_F(RecoveryTest, AfterAKillTheNextStartSaysWhatTheCopyHoldsAndRecoversIt)
{
    WriteShow(3);
    Start();
    RenameInEditor(1, "Typed Before The Plug Was Pulled");
    Settle();
    Kill();
    next.answers = {true};
    Start();
    ASSERT_GE(next.shown.size(), 2u);
    EXPECT_EQ(next.shown[0].caption, "NOTICE");
    EXPECT_NE(next.shown[0].text.find("The console was left on "), std::string::npos);
    EXPECT_NE(next.shown[0].text.find("the cue list " + dir.Path("show.cue") + " with 3 cues and 2 chases."),
              std::string::npos)
        << next.shown[0].text;
    EXPECT_EQ(next.shown[1].caption, "Question");
    EXPECT_EQ(next.shown[1].text.rfind("Recover the show", 0), 0u);
    EXPECT_TRUE(next.dialogDirs.empty()) << "the Open dialog came before or instead of the question";
    EXPECT_EQ(CueName(2), "Typed Before The Plug Was Pulled");
    EXPECT_EQ(CueList()->item(1)->text(), "2 Typed Before The Plug Was Pulled");
    EXPECT_STREQ(doc->m_cueFileName, dir.Path("show.cue").c_str());
    // Closing writes the show files as usual, and only then does the copy go.
    console->OnClose();
    recovery.reset();
    EXPECT_NE(dir.Read("show.cue").find("Typed Before The Plug Was Pulled|"), std::string::npos);
    EXPECT_FALSE(dir.Exists("Recovery/show.recovery"));
}

TEST_F(RecoveryTest, NoKeepsTheCopyInADatedFolderAndOpensTheShowFiles)
{
    WriteShow(3);
    Start();
    RenameInEditor(0, "Unsaved");
    Settle();
    const std::string copy = dir.Read("Recovery/show.recovery");
    Kill();
    next.answers = {false};
    next.files = {dir.Path("show.cue")};
    Start();
    EXPECT_EQ(CueName(1), "Cue 1");
    EXPECT_EQ(next.dialogDirs.size(), 1u);
    const auto kept = MovedAside(dir);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(dir.Read(kept[0]), copy);
}

TEST_F(RecoveryTest, ACleanCloseLeavesNoCopyAndACopyLikeTheFilesIsNotOffered)
{
    WriteShow(2);
    Start();
    RenameInEditor(0, "Saved At Close");
    Settle();
    EXPECT_TRUE(dir.Exists("Recovery/show.recovery"));
    console->OnClose();
    recovery.reset();
    EXPECT_FALSE(dir.Exists("Recovery/show.recovery"));

    // A console killed after it saved everything leaves a copy the files already hold.
    doc = std::make_unique<CShowData>();
    doc->m_operator = &person;
    person.files = {dir.Path("show.cue")};
    Start();
    SaveInEditor();
    Settle();
    Kill();
    next.files = {dir.Path("show.cue")};
    Start();
    EXPECT_EQ(next.Transcript(), "");
    EXPECT_EQ(CueName(1), "Saved At Close");
}

TEST_F(RecoveryTest, ADamagedCopyIsToldWithItsNameAndWhyAndNeverLoaded)
{
    WriteShow(2);
    Start();
    RenameInEditor(0, "Recovered");
    Settle();
    Kill();
    const std::string good = dir.Read("Recovery/show.recovery");
    dir.Write("good.recovery", good);
    const std::string path = dir.Path("Recovery/show.recovery");
    const struct {
        const char* why;
        std::function<void()> make;
    } damaged[] = {
        {"it is cut short", [&] { dir.Write("Recovery/show.recovery", good.substr(0, good.size() - 40)); }},
        {"it is not a recovery copy", [&] { dir.Write("Recovery/show.recovery", std::string(5000, 'x')); }},
        {"it is a symbolic link", [&] { symlink(dir.Path("good.recovery").c_str(), path.c_str()); }},
        {"it is a named pipe", [&] { mkfifo(path.c_str(), 0600); }},
        {"it belongs to another user",
         [&] {
             dir.Write("Recovery/show.recovery", good);
             EXPECT_EQ(chown(path.c_str(), 65534, 65534), 0);
         }},
    };
    for (const auto& d : damaged) {
        if (std::string(d.why) == "it belongs to another user" && geteuid() != 0)
            continue;  // only root can give a file away
        unlink(path.c_str());
        d.make();
        Kill();
        next.shown.clear();
        next.answers = {true};
        next.files = {dir.Path("show.cue")};
        Start();
        ASSERT_FALSE(next.shown.empty()) << d.why;
        EXPECT_EQ(next.shown[0].caption, "ERROR");
        EXPECT_EQ(next.shown[0].text.rfind("The recovery copy " + path + " cannot be used: " + d.why, 0), 0u)
            << next.shown[0].text;
        EXPECT_EQ(CueName(1), "Cue 1") << d.why;
        EXPECT_NE(dir.Read("show.cue").find("Cue 1|"), std::string::npos);
    }
}

TEST_F(RecoveryTest, EverySaveKeepsTheOldFileAndTheTwentyFirstDropsTheOldest)
{
    WriteShow(2);
    const std::string original = dir.Read("show.cue");
    Start();
    std::vector<std::string> saved;
    for (int i = 1; i <= 21; ++i) {
        RenameInEditor(0, "Take " + QString::number(i));
        SaveInEditor();
        saved.push_back(dir.Read("show.cue"));
    }
    const auto kept = KeptCopies("show.cue");
    ASSERT_EQ(kept.size(), 20u);
    // The first kept copy (the original) went; the newest is the twentieth save.
    EXPECT_EQ(dir.Read(kept.front().substr(dir.Path("").size())), saved[0]);
    EXPECT_EQ(dir.Read(kept.back().substr(dir.Path("").size())), saved[19]);
    EXPECT_NE(dir.Read(kept.front().substr(dir.Path("").size())), original);
    EXPECT_EQ(kept.front().rfind(dir.Path("Backups/show.cue.20"), 0), 0u) << kept.front();
}

}  // namespace
