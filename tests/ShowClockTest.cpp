// The show clock on its own, with stand-in work: when it ticks, what pauses it,
// what keeps it off the document, and how it asks for real-time scheduling.
#include "engine/ShowClock.h"
#include "tests/ChildRun.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <sys/resource.h>
#include <thread>

namespace {

constexpr long long kFastPeriodNs = 2'000'000;

// A clock started on stand-in work that counts what it runs and on which thread.
struct CCountedClock {
    explicit CCountedClock(long long periodNs, bool ticking = true) : clock(Work(), periodNs)
    {
        clock.SetTicking(ticking);
        started = clock.Start();
    }
    CClockWork Work()
    {
        CClockWork work;
        work.tick = [this] {
            ++ticks;
            onOtherThread = onOtherThread && std::this_thread::get_id() != testThread;
        };
        work.lineCheck = [this] { ++lineChecks; };
        return work;
    }

    std::thread::id testThread = std::this_thread::get_id();
    std::atomic<long long> ticks{0};
    std::atomic<long long> lineChecks{0};
    std::atomic<bool> onOtherThread{true};
    bool started = false;
    CShowClock clock;  // last: its thread ends first
};

// Waits up to five seconds: the clock's thread may be slow to get the processor on a busy machine.
template <class Done>
bool WaitFor(Done done)
{
    for (int i = 0; i < 5000 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

TEST(ShowClockTest, TicksOnItsOwnThreadOnOneGridOfDeadlinesAndChecksLinesEveryTenthPeriod)
{
    CCountedClock counted(kFastPeriodNs);
    CShowClock& clock = counted.clock;
    ASSERT_TRUE(counted.started);
    ASSERT_TRUE(WaitFor([&] { return counted.ticks >= 60; }));
    clock.Stop();
    EXPECT_TRUE(counted.onOtherThread);
    EXPECT_EQ(counted.lineChecks, counted.ticks / CShowClock::kLineCheckPeriods);

    // Deadlines are absolute: each lies whole periods after the first, so the
    // beat never drifts by the time a tick takes, and no tick starts early.
    std::vector<CTickTiming> timings = clock.TakeTimings();
    ASSERT_EQ(static_cast<long long>(timings.size()), counted.ticks.load());
    for (size_t i = 1; i < timings.size(); ++i) {
        long long apart = timings[i].deadlineNs - timings[0].deadlineNs;
        EXPECT_GT(apart, timings[i - 1].deadlineNs - timings[0].deadlineNs);
        EXPECT_EQ(apart % kFastPeriodNs, 0) << i;
        EXPECT_GE(timings[i].lateNs, 0) << i;
    }
    EXPECT_TRUE(clock.TakeTimings().empty());
}

TEST(ShowClockTest, PauseStopsTheTicksButNotTheLineCheck)
{
    CCountedClock counted(kFastPeriodNs, false);
    ASSERT_TRUE(WaitFor([&] { return counted.lineChecks >= 3; }));
    EXPECT_EQ(counted.ticks, 0);
    counted.clock.SetTicking(true);
    EXPECT_TRUE(WaitFor([&] { return counted.ticks >= 3; }));
}

// A new beat (a show starting) brings the next tick at once, and stopping
// does not wait for a deadline either: here the next one is ten seconds away.
TEST(ShowClockTest, ANewBeatTicksAtOnceAndStoppingDoesNotWaitForTheDeadline)
{
    CCountedClock counted(10'000'000'000);
    const auto started = std::chrono::steady_clock::now();
    counted.clock.BeatFromNow();
    EXPECT_TRUE(WaitFor([&] { return counted.ticks == 1; }));
    counted.clock.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(9));
}

// A screen editing the document, or an operator's action holding the lock,
// has it to itself: the clock runs nothing meanwhile and carries on after.
TEST(ShowClockTest, RunsNothingWhileTheDocumentIsLentOrTheLockIsHeld)
{
    CCountedClock counted(kFastPeriodNs);
    CShowClock& clock = counted.clock;
    ASSERT_TRUE(WaitFor([&] { return counted.ticks >= 3; }));
    for (bool lend : {true, false}) {
        SCOPED_TRACE(lend ? "lent" : "locked");
        long long ticks = 0, checks = 0;
        {
            std::optional<CShowClock::CLoan> loan;
            std::unique_lock<CShowMutex> lock(clock.Mutex(), std::defer_lock);
            if (lend)
                loan.emplace(clock);
            else
                lock.lock();
            ticks = counted.ticks;
            checks = counted.lineChecks;
            std::this_thread::sleep_for(std::chrono::milliseconds(40));  // twenty periods
            if (lend)
                clock.TickNow();  // a tick by hand waits for the document too
            EXPECT_EQ(counted.ticks, ticks);
            EXPECT_EQ(counted.lineChecks, checks);
        }
        EXPECT_TRUE(WaitFor([&] { return counted.ticks > ticks; }));
    }
}

// Real-time scheduling: the process's own where it may, else the desktop
// service's, else normal priority. A process without the right is run as
// uid 65534 with no real-time priority allowed.
TEST(ShowClockTest, AsksForRealTimeItselfThenOfTheDesktopServiceThenRunsAtNormalPriority)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to run the clock with and without the right to real time";
    const struct {
        bool privileged;
        bool serviceGrants;
        EClockPriority expected;
        int serviceAsked;
    } cases[] = {
        {true, false, EClockPriority::kRealtime, 0},
        {false, true, EClockPriority::kRealtimeKit, 1},
        {false, false, EClockPriority::kNormal, 1},
    };
    for (const auto& c : cases) {
        std::string result = InChild(
            [&] {
                rlimit none{0, 0};
                setrlimit(RLIMIT_RTPRIO, &none);
                std::atomic<int> asked{0};
                std::atomic<bool> askedForClockThread{false};
                CClockWork work;
                work.tick = [] {};
                work.askRealtime = [&](long threadId, int priority) {
                    ++asked;
                    askedForClockThread = threadId != getpid() && priority == CShowClock::kRealtimePriority;
                    return c.serviceGrants;
                };
                CShowClock clock(work, kFastPeriodNs);
                clock.SetTicking(true);
                clock.Start();
                WaitFor([&] { return clock.Ticks() > 0; });
                return std::to_string(static_cast<int>(clock.Priority())) + " " + std::to_string(asked) + " " +
                       std::to_string(asked == 0 || askedForClockThread);
            },
            !c.privileged);
        EXPECT_EQ(result, std::to_string(static_cast<int>(c.expected)) + " " + std::to_string(c.serviceAsked) + " 1")
            << "privileged " << c.privileged << ", service grants " << c.serviceGrants;
    }
}

}  // namespace
