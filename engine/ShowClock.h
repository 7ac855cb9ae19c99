#pragma once
// The show's own clock: a thread that wakes at absolute 100 ms deadlines and runs
// the tick there, so a busy window or a busy computer does not shake the tree's
// beat. Whatever touches the show while the clock runs does so under the clock's
// lock; a screen that changes the document on its own thread without the lock
// borrows it first (Lend), and the clock leaves it alone until it is given back.

#include <atomic>
#include <functional>
#include <pthread.h>
#include <vector>

// How the clock's thread is scheduled.
enum class EClockPriority {
    kNotStarted,
    kRealtime,     // SCHED_FIFO, set by the process itself
    kRealtimeKit,  // SCHED_FIFO, granted by the desktop's real-time service
    kNormal,       // real-time scheduling refused: normal priority
};

// The show lock. It lends its holder the priority of a real-time thread waiting
// for it, so a window thread preempted while it holds the lock cannot hold up
// the tick behind the computer's other work.
class CShowMutex {
public:
    CShowMutex();
    ~CShowMutex();
    CShowMutex(const CShowMutex&) = delete;
    CShowMutex& operator=(const CShowMutex&) = delete;
    void lock();
    void unlock();

private:
    pthread_mutex_t m_mutex;
};

// What the clock runs. Each is optional.
struct CClockWork {
    // Under the lock, once a period while the clock ticks.
    std::function<void()> tick;
    // Under the lock, every tenth period, paused or not.
    std::function<void()> lineCheck;
    // After each tick, outside the lock, on the clock's thread: tells the window.
    std::function<void()> ticked;
    // On the clock's thread when the process may not raise the thread itself;
    // true when the thread was made real-time at `priority`.
    std::function<bool(long threadId, int priority)> askRealtime;
};

// When one tick ran, for benchmarks: its deadline, how late the work began
// (lock wait included) and how long it took, in nanoseconds.
struct CTickTiming {
    long long deadlineNs;
    long long lateNs;
    long long workNs;
};

class CShowClock {
public:
    static constexpr long long kPeriodNs = 100'000'000;
    static constexpr int kLineCheckPeriods = 10;
    // The real-time priority asked for; desktop services grant up to 20 by default.
    static constexpr int kRealtimePriority = 20;
    // How long before a deadline a real-time clock stops sleeping (about 1% of a core).
    static constexpr long long kWakeEarlyNs = 1'000'000;

    explicit CShowClock(CClockWork work, long long periodNs = kPeriodNs);
    ~CShowClock();
    CShowClock(const CShowClock&) = delete;
    CShowClock& operator=(const CShowClock&) = delete;

    // Starts the thread unless it runs; false when no thread could be made.
    bool Start();
    // Ends the thread and waits for it.
    void Stop();
    bool Started() const { return m_started; }
    // Starts the beat afresh: the next tick comes at once, the ones after it on
    // a grid from now. A show that starts gets its first frame without waiting.
    // Asked for under the lock, it is never followed by a tick of the old grid.
    void BeatFromNow();
    // Pausing stops the ticks; the line check goes on.
    void SetTicking(bool ticking) { m_ticking = ticking; }
    bool Ticking() const { return m_ticking; }
    long long PeriodNs() const { return m_periodNs; }
    EClockPriority Priority() const { return m_priority; }

    // One tick now on the caller's thread, under the lock, for callers that keep
    // time themselves; nothing while the document is lent.
    void TickNow();
    // The line check now on the caller's thread, under the lock.
    void CheckLinesNow();

    CShowMutex& Mutex() { return m_mutex; }

    // While a loan lives the clock runs nothing: the borrower may change the
    // document on its own thread without the lock.
    class CLoan {
    public:
        explicit CLoan(CShowClock& clock);
        ~CLoan();
        CLoan(const CLoan&) = delete;
        CLoan& operator=(const CLoan&) = delete;

    private:
        CShowClock& m_clock;
    };
    [[nodiscard]] CLoan Lend() { return CLoan(*this); }

    // Ticks run by the thread and deadlines it skipped because an earlier tick
    // was more than a period late.
    long long Ticks();
    long long Skipped();
    // The ticks the thread ran since the last call (the latest 1024 at most).
    std::vector<CTickTiming> TakeTimings();

private:
    static void* ThreadMain(void* self);
    void Run();
    enum class EWake { kDeadline, kBeatFromNow, kStop };
    // Sleeps until the absolute `deadline` on the monotonic clock, or until woken.
    EWake SleepUntil(long long deadline);
    void Wake(bool stop);
    // True once after BeatFromNow.
    bool TakeBeat();
    void RaisePriority();
    void RecordTiming(const CTickTiming& timing);

    CClockWork m_work;
    const long long m_periodNs;
    CShowMutex m_mutex;
    pthread_t m_thread{};
    bool m_started = false;
    // The thread sleeps on m_wake, so that stopping and a new beat need not wait
    // for the deadline. Both flags are guarded by m_sleepMutex.
    pthread_mutex_t m_sleepMutex;
    pthread_cond_t m_wake;
    bool m_stop = false;
    bool m_beatFromNow = false;
    std::atomic<bool> m_ticking{false};
    std::atomic<EClockPriority> m_priority{EClockPriority::kNotStarted};

    // Guarded by m_mutex.
    int m_loans = 0;
    long long m_ticks = 0;
    long long m_skipped = 0;
    static constexpr int kTimings = 1024;
    CTickTiming m_timings[kTimings] = {};
    long long m_timingsTaken = 0;
};
