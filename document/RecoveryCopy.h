#pragma once
// The recovery copy follows every change of the show to disk, off the window
// thread. The window thread only marks what changed (CShowChanges) and, when
// the changes have settled (kSettle after the last, never more than kLongest
// after the first), copies the changed pages of the tables to the writer's own
// copy of the show; a thread of its own turns that into the recovery file and
// saves it safely. The window never waits on the disk: while the writer is busy
// with its copy, the next poll tries again.

#include "document/RecoveryFile.h"
#include "document/ShowChanges.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CShowData;

class CRecoveryCopy {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kSettle = std::chrono::milliseconds(100);
    static constexpr auto kLongest = std::chrono::milliseconds(200);
    // How often the window thread should call Poll.
    static constexpr auto kPollEvery = std::chrono::milliseconds(25);

    // Marks `doc`'s changes from now on (it sets doc.m_changes); copies follow
    // once the console has loaded the show (CShowChanges::Follow).
    explicit CRecoveryCopy(CShowData& doc);
    // Lets a write in progress finish; the copy stays on disk unless the show
    // was saved whole (CShowChanges::Saved).
    ~CRecoveryCopy();
    CRecoveryCopy(const CRecoveryCopy&) = delete;
    CRecoveryCopy& operator=(const CRecoveryCopy&) = delete;

    // Window thread. Hands settled changes to the writer; true when it did. A
    // change counts from the first poll that sees it.
    bool Poll(Clock::time_point now = Clock::now());
    // Waits until everything handed over is on disk (tests and benchmarks).
    void Flush();
    // Copies written, bytes written in all, and the last failure ("" for none).
    std::uint64_t Writes() const;
    std::uint64_t BytesWritten() const;
    std::string LastError() const;
    // Bytes of the tables the last Poll copied on the window thread.
    std::size_t BytesTaken() const { return m_taken; }

private:
    void Run();
    void Compose(unsigned tables, std::time_t left, CRecoveryShow& show);

    CShowData& m_doc;
    CShowChanges m_changes;
    std::unique_ptr<CShowData> m_copy;  // the writer's; written only under m_lock
    std::size_t m_taken = 0;
    std::uint64_t m_seen = 0;  // marks counted at the last poll
    bool m_waiting = false;    // marks seen that are not taken yet
    Clock::time_point m_first {}, m_last {};  // polls that first and last saw new marks

    mutable std::mutex m_lock;
    std::condition_variable m_wake, m_idle;
    unsigned m_tables = 0;  // tables changed since the writer last formatted them
    bool m_handed = false;
    bool m_writing = false;
    bool m_quit = false;
    std::time_t m_left = 0;
    CRecoveryShow m_show;  // the writer's last sections, so an unchanged table is not formatted again
    std::uint64_t m_writes = 0, m_bytes = 0;
    std::string m_error;
    std::thread m_writer;
};
