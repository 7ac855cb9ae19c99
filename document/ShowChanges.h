#pragma once
// Which parts of the show's tables changed since the recovery copy last took
// them, and when. Every recorded change of the editors marks the fields it
// writes (CChange), an undo or redo the fields it swaps back, a cleared table
// the whole table. Marks are pages of the document, so taking the changes
// copies a few kilobytes for a one-cue change instead of the whole tables.
// Window thread only.

#include <cstddef>
#include <cstdint>
#include <vector>

class CShowData;

class CShowChanges {
public:
    static constexpr std::size_t kPageBytes = 4096;

    CShowChanges();

    void Mark(const CShowData& doc, const void* field, std::size_t size);
    // Every cue column from `slot` to the last slot (a cue move shifts them all).
    void MarkCuesFrom(const CShowData& doc, int slot);
    // A whole table (HistoryTable bits).
    void MarkTables(const CShowData& doc, unsigned tables);

    // The console has loaded its show: from now on the copy follows it.
    void Follow() { m_following = true; }
    // The show files hold the whole show as it leaves memory: the copy stops
    // following and is removed.
    void Saved()
    {
        m_following = false;
        m_saved = true;
    }
    bool Following() const { return m_following; }
    bool SavedWhole() const { return m_saved; }

    bool Any() const { return m_any; }
    // Counts marks, so a poll can tell that more came since it last looked.
    std::uint64_t Count() const { return m_count; }
    // Copies the marked parts of the tables from `doc` into `copy` and forgets
    // the marks; returns the bytes copied.
    std::size_t CopyMarked(const CShowData& doc, CShowData& copy);
    // HistoryTable bits of the tables marked since the last CopyMarked.
    unsigned Tables() const { return m_tables; }

private:
    void MarkBytes(std::size_t from, std::size_t to, unsigned table);

    std::vector<std::uint64_t> m_pages;  // one bit per page of the document
    std::size_t m_low = SIZE_MAX, m_high = 0;  // marked pages lie in [m_low, m_high)
    bool m_any = false;
    bool m_following = false;
    bool m_saved = false;
    unsigned m_tables = 0;
    std::uint64_t m_count = 0;
};

// The byte ranges of the document the recovery copy follows: the cue table and
// the light step records, then the small fields (file names, the layout) that
// are compared whole instead of marked.
struct CShowRange {
    std::size_t from, to;
};
CShowRange CueTableRange(const CShowData& doc);
CShowRange StepTableRange(const CShowData& doc);
CShowRange FileNamesRange(const CShowData& doc);
CShowRange LayoutRange(const CShowData& doc);
