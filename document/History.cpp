#include "document/History.h"

#include "document/CueSlots.h"
#include "document/ShowChanges.h"
#include "document/ShowData.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// A gesture writes one field over and over, a bulk change each field once, so only
// the last few fields of a step are searched for the one being written again.
constexpr int kRepeatWindow = 16;

unsigned char* At(CShowData& doc, int offset)
{
    return reinterpret_cast<unsigned char*>(&doc) + offset;
}

const unsigned char* At(const CShowData& doc, int offset)
{
    return reinterpret_cast<const unsigned char*>(&doc) + offset;
}

void Append(std::vector<unsigned char>& pool, const void* bytes, std::size_t size)
{
    const auto* first = static_cast<const unsigned char*>(bytes);
    pool.insert(pool.end(), first, first + size);
}

template <class T>
T Take(const unsigned char* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace

std::string StepLabel(const char* format, ...)
{
    char text[2 * kNameSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

CPlace ChaseOnDisplay(const CShowData& doc)
{
    for (int k = 1; k < kStepRecords; ++k)
        if (doc.m_chaseStepRecord[k] != 0)
            return {0, doc.m_chaseStepRecord[k], doc.m_chaseStep};
    return {};
}

CHistory::CHistory(std::size_t byteLimit)
    : m_byteLimit(byteLimit)
{
}

std::string CHistory::UndoText() const
{
    return CanUndo() ? m_steps[m_done - 1].label : std::string();
}

std::string CHistory::RedoText() const
{
    return CanRedo() ? m_steps[m_done].label : std::string();
}

void CHistory::Seal()
{
    if (!m_steps.empty())
        m_steps.back().open = false;
}

CStepDone CHistory::Undo(CShowData& doc)
{
    if (!CanUndo() || m_depth > 0)
        return {};
    Seal();
    Step& step = m_steps[m_done - 1];
    Apply(doc, step, true);
    --m_done;
    return {true, step.tables, step.before};
}

CStepDone CHistory::Redo(CShowData& doc)
{
    if (!CanRedo() || m_depth > 0)
        return {};
    Step& step = m_steps[m_done];
    Apply(doc, step, false);
    ++m_done;
    return {true, step.tables, step.after};
}

void CHistory::Forget(unsigned table)
{
    Seal();
    std::deque<Step> kept;
    std::size_t done = 0;
    m_bytes = 0;
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        Step& step = m_steps[i];
        if ((step.tables & ~table) == 0)
            continue;
        if ((step.tables & table) != 0) {
            // A step of both tables keeps only what it did to the other one.
            Step rest;
            for (const Entry& e : step.entries) {
                if ((e.table & table) != 0)
                    continue;
                Entry moved = e;
                moved.data = rest.bytes.size();
                Append(rest.bytes, step.bytes.data() + e.data, e.size);
                rest.entries.push_back(moved);
            }
            step.entries = std::move(rest.entries);
            step.bytes = std::move(rest.bytes);
            step.tables &= ~table;
            if ((table & kCueTable) != 0)
                step.before.cue = step.after.cue = 0;
        }
        done += i < m_done ? 1 : 0;
        m_bytes += Footprint(step);
        kept.push_back(std::move(step));
    }
    m_steps = std::move(kept);
    m_done = done;
}

bool CHistory::Begin(std::string&& label, std::uint64_t group)
{
    if (m_replaying)
        return false;
    if (m_depth++ > 0)
        return true;
    const bool onTop = m_done == m_steps.size() && !m_steps.empty();
    m_gathering = onTop && (m_joinNext || (group != 0 && m_steps.back().open && m_steps.back().group == group));
    m_joinNext = false;
    if (m_gathering) {  // the step keeps the label of the gesture's start
        m_bytes -= Footprint(m_steps.back());
        return true;
    }
    Seal();
    m_pending = Step{};
    m_pending.label = std::move(label);
    m_pending.group = group;
    return true;
}

void CHistory::End(const CShowData& doc)
{
    if (--m_depth > 0)
        return;
    Step& step = Current();
    DropUnchanged(doc, step);
    if (m_gathering) {
        m_gathering = false;
        if (step.entries.empty()) {  // the gesture came back to where it began
            m_steps.pop_back();
            --m_done;
        } else {
            m_bytes += Footprint(step);
        }
        return;
    }
    if (step.entries.empty())
        return;
    // A new change drops what could have been redone.
    while (m_steps.size() > m_done) {
        m_bytes -= Footprint(m_steps.back());
        m_steps.pop_back();
    }
    step.open = step.group != 0;
    step.entries.shrink_to_fit();
    step.bytes.shrink_to_fit();
    m_bytes += Footprint(step);
    m_steps.push_back(std::move(step));
    m_pending = Step{};
    ++m_done;
    ++m_made;
    while (m_bytes > m_byteLimit && m_steps.size() > 1) {
        m_bytes -= Footprint(m_steps.front());
        m_steps.pop_front();
        --m_done;
    }
}

void CHistory::AddField(const CShowData& doc, unsigned table, const void* field, std::size_t size)
{
    Step& step = Current();
    const int at = static_cast<int>(static_cast<const unsigned char*>(field) - At(doc, 0));
    const int count = static_cast<int>(size);
    // Only the first write of a field keeps its old bytes; a cue move in between
    // puts another cue under the same bytes, so the search stops there.
    int looked = 0;
    for (auto e = step.entries.rbegin(); e != step.entries.rend() && looked < kRepeatWindow; ++e, ++looked) {
        if (e->kind != Entry::kField)
            break;
        if (e->at == at && e->count == count)
            return;
    }
    step.entries.push_back({Entry::kField, static_cast<unsigned char>(table), at, count, 0, step.bytes.size(), size});
    Append(step.bytes, field, size);
    step.tables |= table;
}

void CHistory::AddOpenedCues(const CShowData& doc, int n, int count, const int* sources)
{
    Step& step = Current();
    Entry e{Entry::kOpenedCues, kCueTable, n, count, sources != nullptr ? count : 0, step.bytes.size(), 0};
    if (sources != nullptr)
        Append(step.bytes, sources, sizeof(int) * count);
    // The slots pushed off the end hold no cue, but keep whatever bytes they have.
    for (int s = kCueSlots - count; s <= kLastCueSlot; ++s) {
        if (SlotIsBlank(doc, s))
            continue;
        const CCueSlot image = ReadSlot(doc, s);
        Append(step.bytes, &s, sizeof s);
        Append(step.bytes, &image, sizeof image);
    }
    e.size = step.bytes.size() - e.data;
    step.entries.push_back(e);
    step.tables |= kCueTable;
}

void CHistory::AddDeletedCue(const CShowData& doc, int n)
{
    Step& step = Current();
    step.entries.push_back({Entry::kDeletedCue, kCueTable, n, 1, 0, step.bytes.size(), sizeof(CCueSlot)});
    const CCueSlot image = ReadSlot(doc, n);
    Append(step.bytes, &image, sizeof image);
    step.tables |= kCueTable;
}

void CHistory::Apply(CShowData& doc, Step& step, bool undo)
{
    m_replaying = true;
    auto apply = [&](const Entry& e) {
        unsigned char* data = step.bytes.data() + e.data;
        switch (e.kind) {
        case Entry::kField:
            if (doc.m_changes != nullptr)
                doc.m_changes->Mark(doc, At(doc, e.at), static_cast<std::size_t>(e.count));
            // Swapping leaves in the step what the other direction needs.
            std::swap_ranges(data, data + e.count, At(doc, e.at));
            break;
        case Entry::kOpenedCues:
            if (undo && doc.m_changes != nullptr)
                doc.m_changes->MarkCuesFrom(doc, e.at);
            if (undo) {
                MoveSlots(doc, e.at + e.count, e.at, kCueSlots - e.at - e.count);
                for (int s = kCueSlots - e.count; s <= kLastCueSlot; ++s)
                    WriteSlot(doc, s, CCueSlot{});
                const std::size_t image = sizeof(int) + sizeof(CCueSlot);
                for (std::size_t p = sizeof(int) * e.sources; p + image <= e.size; p += image)
                    WriteSlot(doc, Take<int>(data + p), Take<CCueSlot>(data + p + sizeof(int)));
            } else if (e.sources > 0) {
                std::vector<int> sources(static_cast<std::size_t>(e.sources));
                std::memcpy(sources.data(), data, sizeof(int) * e.sources);
                doc.PasteCues(e.at, sources.data(), e.count);
            } else {
                doc.InsertCues(e.at, e.count);
            }
            break;
        case Entry::kDeletedCue:
            if (undo && doc.m_changes != nullptr)
                doc.m_changes->MarkCuesFrom(doc, e.at);
            if (undo) {
                MoveSlots(doc, e.at, e.at + 1, kLastCueSlot - e.at);
                WriteSlot(doc, e.at, Take<CCueSlot>(data));
            } else {
                doc.DeleteCue(e.at);
            }
            break;
        }
    };
    if (undo)
        std::for_each(step.entries.rbegin(), step.entries.rend(), apply);
    else
        std::for_each(step.entries.begin(), step.entries.end(), apply);
    m_replaying = false;
}

// A field written back to what it held changed nothing and is let go, unless another
// field of the step shares its bytes (then the order of the two still matters).
void CHistory::DropUnchanged(const CShowData& doc, Step& step)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < step.entries.size(); ++i) {
        if (step.entries[i].kind != Entry::kField)
            return;
        order.push_back(i);
    }
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return step.entries[a].at < step.entries[b].at; });
    std::vector<bool> shared(step.entries.size(), false);
    int reach = -1;
    std::size_t reacher = 0;
    for (std::size_t i : order) {
        const Entry& e = step.entries[i];
        if (e.at < reach)
            shared[i] = shared[reacher] = true;
        if (e.at + e.count > reach) {
            reach = e.at + e.count;
            reacher = i;
        }
    }
    std::vector<Entry> kept;
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < step.entries.size(); ++i) {
        Entry e = step.entries[i];
        if (!shared[i] && std::memcmp(step.bytes.data() + e.data, At(doc, e.at), e.size) == 0)
            continue;
        Append(bytes, step.bytes.data() + e.data, e.size);
        e.data = bytes.size() - e.size;
        kept.push_back(e);
    }
    if (kept.size() == step.entries.size())
        return;
    step.entries = std::move(kept);
    step.bytes = std::move(bytes);
    step.tables = 0;
    for (const Entry& e : step.entries)
        step.tables |= e.table;
}

std::size_t CHistory::Footprint(const Step& step)
{
    const std::size_t label = step.label.capacity() > 15 ? step.label.capacity() + 1 : 0;
    return sizeof(Step) + label + step.entries.capacity() * sizeof(Entry) + step.bytes.capacity();
}

CChange::CChange(CShowData& doc, std::string label, std::uint64_t group)
    : m_doc(doc)
{
    CHistory* history = doc.m_history;
    if (history == nullptr || !history->Begin(std::move(label), group))
        return;
    m_history = history;
    m_outer = history->m_depth == 1;
}

CChange::~CChange()
{
    if (m_history != nullptr)
        m_history->End(m_doc);
}

void CChange::Places(CPlace before, CPlace after)
{
    if (m_history == nullptr || !m_outer)
        return;
    CHistory::Step& step = m_history->Current();
    if (!m_history->m_gathering) {
        step.before = before;
        step.after = after;
        return;
    }
    // A gathered step goes back to where its gesture began; a joined one keeps its
    // own places and learns the cue of the change that joined it.
    auto fill = [](CPlace& place, const CPlace& more, bool replace) {
        for (auto field : {&CPlace::cue, &CPlace::record, &CPlace::step})
            if (more.*field != 0 && (replace || place.*field == 0))
                place.*field = more.*field;
    };
    fill(step.before, before, false);
    fill(step.after, after, true);
}

void CChange::Changed(const void* field, std::size_t size)
{
    if (m_doc.m_changes != nullptr)
        m_doc.m_changes->Mark(m_doc, field, size);
}

void CChange::OpenedCues(int n, int count, const int* sources)
{
    if (m_doc.m_changes != nullptr)
        m_doc.m_changes->MarkCuesFrom(m_doc, n);
    if (m_history != nullptr)
        m_history->AddOpenedCues(m_doc, n, count, sources);
}

void CChange::DeletedCue(int n)
{
    if (m_doc.m_changes != nullptr)
        m_doc.m_changes->MarkCuesFrom(m_doc, n);
    if (m_history != nullptr)
        m_history->AddDeletedCue(m_doc, n);
}

void CChange::StepRecord(int r)
{
    if (r < 0 || r >= kStepRecords)
        return;
    Field(kStepTable, m_doc.m_stepChase[r]);
    Field(kStepTable, m_doc.m_stepText[r]);
    Field(kStepTable, m_doc.m_stepNumber[r]);
    Field(kStepTable, m_doc.m_stepTierLamps[r]);
    Field(kStepTable, m_doc.m_stepChestLamps[r]);
    Field(kStepTable, m_doc.m_stepOutlineLamps[r]);
}
