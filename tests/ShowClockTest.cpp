// The show clock on its own, with stand-in work: when it ticks, what pauses it,
// what keeps it off the document, and how it asks for real-time scheduling.
#include "engine/ShowClock.h"
#include "tests/ChildRun.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace {

constexpr long long kFastPeriodNs = 2'000'000;

// A clock started on stand-in work that counts what it runs.
struct CCountedClock {
    explicit CCountedClock(long long periodNs, bool ticking = true, bool grants = false)
        : serviceGrants(grants)
        , clock(Work(), periodNs)
    {
        clock.SetTicking(ticking);
        clock.Start();
    }
    CClockWork Work()
    {
        CClockWork work;
        work.tick = [this] { ++ticks; };
        work.lineCheck = [this] { ++lineChecks; };
        work.askRealtime = [this](long threadId, int priority) {
            asked = threadId != getpid() && priority == CShowClock::kRealtimePriority ? 1 : -1;
            return serviceGrants;
        };
        return work;
    }

    std::atomic<long long> ticks{0}, lineChecks{0};
    const bool serviceGrants;
    std::atomic<int> asked{0};  // 1: asked for the clock's own thread at its priority
    CShowClock clock;           // last: its thread ends first
};

// Waits up to five seconds: the clock's thread may be slow to get the processor on a busy machine.
template <class Done>
bool WaitFor(Done done)
{
    for (int i = 0; i < 5000 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done();
}

TEST(ShowClockTest, TicksOnOneGridOfDeadlinesAndChecksLinesWhilePaused)
{
    CCountedClock counted(kFastPeriodNs, false);
    ASSERT_TRUE(WaitFor([&] { return counted.lineChecks >= 3; }));
    EXPECT_EQ(counted.ticks, 0) << "paused";
    counted.clock.SetTicking(true);
    ASSERT_TRUE(WaitFor([&] { return counted.ticks >= 60; }));
    counted.clock.Stop();

    // Deadlines are absolute: each lies whole periods after the first, so the
    // beat never drifts by the time a tick takes, and no tick starts early.
    std::vector<CTickTiming> timings = counted.clock.TakeTimings();
    ASSERT_EQ(static_cast<long long>(timings.size()), counted.ticks.load());
    for (size_t i = 1; i < timings.size(); ++i) {
        EXPECT_GT(timings[i].deadlineNs, timings[i - 1].deadlineNs);
        EXPECT_EQ((timings[i].deadlineNs - timings[0].deadlineNs) % kFastPeriodNs, 0) << i;
        EXPECT_GE(timings[i].lateNs, 0) << i;
    }
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

// START asks for a new beat under the lock, while the tick of the old beat may be
// waiting for it: that tick becomes the new beat's first, never a second frame
// right behind the first.
TEST(ShowClockTest, ANewBeatAskedWhileATickWaitsForTheLockGivesOneTick)
{
    constexpr long long kPeriodNs = 200'000'000;
    CCountedClock counted(kPeriodNs);
    ASSERT_TRUE(WaitFor([&] { return counted.ticks >= 1; }));
    long long before = 0;
    {
        std::lock_guard<CShowMutex> lock(counted.clock.Mutex());
        std::this_thread::sleep_for(std::chrono::nanoseconds(kPeriodNs * 5 / 4));  // past a deadline
        before = counted.ticks;
        counted.clock.BeatFromNow();
    }
    ASSERT_TRUE(WaitFor([&] { return counted.ticks > before; }));
    std::this_thread::sleep_for(std::chrono::nanoseconds(kPeriodNs / 4));
    EXPECT_EQ(counted.ticks, before + 1);
}

// A screen editing the document, or an operator's action holding the lock,
// has it to itself: the clock runs nothing meanwhile and carries on after.
TEST(ShowClockTest, RunsNothingWhileTheDocumentIsLentOrTheLockIsHeld)
{
    CCountedClock counted(kFastPeriodNs);
    ASSERT_TRUE(WaitFor([&] { return counted.ticks >= 3; }));
    for (bool lend : {true, false}) {
        SCOPED_TRACE(lend ? "lent" : "locked");
        const long long ticks = counted.ticks;
        {
            std::optional<CShowClock::CLoan> loan;
            std::optional<std::lock_guard<CShowMutex>> lock;
            if (lend)
                loan.emplace(counted.clock);
            else
                lock.emplace(counted.clock.Mutex());
            const long long ticksNow = counted.ticks, checks = counted.lineChecks;
            std::this_thread::sleep_for(std::chrono::milliseconds(40));  // twenty periods
            if (lend)
                counted.clock.TickNow();  // a tick by hand waits for the document too
            EXPECT_EQ(counted.ticks, ticksNow);
            EXPECT_EQ(counted.lineChecks, checks);
        }
        EXPECT_TRUE(WaitFor([&] { return counted.ticks > ticks + 1; }));
    }
}

// Real-time scheduling: the process's own where it may, else the desktop
// service's, else normal priority. A process without the right runs as uid
// 65534 with no real-time priority allowed.
TEST(ShowClockTest, AsksForRealTimeItselfThenOfTheDesktopServiceThenRunsAtNormalPriority)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to run the clock with and without the right to real time";
    const struct {
        bool privileged, serviceGrants;
        EClockPriority expected;
        int asked;
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
                CCountedClock counted(kFastPeriodNs, true, c.serviceGrants);
                WaitFor([&] { return counted.ticks > 0; });
                return std::to_string(static_cast<int>(counted.clock.Priority())) + " " + std::to_string(counted.asked);
            },
            !c.privileged);
        EXPECT_EQ(result, std::to_string(static_cast<int>(c.expected)) + " " + std::to_string(c.asked))
            << "privileged " << c.privileged << ", service grants " << c.serviceGrants;
    }
}

}  // namespace
