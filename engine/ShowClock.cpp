#include "engine/ShowClock.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <mutex>
#include <sched.h>
#include <unistd.h>

namespace {

constexpr long long kNsPerSecond = 1'000'000'000;

long long NowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * kNsPerSecond + now.tv_nsec;
}

timespec ToTimespec(long long ns)
{
    return {static_cast<time_t>(ns / kNsPerSecond), static_cast<long>(ns % kNsPerSecond)};
}

}  // namespace

CShowMutex::CShowMutex()
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT);
    pthread_mutex_init(&m_mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
}

CShowMutex::~CShowMutex()
{
    pthread_mutex_destroy(&m_mutex);
}

void CShowMutex::lock()
{
    pthread_mutex_lock(&m_mutex);
}

void CShowMutex::unlock()
{
    pthread_mutex_unlock(&m_mutex);
}

CShowClock::CShowClock(CClockWork work, long long periodNs)
    : m_work(std::move(work))
    , m_periodNs(periodNs)
{
    pthread_mutex_init(&m_sleepMutex, nullptr);
    pthread_condattr_t attributes;
    pthread_condattr_init(&attributes);
    pthread_condattr_setclock(&attributes, CLOCK_MONOTONIC);  // deadlines the wall clock cannot move
    pthread_cond_init(&m_wake, &attributes);
    pthread_condattr_destroy(&attributes);
}

CShowClock::~CShowClock()
{
    Stop();
    pthread_cond_destroy(&m_wake);
    pthread_mutex_destroy(&m_sleepMutex);
}

bool CShowClock::Start()
{
    if (m_started)
        return true;
    m_stop = false;
    m_started = pthread_create(&m_thread, nullptr, &CShowClock::ThreadMain, this) == 0;
    return m_started;
}

void CShowClock::Stop()
{
    if (!m_started)
        return;
    Wake(true);
    pthread_join(m_thread, nullptr);
    m_started = false;
    m_priority = EClockPriority::kNotStarted;
}

void CShowClock::BeatFromNow()
{
    Wake(false);
}

void CShowClock::Wake(bool stop)
{
    pthread_mutex_lock(&m_sleepMutex);
    (stop ? m_stop : m_beatFromNow) = true;
    pthread_cond_signal(&m_wake);
    pthread_mutex_unlock(&m_sleepMutex);
}

CShowClock::EWake CShowClock::SleepUntil(long long deadline)
{
    // A real-time clock wakes a little early and waits out the rest awake: an idle
    // processor can take a few tenths of a millisecond to come back from its sleep.
    const bool early = m_priority == EClockPriority::kRealtime || m_priority == EClockPriority::kRealtimeKit;
    const timespec until = ToTimespec(early ? deadline - kWakeEarlyNs : deadline);
    pthread_mutex_lock(&m_sleepMutex);
    while (!m_stop && !m_beatFromNow && pthread_cond_timedwait(&m_wake, &m_sleepMutex, &until) != ETIMEDOUT) {
    }
    while (!m_stop && !m_beatFromNow && NowNs() < deadline) {
        pthread_mutex_unlock(&m_sleepMutex);  // lets a new beat or a stop in
        pthread_mutex_lock(&m_sleepMutex);
    }
    const EWake wake = m_stop ? EWake::kStop : m_beatFromNow ? EWake::kBeatFromNow : EWake::kDeadline;
    m_beatFromNow = false;
    pthread_mutex_unlock(&m_sleepMutex);
    return wake;
}

bool CShowClock::TakeBeat()
{
    pthread_mutex_lock(&m_sleepMutex);
    const bool beat = m_beatFromNow;
    m_beatFromNow = false;
    pthread_mutex_unlock(&m_sleepMutex);
    return beat;
}

void* CShowClock::ThreadMain(void* self)
{
    static_cast<CShowClock*>(self)->Run();
    return nullptr;
}

void CShowClock::RaisePriority()
{
    sched_param param{};
    param.sched_priority = kRealtimePriority;
    // A program the console starts does not inherit the real-time priority.
    if (sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0) {
        m_priority = EClockPriority::kRealtime;
        return;
    }
    const bool granted = m_work.askRealtime && m_work.askRealtime(static_cast<long>(gettid()), kRealtimePriority);
    m_priority = granted ? EClockPriority::kRealtimeKit : EClockPriority::kNormal;
}

void CShowClock::Run()
{
    RaisePriority();
    long long period = 0;  // counts every period, for the line check
    long long deadline = NowNs() + m_periodNs;
    for (;;) {
        const EWake wake = SleepUntil(deadline);
        if (wake == EWake::kStop)
            break;
        bool ticked = false;
        {
            std::lock_guard<CShowMutex> lock(m_mutex);
            // A beat asked for while this tick waited for the lock starts with this
            // tick: the show gets one frame now, not this one and another at once.
            if (TakeBeat() || wake == EWake::kBeatFromNow)
                deadline = NowNs();
            if (m_loans == 0) {
                if (m_ticking && m_work.tick) {
                    const long long begun = NowNs();
                    m_work.tick();
                    RecordTiming({deadline, begun - deadline, NowNs() - begun});
                    ++m_ticks;
                    ticked = true;
                }
                if (++period % kLineCheckPeriods == 0 && m_work.lineCheck)
                    m_work.lineCheck();
            }
        }
        if (ticked && m_work.ticked)
            m_work.ticked();
        // The next deadline stays on the grid, so the beat never drifts. Deadlines
        // that passed while this one ran late are skipped, not made up in a burst.
        deadline += m_periodNs;
        const long long now = NowNs();
        if (deadline <= now) {
            const long long missed = (now - deadline) / m_periodNs + 1;
            deadline += missed * m_periodNs;
            std::lock_guard<CShowMutex> lock(m_mutex);
            m_skipped += missed;
        }
    }
}

void CShowClock::TickNow()
{
    std::lock_guard<CShowMutex> lock(m_mutex);
    if (m_loans == 0 && m_work.tick)
        m_work.tick();
}

void CShowClock::CheckLinesNow()
{
    std::lock_guard<CShowMutex> lock(m_mutex);
    if (m_loans == 0 && m_work.lineCheck)
        m_work.lineCheck();
}

CShowClock::CLoan::CLoan(CShowClock& clock) : m_clock(clock)
{
    std::lock_guard<CShowMutex> lock(m_clock.m_mutex);
    ++m_clock.m_loans;
}

CShowClock::CLoan::~CLoan()
{
    std::lock_guard<CShowMutex> lock(m_clock.m_mutex);
    --m_clock.m_loans;
}

long long CShowClock::Ticks()
{
    std::lock_guard<CShowMutex> lock(m_mutex);
    return m_ticks;
}

long long CShowClock::Skipped()
{
    std::lock_guard<CShowMutex> lock(m_mutex);
    return m_skipped;
}

void CShowClock::RecordTiming(const CTickTiming& timing)
{
    m_timings[m_ticks % kTimings] = timing;
}

std::vector<CTickTiming> CShowClock::TakeTimings()
{
    std::lock_guard<CShowMutex> lock(m_mutex);
    const long long first = std::max(m_timingsTaken, m_ticks - kTimings);
    std::vector<CTickTiming> timings;
    for (long long t = first; t < m_ticks; ++t)
        timings.push_back(m_timings[t % kTimings]);
    m_timingsTaken = m_ticks;
    return timings;
}
