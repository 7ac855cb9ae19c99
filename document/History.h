#pragma once
// The editors' undo history: every change made to the cue table or the light step
// records, kept as steps that can be taken back and made again in order. A step
// holds what its change overwrote (the bytes of the fields it wrote, the slots a
// move pushed out), never copies of whole tables, and swaps them back on undo.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class CShowData;

// The tables a change can touch.
enum HistoryTable : unsigned { kCueTable = 1, kStepTable = 2 };

// Where the operator was, so a screen can show what an undo or redo restored.
struct CPlace {
    int cue = 0;     // cue to select; 0 selects none
    int record = 0;  // a light step record of the chase to show; 0 none
    int step = 0;    // step of that chase to show
};

// What Undo or Redo did.
struct CStepDone {
    bool done = false;
    unsigned tables = 0;  // HistoryTable bits of the step
    CPlace place;         // where the restored state is to be seen
};

class CHistory {
public:
    // Past this many bytes the oldest steps are let go, so an evening of edits
    // can never take the console's memory.
    static constexpr std::size_t kDefaultByteLimit = std::size_t{64} << 20;

    explicit CHistory(std::size_t byteLimit = kDefaultByteLimit);
    CHistory(const CHistory&) = delete;
    CHistory& operator=(const CHistory&) = delete;

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // What Undo or Redo would do, for example "Delete Cue 5"; empty when nothing.
    std::string UndoText() const;
    std::string RedoText() const;
    CStepDone Undo(CShowData& doc);
    CStepDone Redo(CShowData& doc);
    // Ends the step that is gathering a gesture (a name being typed, a slider
    // being dragged): the next change starts a step of its own.
    void Seal();
    // Lets go of every change to `table` (a new cue list replaced the cue table),
    // keeping the steps of the other table.
    void Forget(unsigned table);
    // The next change, if it comes before JoinNext(false), joins the last step
    // instead of making one of its own: a change that follows from that step (a cue
    // whose chase was deleted falling back to another) goes back with it.
    void JoinNext(bool join) { m_joinNext = join; }
    std::size_t Steps() const { return m_steps.size(); }
    // Counts every step ever made, so a caller can tell whether any was made meanwhile.
    std::uint64_t StepsMade() const { return m_made; }
    std::size_t BytesHeld() const { return m_bytes; }

private:
    friend class CChange;

    struct Entry {
        enum Kind : unsigned char { kField, kOpenedCues, kDeletedCue } kind;
        unsigned char table;
        int at;              // field: offset in the document; cue entries: first slot
        int count;           // field: bytes; opened cues: slots
        int sources;         // opened cues: source numbers kept (0: default cues)
        std::size_t data;    // where its bytes start in the step's pool
        std::size_t size;
    };
    struct Step {
        std::string label;
        std::uint64_t group = 0;  // changes of one group gather in one step until sealed
        bool open = false;
        unsigned tables = 0;
        CPlace before, after;
        std::vector<Entry> entries;
        std::vector<unsigned char> bytes;
    };

    bool Begin(std::string&& label, std::uint64_t group);
    void End(const CShowData& doc);
    Step& Current() { return m_gathering ? m_steps.back() : m_pending; }
    void AddField(const CShowData& doc, unsigned table, const void* field, std::size_t size);
    void AddOpenedCues(const CShowData& doc, int n, int count, const int* sources);
    void AddDeletedCue(const CShowData& doc, int n);
    void Apply(CShowData& doc, Step& step, bool undo);
    static void DropUnchanged(const CShowData& doc, Step& step);
    static std::size_t Footprint(const Step& step);

    std::size_t m_byteLimit;
    std::deque<Step> m_steps;
    std::size_t m_done = 0;  // steps 0..m_done-1 are in effect; the rest can be redone
    std::size_t m_bytes = 0;
    Step m_pending;
    bool m_gathering = false;  // the change adds to the last step instead of m_pending
    bool m_joinNext = false;
    std::uint64_t m_made = 0;
    int m_depth = 0;
    bool m_replaying = false;
};

// One change of the document, recorded from construction to destruction as a
// step of the document's history (when it has one). A change made inside another
// belongs to the outer one's step. Register every field before writing it.
class CChange {
public:
    // Changes with the same non-zero group gather in one step until it is sealed.
    CChange(CShowData& doc, std::string label, std::uint64_t group = 0);
    ~CChange();
    CChange(const CChange&) = delete;
    CChange& operator=(const CChange&) = delete;

    // Where undo and redo of this change leave the operator.
    void Places(CPlace before, CPlace after);
    template <class T>
    void Field(HistoryTable table, const T& field)
    {
        Changed(&field, sizeof field);
        if (m_history != nullptr)
            m_history->AddField(m_doc, table, &field, sizeof field);
    }
    // Before InsertCues or PasteCues opens `count` slots at n.
    void OpenedCues(int n, int count, const int* sources);
    // Before DeleteCue removes slot n.
    void DeletedCue(int n);
    // Every field of light step record r, before any is written.
    void StepRecord(int r);

private:
    // Tells the recovery copy, which follows every change whether or not it is recorded.
    void Changed(const void* field, std::size_t size);

    const CShowData& m_doc;
    CHistory* m_history = nullptr;  // null when nothing is recorded
    bool m_outer = false;
};

// printf-style label text for a step.
std::string StepLabel(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes the operator makes over and over to one field (typing a name, dragging a
// level) gather into one step per field and cue or chase: these are their groups.
enum GatheredField : std::uint64_t { kCueNameField = 1, kLevelField, kActiveTimeField, kChaseNameField };
inline std::uint64_t Gathered(GatheredField field, int where, int index = 0)
{
    return field << 40 | static_cast<std::uint64_t>(index) << 20 | static_cast<std::uint64_t>(where);
}

// Where the chase editor stands: the loaded chase (by its first record) and the step on display.
CPlace ChaseOnDisplay(const CShowData& doc);
