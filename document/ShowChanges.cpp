#include "document/ShowChanges.h"

#include "document/History.h"
#include "document/ShowData.h"

#include <algorithm>
#include <cstring>

namespace {

std::size_t Offset(const CShowData& doc, const void* field)
{
    return static_cast<std::size_t>(static_cast<const unsigned char*>(field) -
                                    reinterpret_cast<const unsigned char*>(&doc));
}

template <class T>
std::size_t End(const CShowData& doc, const T& field)
{
    return Offset(doc, &field) + sizeof field;
}

constexpr std::size_t kPageCount = (sizeof(CShowData) + CShowChanges::kPageBytes - 1) / CShowChanges::kPageBytes;

}  // namespace

CShowRange CueTableRange(const CShowData& doc)
{
    return {Offset(doc, &doc.m_cueName), End(doc, doc.m_cueMark)};
}

CShowRange StepTableRange(const CShowData& doc)
{
    return {Offset(doc, &doc.m_stepChase), End(doc, doc.m_stepOutlineLamps)};
}

CShowRange FileNamesRange(const CShowData& doc)
{
    // The window places too: the layout file the copy holds carries them.
    return {Offset(doc, &doc.m_mainWindowRect), End(doc, doc.m_selectedChaseList)};
}

CShowRange LayoutRange(const CShowData& doc)
{
    return {Offset(doc, &doc.m_tierCount), End(doc, doc.m_demoMode)};
}

CShowChanges::CShowChanges()
    : m_pages((kPageCount + 63) / 64, 0)
{
}

void CShowChanges::MarkBytes(std::size_t from, std::size_t to, unsigned table)
{
    if (from >= to)
        return;
    const std::size_t first = from / kPageBytes, last = (to - 1) / kPageBytes;
    for (std::size_t p = first; p <= last; ++p)
        m_pages[p / 64] |= std::uint64_t{1} << (p % 64);
    m_low = std::min(m_low, first);
    m_high = std::max(m_high, last + 1);
    m_tables |= table;
    ++m_count;
    m_any = true;
}

void CShowChanges::Mark(const CShowData& doc, const void* field, std::size_t size)
{
    const std::size_t at = Offset(doc, field);
    for (auto [range, table] : {std::pair{CueTableRange(doc), unsigned{kCueTable}},
                                std::pair{StepTableRange(doc), unsigned{kStepTable}}}) {
        const std::size_t from = std::max(at, range.from), to = std::min(at + size, range.to);
        MarkBytes(from, to, table);
    }
}

void CShowChanges::MarkCuesFrom(const CShowData& doc, int slot)
{
    slot = std::clamp(slot, 0, kCueSlots - 1);
    auto column = [&](const auto& table) {
        MarkBytes(Offset(doc, &table[slot]), End(doc, table), kCueTable);
    };
    column(doc.m_cueName);
    column(doc.m_cueChase);
    column(doc.m_cueFadeTime);
    column(doc.m_cueActiveTime);
    column(doc.m_cueChaseSpeed);
    column(doc.m_cueRunCount);
    column(doc.m_cueForward);
    for (const auto& level : doc.m_cueLevel)
        column(level);
    column(doc.m_cueMark);
}

void CShowChanges::MarkTables(const CShowData& doc, unsigned tables)
{
    if ((tables & kCueTable) != 0)
        MarkBytes(CueTableRange(doc).from, CueTableRange(doc).to, kCueTable);
    if ((tables & kStepTable) != 0)
        MarkBytes(StepTableRange(doc).from, StepTableRange(doc).to, kStepTable);
}

std::size_t CShowChanges::CopyMarked(const CShowData& doc, CShowData& copy)
{
    const auto* from = reinterpret_cast<const unsigned char*>(&doc);
    auto* to = reinterpret_cast<unsigned char*>(&copy);
    const CShowRange ranges[] = {CueTableRange(doc), StepTableRange(doc)};
    std::size_t copied = 0;
    for (std::size_t p = m_low; p < m_high; ++p) {
        std::uint64_t& word = m_pages[p / 64];
        if (word == 0) {
            p |= 63;  // a whole word of clean pages
            continue;
        }
        if ((word & (std::uint64_t{1} << (p % 64))) == 0)
            continue;
        word &= ~(std::uint64_t{1} << (p % 64));
        // Only table bytes: the pointers and the engine's run state stay the copy's own.
        for (const CShowRange& r : ranges) {
            const std::size_t a = std::max(p * kPageBytes, r.from), b = std::min((p + 1) * kPageBytes, r.to);
            if (a < b) {
                std::memcpy(to + a, from + a, b - a);
                copied += b - a;
            }
        }
    }
    m_low = SIZE_MAX;
    m_high = 0;
    m_any = false;
    m_tables = 0;
    return copied;
}
