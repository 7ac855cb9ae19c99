// The console killed with SIGKILL at random moments while the operator edits,
// 200 times over, some kills in the middle of a recovery write or of a show
// file save: every next start must recover the show as it stood after the
// last change made at least 0.5 s before the kill (or a later one).
//
// Each editing session is this test program run again as a child on one test,
// RecoveryKillChild.EditsUntilKilled, which edits through the cue edit screen
// and reports on a pipe the show it started with and each change it made,
// with the time it was done.
#include "cueedit/CueEditDlg.h"
#include "document/AtomicFile.h"
#include "document/History.h"
#include "document/RecoveryCopy.h"
#include "document/ShowFileSave.h"
#include "document/ShowFiles.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QApplication>
#include <QSlider>
#include <QTest>
#include <cinttypes>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <sys/wait.h>

namespace {

constexpr int kKills = 200;
constexpr long long kKept = 500'000'000;  // ns: changes this old must survive a kill

long long Now()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

// The show as its files would hold it, as one number.
std::uint64_t ShowHash(const CShowData& doc)
{
    std::string text, chases;
    FormatToMemory([&](FILE* out) { WriteCueLines(doc, out); }, text);
    FormatToMemory([&](FILE* out) { WriteChaseLines(doc, out); }, chases);
    text += chases;
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : text)
        h = (h ^ c) * 1099511628211ULL;
    return h;
}

int g_reportFd = -1;
int g_renamesLeft = 0;  // the rename at which the child tells the parent and waits to be killed

void Report(const std::string& line)
{
    const std::string whole = line + "\n";
    if (write(g_reportFd, whole.data(), whole.size()) < 0)
        _exit(3);
}

void BeforeRename(const char*)
{
    if (g_renamesLeft > 0 && --g_renamesLeft == 0) {
        Report("W");
        for (;;)
            pause();  // the kill lands between the written file and its rename
    }
}

TEST(RecoveryKillChild, EditsUntilKilled)
{
    const char* fd = getenv("GLIMMER_KILL_FD");
    if (fd == nullptr)
        GTEST_SKIP() << "one editing session of RecoveryKill, run by it";
    g_reportFd = atoi(fd);
    g_renamesLeft = atoi(getenv("GLIMMER_KILL_RENAME"));
    CAtomicFile::s_beforeRename = BeforeRename;
    std::mt19937 rng(static_cast<unsigned>(atoi(getenv("GLIMMER_KILL_SEED"))));

    CScriptedOperator person;
    person.answers.assign(100, true);
    person.files.push_back(std::string(getenv("GLIMMERBOX_HOME")) + "/show.cue");
    CHistory history;
    auto doc = std::make_unique<CShowData>();
    doc->m_operator = &person;
    doc->m_history = &history;
    CSerialPort tree1, tree2;
    doc->m_tree1Port = &tree1;
    doc->m_tree2Port = &tree2;
    CRecoveryCopy recovery(*doc);
    CMainDlg console(*doc);
    Report("S " + std::to_string(ShowHash(*doc)));

    CCueEditDlg editor(*doc);
    editor.show();
    auto* list = editor.findChild<QListWidget*>("1011");
    auto* name = editor.findChild<QLineEdit*>("1009");
    auto* star = editor.findChild<QSlider*>("1041");
    for (int n = 0;; ++n) {
        const int cues = list->count();
        if (cues > 0)
            list->setCurrentRow(static_cast<int>(rng() % static_cast<unsigned>(cues)));
        switch (rng() % 6) {
        case 0: editor.findChild<QPushButton*>("1013")->click(); break;  // Insert Cue
        case 1:
            if (cues > 3)
                editor.findChild<QPushButton*>("1015")->click();  // Delete Cues
            break;
        case 2: editor.findChild<QAction*>("32777")->trigger(); break;  // File > Save
        case 3: star->setValue(static_cast<int>(rng() % 101)); break;
        default:
            name->selectAll();
            QTest::keyClicks(name, "N" + QString::number(n));
            QTest::keyClick(name, Qt::Key_Return);
        }
        Report("C " + std::to_string(ShowHash(*doc)) + " " + std::to_string(Now()));
        // The window's event loop between edits, with the recovery poll its timer makes.
        const long long until = Now() + static_cast<long long>(rng() % 30) * 1'000'000;
        do {
            QApplication::processEvents();
            recovery.Poll();
            usleep(2000);
        } while (Now() < until);
    }
}

struct CState {
    std::uint64_t hash;
    long long at;
};

TEST(RecoveryKill, NoChangeHalfASecondOldIsLostToSIGKILL)
{
    CTempProgramDir dir;
    std::string cues = "ChaseList_Selected|default.B3|\n";
    for (int i = 1; i <= 6; ++i)
        cues += "Cue " + std::to_string(i) + "|Lit|100 0 0 0 0 0 50 50 50 50 50 50 0 0 50 50 1 20 0|\n";
    dir.Write("show.cue", cues);
    dir.Write("colors.txt", kDefaultColors + "row|1|1|2|3|5|0|0|\nrow|2|1|2|3|5|0|0|\nrow|3|1|2|3|5|0|0|\n");
    dir.Write("default.B03", "Lit|1|step|" + std::string(120, '1') + "|\n");

    const unsigned seed = getenv("GLIMMER_KILL_SEED") != nullptr ? static_cast<unsigned>(atoi(getenv("GLIMMER_KILL_SEED")))
                                                                  : static_cast<unsigned>(time(nullptr));
    std::printf("kill test seed %u (GLIMMER_KILL_SEED=%u repeats it)\n", seed, seed);
    std::mt19937 rng(seed);
    std::vector<CState> states;
    long long killedAt = -1;
    int renameKills = 0, lost = 0, failedStarts = 0;
    for (int session = 0; session <= kKills; ++session) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        // A quarter of the sessions end inside a rename: of a recovery write or of a File > Save.
        const int renameAt = session % 4 == 1 ? static_cast<int>(rng() % 5) + 1 : 0;
        const long long lifetime = static_cast<long long>(rng() % 500 + 20) * 1'000'000;
        const std::string childSeed = std::to_string(rng());
        pid_t child = fork();
        if (child == 0) {
            close(ends[0]);
            setenv("GLIMMER_KILL_FD", std::to_string(ends[1]).c_str(), 1);
            setenv("GLIMMER_KILL_RENAME", std::to_string(renameAt).c_str(), 1);
            setenv("GLIMMER_KILL_SEED", childSeed.c_str(), 1);
            int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);  // 200 starts of Qt chatter
            execl("/proc/self/exe", "console_tests", "--gtest_filter=RecoveryKillChild.EditsUntilKilled", nullptr);
            _exit(127);
        }
        close(ends[1]);
        std::string pending;
        long long startedAt = -1;
        bool started = false, done = false;
        while (!done) {
            const long long now = Now();
            int wait = 5000;
            if (started && renameAt == 0)
                wait = static_cast<int>(std::max(0LL, (startedAt + lifetime - now) / 1'000'000));
            if (started && session == kKills)
                wait = 0;  // the last start only shows what it recovered
            pollfd p {ends[0], POLLIN, 0};
            const int ready = poll(&p, 1, wait);
            if (ready == 0 && !started) {
                ++failedStarts;
                done = true;
                break;
            }
            if (ready == 0 || (started && renameAt == 0 && Now() >= startedAt + lifetime) ||
                (started && session == kKills))
                break;
            char block[4096];
            const ssize_t got = read(ends[0], block, sizeof block);
            if (got <= 0) {
                if (!started)
                    ++failedStarts;
                done = true;
                break;
            }
            pending.append(block, static_cast<size_t>(got));
            for (size_t nl; (nl = pending.find('\n')) != std::string::npos; pending.erase(0, nl + 1)) {
                const std::string line = pending.substr(0, nl);
                if (line[0] == 'S') {
                    const std::uint64_t hash = std::stoull(line.substr(2));
                    if (killedAt >= 0) {
                        // The last state at least kKept before the kill, or any later one.
                        size_t from = 0;
                        for (size_t i = 0; i < states.size(); ++i)
                            if (states[i].at <= killedAt - kKept)
                                from = i;
                        bool found = false;
                        for (size_t i = from; i < states.size() && !found; ++i)
                            found = states[i].hash == hash;
                        lost += found ? 0 : 1;
                        EXPECT_TRUE(found) << "session " << session << " started with a show that was never the "
                                           << "latest kept one (seed " << seed << ")";
                    }
                    started = true;
                    startedAt = Now();
                    states.push_back({hash, startedAt});
                } else if (line[0] == 'C') {
                    unsigned long long hash = 0;
                    long long at = 0;
                    std::sscanf(line.c_str(), "C %llu %lld", &hash, &at);
                    states.push_back({hash, at});
                } else if (line[0] == 'W') {
                    ++renameKills;
                    done = true;
                    break;
                }
            }
        }
        killedAt = Now();
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(ends[0]);
        ASSERT_EQ(failedStarts, 0) << "session " << session << " did not start (seed " << seed << ")";
    }
    std::printf("%d kills, %d of them inside a rename, %d changes lost, %d starts failed\n", kKills, renameKills,
                lost, failedStarts);
    EXPECT_EQ(lost, 0);
    EXPECT_GT(renameKills, kKills / 8);
}

}  // namespace
