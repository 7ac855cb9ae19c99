#include "document/RecoveryCopy.h"

#include "document/AtomicFile.h"
#include "document/History.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFileSave.h"
#include "document/ShowFiles.h"

#include <cstring>
#include <unistd.h>

namespace {

// The file names and the layout are a few hundred bytes: compared whole at
// every poll instead of being marked by every writer of them.
bool SmallFieldsDiffer(const CShowData& doc, const CShowData& copy)
{
    for (CShowRange r : {FileNamesRange(doc), LayoutRange(doc)})
        if (std::memcmp(reinterpret_cast<const char*>(&doc) + r.from, reinterpret_cast<const char*>(&copy) + r.from,
                        r.to - r.from) != 0)
            return true;
    return false;
}

void CopySmallFields(const CShowData& doc, CShowData& copy)
{
    for (CShowRange r : {FileNamesRange(doc), LayoutRange(doc)})
        std::memcpy(reinterpret_cast<char*>(&copy) + r.from, reinterpret_cast<const char*>(&doc) + r.from,
                    r.to - r.from);
}

std::string Text(void (*write)(const CShowData&, FILE*), const CShowData& doc)
{
    std::string text;
    FormatToMemory([&](FILE* out) { write(doc, out); }, text);
    return text;
}

void CueLines(const CShowData& doc, FILE* out)
{
    WriteCueLines(doc, out);
}

}  // namespace

CRecoveryCopy::CRecoveryCopy(CShowData& doc)
    : m_doc(doc)
    , m_copy(std::make_unique<CShowData>())
{
    // Everything is taken at the first poll, so the first copy is whole.
    m_changes.MarkTables(doc, kCueTable | kStepTable);
    m_tables = kCueTable | kStepTable;
    m_seen = m_changes.Count();
    m_waiting = true;  // since long ago: the first poll that follows takes it
    doc.m_changes = &m_changes;
    m_writer = std::thread([this] { Run(); });
}

CRecoveryCopy::~CRecoveryCopy()
{
    if (m_doc.m_changes == &m_changes)
        m_doc.m_changes = nullptr;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_quit = true;
    }
    m_wake.notify_all();
    m_writer.join();
    // Only once the show files were written is the copy let go.
    std::string why;
    const std::string path = RecoveryPath(why);
    if (m_changes.SavedWhole() && !path.empty())
        unlink(path.c_str());
}

bool CRecoveryCopy::Poll(Clock::time_point now)
{
    if (!m_changes.Following())
        return false;
    if (m_changes.Count() != m_seen) {
        if (!m_waiting)
            m_first = now;
        m_waiting = true;
        m_last = now;
        m_seen = m_changes.Count();
    }
    const bool small = SmallFieldsDiffer(m_doc, *m_copy);
    if (!small && !m_changes.Any())
        return false;
    if (m_changes.Any() && now - m_last < kSettle && now - m_first < kLongest)
        return false;
    std::unique_lock<std::mutex> hold(m_lock, std::try_to_lock);
    if (!hold.owns_lock())
        return false;  // the writer is reading its copy; the next poll takes the changes
    m_tables |= m_changes.Tables() | (small ? kCueTable | kStepTable : 0u);
    m_taken = m_changes.CopyMarked(m_doc, *m_copy);
    m_waiting = false;
    CopySmallFields(m_doc, *m_copy);
    m_left = std::time(nullptr);
    m_handed = true;
    hold.unlock();
    m_wake.notify_one();
    return true;
}

void CRecoveryCopy::Compose(unsigned tables, std::time_t left, CRecoveryShow& show)
{
    const CShowData& copy = *m_copy;
    show.left = left;
    show.cueList = copy.m_cueFileName;
    show.library = copy.m_chaseFileName;
    if ((tables & kCueTable) != 0) {
        show.cueText = Text(CueLines, copy);
        show.cues = 0;
        for (int s = 1; s < kCueSlots; ++s)
            show.cues += copy.m_cueName[s][0] != '\0';
    }
    if ((tables & kStepTable) != 0) {
        show.chaseText = Text(WriteChaseLines, copy);
        show.chases = 0;
        for (int r = 1; r < kStepRecords; ++r)
            show.chases += copy.m_stepChase[r][0] != '\0' && copy.m_stepNumber[r] == 1;
    }
    show.layoutText = Text(WriteLayout, copy);
}

void CRecoveryCopy::Run()
{
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_wake.wait(hold, [this] { return m_handed || m_quit; });
        if (!m_handed)
            return;
        m_handed = false;
        m_writing = true;
        const unsigned tables = m_tables;
        m_tables = 0;
        Compose(tables, m_left, m_show);
        CRecoveryShow show = m_show;
        hold.unlock();

        // The stamps say which show files the copy is newer than.
        show.cueStamp = StampOf(ProgramPath(show.cueList.c_str()));
        show.chaseStamp = StampOf(ProgramPath(show.library.c_str()));
        show.layoutStamp = StampOf(ProgramPath(kLayoutFile));
        const std::string bytes = FormatRecovery(show);
        std::string why;
        const std::string path = RecoveryPath(why);
        if (!path.empty()) {
            CAtomicFile file(path);
            if (file.Stream() != nullptr)
                std::fwrite(bytes.data(), 1, bytes.size(), file.Stream());
            if (!file.Commit())
                why = path + ": " + file.Error();
        }

        hold.lock();
        m_writing = false;
        ++m_writes;
        m_bytes += bytes.size();
        m_error = why;
        m_idle.notify_all();
    }
}

void CRecoveryCopy::Flush()
{
    std::unique_lock<std::mutex> hold(m_lock);
    m_idle.wait(hold, [this] { return !m_handed && !m_writing; });
}

std::uint64_t CRecoveryCopy::Writes() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_writes;
}

std::uint64_t CRecoveryCopy::BytesWritten() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_bytes;
}

std::string CRecoveryCopy::LastError() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_error;
}
