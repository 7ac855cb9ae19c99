#pragma once
// The one show document: cues, light step records, layout, colours and run state,
// all in fixed arrays so nothing about a show is ever allocated.

#include "document/FileCheck.h"

#include <string>
#include <vector>

class CHistory;
struct CLayout;
class CSerialPort;
class CShowChanges;
class IOperator;
class IRepaint;

// Table sizes. Slot 0 and record 0 are never used.
constexpr int kCueSlots = 7500;
constexpr int kStepRecords = 5000;
constexpr int kTiers = 18;
constexpr int kCircuits = 6;
constexpr int kColors = 18;
constexpr int kLevels = 101;
constexpr int kChannels = 14;
constexpr int kNameSize = 100;
constexpr int kFileNameSize = 200;
constexpr int kPortNameSize = 200;  // 199 bytes: room for a /dev/serial/by-id/ name
constexpr int kFrameBufferSize = 64;

// What the first run tells the operator when it was given no number of tiers.
inline constexpr const char* kNothingSetUpText =
    "Nothing was set up: no number of tiers was given.\nThe questions come again at the next start.";

// Channel indexes, in the order cues, engine and frames share.
enum Channel {
    kStar = 0, kCross = 1, kAux1 = 2, kAux2 = 3, kAux3 = 4, kAux4 = 5,
    kColor1 = 6, kColor2 = 7, kColor3 = 8, kColor4 = 9, kColor5 = 10, kColor6 = 11,
    kChest = 12, kOutline = 13
};

// Lamp groups of the chase editor's grid. A tier lamp's index is tier x 10 + column.
enum LampGroup { kChestGroup = 0, kOutlineGroup = 1, kTierGroup = 2 };

// A step's lamp setup as the chase editor copies it: chest rail 1..6, outline
// 1..6, then the tiers from tier 1, six columns each.
constexpr int kLightSetupSize = 2 * kCircuits + kTiers * kCircuits;

struct CRect {
    int left, top, right, bottom;
};

// A solid colour; the screens turn it into a real brush. `made` is false for a
// colour index the layout file never defined.
struct CBrush {
    unsigned char red, green, blue;
    bool made;
};

// The numbers of a cue the parameter panel sets one by one.
enum class CueValue { kFadeTime, kChaseSpeed, kRunCount, kActiveTime };

// Outcome of pasting copied cues; anything but kPasted changed nothing.
enum class CuePaste {
    kPasted,
    kNoRoom,     // a named cue would be pushed past the last slot
    kNoSuchCue,  // a source is not a cue of the list (any more)
};

class CShowData {
public:
    CShowData() = default;
    virtual ~CShowData() = default;
    CShowData(const CShowData&) = delete;
    CShowData& operator=(const CShowData&) = delete;

    // --- table operations (document/ShowTables.cpp)
    // Clearing a table also lets go of its undo history: those steps belong to
    // a list that is gone.
    void ClearCues();
    void ClearChases();
    int FindFreeCue() const;
    int FindFreeStepRecord() const;
    // kind "cue": "%d %s" per named slot; kind "chase": the name of every step-1 record.
    void FillNameList(std::vector<std::string>& list, const char* kind) const;

    // --- cue editing (document/CueEdits.cpp). Every change the cue editor makes
    // goes through one of these, and each is recorded in m_history as a step.
    // Slots outside 1..7499 are never read or written: such calls change nothing.
    // Opens a default cue at slot n, moving n.. up one; false and nothing changed
    // when a named cue would be pushed past the last slot.
    bool InsertCue(int n);
    // As `count` InsertCue(n) calls, moving every later slot once.
    bool InsertCues(int n, int count);
    // Pastes copies of the cues `sources` (numbers before the paste) at n..n+count-1.
    CuePaste PasteCues(int n, const int* sources, int count);
    void DeleteCue(int n);
    void CopyCue(int from, int to);
    // False, and the name kept, for an empty name (a nameless slot is no cue) or one
    // holding a "|" or a line break (the cue list file would write another name).
    bool RenameCue(int cue, const char* name);
    void SetCueLevel(int cue, int channel, int level);  // clamped to 0..100
    void SetCueValue(int cue, CueValue value, int number);
    void SetCueChase(int cue, const char* chase);
    void SetCueForward(int cue, bool forward);
    // A number that stays with cue `cue` wherever inserts, deletes, undo and redo
    // move it (m_cueMark; the cue editor's copy list follows its cues by it); 0 for no cue.
    int FollowCue(int cue);

    // --- files (document/)
    // False when the layout file was not read. `nothingSetUp` is then true when
    // the file was missing and the first run, given no tier count, wrote nothing.
    bool LoadLayout(bool* nothingSetUp = nullptr);
    // False when the file could not be written; the operator has been told why.
    bool SaveLayout();
    // False, and nothing written, when the text does not start with a tier count of 1 or more.
    bool FirstRunSetup(const char* text);
    void LoadFile(const char* kind);
    void SaveFile(const char* kind);
    // Saves the list, asks for another and loads it. False, and nothing changed, when the list could
    // not be saved and the operator kept it, or the file chosen lies where it could never be saved.
    bool LoadCueList();
    // Saves the list under a name the operator chooses; the list takes that name
    // only when the save succeeded.
    void SaveCueListAs();
    // Saves the list, asks for the new list's file and writes an empty list there,
    // then empties the cue table. False when cancelled or when either save failed:
    // the list and its file name stay as they were.
    bool NewCueList();

    // --- the structure's layout (document/LayoutChange.cpp)
    void CopyLayout(CLayout& layout) const;
    // Takes over an edited layout and saves the layout file. A new tier count names
    // another chase library: the chases in use are saved to their own first, a
    // missing new library starts as a copy of them, and of an existing one the
    // operator chooses whether its chases or the ones in use stay. False, with the
    // layout and the library as they were, when the layout has a problem
    // (LayoutProblem) or a file could not be written or read.
    bool ChangeLayout(const CLayout& layout);

    // --- engine (engine/)
    void LoadChase(const char* name);
    int FindChaseHead(const char* name) const;
    void NextStep();
    void PreviousStep();
    void StartCue(int cue);
    void Tick(IRepaint* window);
    void NextCue();
    void PreviousCue();
    void AutoAdvance();
    // Record index of the light step the tree shows now (0 = all dark).
    int CurrentStepRecord() const;

    // --- light step editing (document/StepEditing.cpp), on the loaded chase's current step.
    // Each refuses, changes nothing and returns false when there is nothing sound to change.
    // Whether the row of a lamp is configured; false for an address outside the grid.
    bool LampRowPresent(int group, int index) const;
    // The current step's byte of a lamp; 0 when no step is on display.
    int LampState(int group, int index) const;
    bool ToggleLamp(int group, int index);
    bool SetLamp(int group, int index, int value);
    // Every lamp of the configured rows on (or off).
    bool SetAllLamps(int value);
    void CopyLightSetup(unsigned char (&setup)[kLightSetupSize]) const;
    bool PasteLightSetup(const unsigned char (&setup)[kLightSetupSize]);
    // A copy of the step before `step` goes in at `step` (behind step 1 when `step` is 1);
    // the step on display becomes `step`. False when no record is free.
    bool InsertStep(int step);
    // Removes `step` (never step 1); the step before it goes on display.
    bool DeleteStep(int step);
    // Name, text and lamps of step `from` onto step `to`; step numbers stay.
    bool CopyStep(int fromStep, int toStep);

    // --- chase list editing (document/ChaseEditing.cpp)
    // Loads "Blank Chase", making it with every lamp off unless a chase of that name
    // exists. False when no record is free.
    bool NewChase();
    // Frees every record of the loaded chase; no chase stays loaded.
    void DeleteChase();
    // Gives the loaded chase a new name. Refused (false) for a blank name, one another
    // chase has, or one holding a "|" or a line break (the library file would write
    // another name), so no chase is ever freed or merged by a rename.
    bool RenameChase(const char* newName);
    // Copies the loaded chase under a name no chase has and loads the copy; its name
    // goes to `copyName`. False when there are not enough free records.
    bool CopyChase(char (&copyName)[kNameSize]);
    // Whether a chase of exactly that name exists, not counting chase `except`.
    bool ChaseExists(const char* name, const char* except = nullptr) const;
    // Name of the loaded chase (its step 1), "" when none is loaded.
    const char* LoadedChaseName() const;

    // --- grand master and blackout (engine/GrandMaster.cpp)
    // The grand master, 0..100 (values outside are clamped). A change only marks the
    // tree's levels stale: a tick sends them once kStaleTicks ticks have run since the
    // last channel sequence, so a fader moved during the show cannot flood the line.
    void SetMaster(int percent);
    // Blackout on or off; a change sends the channel sequence with the next tick.
    void SetBlackout(bool on);
    // A channel target as the tree gets it: level * master / 100, 0 in a blackout.
    int SentLevel(int level) const;
    // The console's own level of a channel as the picture draws it, scaled the same way.
    int ShownLevel(int channel) const;
    // Sends what is pending now, outside the tick (a blackout while the show is held).
    void SendPendingNow();
    // Tick counts itself first, and before it sends turns a stale mark into
    // m_sendPending when due; a cue a tick starts by itself restarts the count.
    void CountTickForMaster();
    void MarkStaleLevelsDue();
    static constexpr int kStaleTicks = 3;

    // --- tree link (link/)
    void SendFrames(const char* kind);
    const char* ReadPortConfig(int tree);
    bool WritePortConfig();

    // File names and window positions
    char m_savedDir[2024];
    CRect m_mainWindowRect;
    CRect m_cueWindowRect;
    CRect m_chaseWindowRect;
    char m_chaseFileName[kFileNameSize];
    char m_cueFileName[kFileNameSize];
    char m_selectedChaseList[kFileNameSize];

    // Cue table
    char m_cueName[kCueSlots][kNameSize];
    char m_cueChase[kCueSlots][kNameSize];
    int m_cueFadeTime[kCueSlots];
    int m_cueActiveTime[kCueSlots];
    int m_cueChaseSpeed[kCueSlots];
    int m_cueRunCount[kCueSlots];
    bool m_cueForward[kCueSlots];
    int m_cueLevel[kChannels][kCueSlots];
    // The number FollowCue gave the cue of each slot (0: none); it moves with the slot.
    int m_cueMark[kCueSlots];
    int m_lastCueMark;

    // Light step records
    char m_stepChase[kStepRecords][kNameSize];
    char m_stepText[kStepRecords][kNameSize];
    int m_stepNumber[kStepRecords];
    unsigned char m_stepTierLamps[kStepRecords][kTiers][kCircuits];
    unsigned char m_stepChestLamps[kStepRecords][kCircuits];
    unsigned char m_stepOutlineLamps[kStepRecords][kCircuits];

    // Layout of the lamp structure; tier t lives at index t-1.
    int m_tierCount;
    bool m_tierPresent[kTiers];
    int m_tierColor[kTiers][kCircuits];
    bool m_chestPresent;
    int m_chestColor[kCircuits];
    bool m_outlinePresent;
    int m_outlineColor[kCircuits];
    bool m_starPresent;
    int m_starColor;
    bool m_crossPresent;
    int m_crossColor;
    bool m_demoMode;

    // Colour table
    int m_colorRed[kColors];
    int m_colorGreen[kColors];
    int m_colorBlue[kColors];
    CBrush m_levelBrush[kColors][kLevels];
    int m_pictureLeft, m_pictureTop, m_pictureRight, m_pictureBottom;
    char m_text[2000];

    // Run state of the engine
    int m_currentCue;
    int m_currentChase;
    int m_activeTimeLeft;
    int m_chaseStep;
    int m_chaseStepCount;
    int m_chaseStepRecord[kStepRecords];
    int m_runCountLeft;
    bool m_chaseRunning;
    int m_chaseSpeed;
    int m_chaseSpeedCounter;
    int m_level[kChannels];
    int m_levelStep[kChannels];
    int m_fadeTicks[kChannels];
    int m_fadeTicksLeft[kChannels];

    // Console and tree link state
    bool m_running;
    bool m_sendTreeSignals;
    bool m_sendBusy;
    bool m_sendPending;
    unsigned char m_frameBuffer[kFrameBufferSize];
    bool m_autoAdvance;
    bool m_advanceForward;
    char m_tree1PortName[kPortNameSize];
    char m_tree2PortName[kPortNameSize];
    // Whether Tree 1 / Tree 2 took the last transmission whole (false when it was
    // skipped or its line gave up), so the status line never claims what did not happen.
    bool m_treeTookFrames[2];
    // Set by ReadPortConfig when the file named a port longer than a name may be:
    // that tree's name is left empty instead of cut, and the start-up says so.
    bool m_portNameTooLong[2];

    // Grand master (percent, 100 at every start), blackout, and the stale mark with
    // the ticks run since the last channel sequence (counted up to kStaleTicks).
    int m_master = 100;
    bool m_blackout;
    bool m_masterStale;
    int m_ticksSinceChannels;
    // Editing locked: the console opens no editor, layout screen or port setup.
    // Kept in the layout file as a line of its own, written only while locked.
    bool m_editingLocked;

    // What the last read of each file found; its save goes by it.
    CFileCheck m_layoutCheck;
    CFileCheck m_chaseCheck;
    CFileCheck m_cueCheck;
    CFileCheck m_portCheck;

    // Edges the core is handed: the two ports, the person at the console and the
    // editors' undo history (none: changes are not recorded).
    CSerialPort* m_tree1Port;
    CSerialPort* m_tree2Port;
    IOperator* m_operator;
    CHistory* m_history;
    // What the recovery copy has yet to take (none: no copy follows the show).
    CShowChanges* m_changes = nullptr;
};
