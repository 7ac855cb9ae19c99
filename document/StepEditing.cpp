// Editing the light steps of the loaded chase: single lamps, whole setups, and
// inserting, deleting and copying steps.
#include "document/History.h"
#include "document/LineReader.h"
#include "document/ShowData.h"

#include <cstring>

namespace {

// The step the editor writes: the one on display, when it is a record in use.
// Record 0 stands for "no step" everywhere and must stay dark and nameless.
int StepOnDisplay(const CShowData& d)
{
    const int r = d.CurrentStepRecord();
    return r > 0 && d.m_stepChase[r][0] != '\0' ? r : 0;
}

template <class Show>
auto LampByte(Show& d, int record, int group, int index) -> decltype(&d.m_stepChestLamps[0][0])
{
    if (group == kChestGroup && index >= 1 && index <= kCircuits)
        return &d.m_stepChestLamps[record][index - 1];
    if (group == kOutlineGroup && index >= 1 && index <= kCircuits)
        return &d.m_stepOutlineLamps[record][index - 1];
    const int tier = index / 10, column = index % 10;
    if (group == kTierGroup && tier >= 1 && tier <= kTiers && column >= 1 && column <= kCircuits)
        return &d.m_stepTierLamps[record][tier - 1][column - 1];
    return nullptr;
}

// Position `i` of a light setup as a lamp address.
void SetupAddress(int i, int& group, int& index)
{
    if (i < kCircuits) {
        group = kChestGroup;
        index = i + 1;
    } else if (i < 2 * kCircuits) {
        group = kOutlineGroup;
        index = i - kCircuits + 1;
    } else {
        const int tierLamp = i - 2 * kCircuits;
        group = kTierGroup;
        index = (tierLamp / kCircuits + 1) * 10 + tierLamp % kCircuits + 1;
    }
}

bool ValidStep(int step)
{
    return step >= 1 && step < kStepRecords;
}

std::string LampLabel(int group, int index)
{
    if (group == kChestGroup)
        return StepLabel("Lamp %d of Chest Rail", index);
    if (group == kOutlineGroup)
        return StepLabel("Lamp %d of Outline", index);
    return StepLabel("Lamp %d of Tier %d", index % 10, index / 10);
}

}  // namespace

bool CShowData::LampRowPresent(int group, int index) const
{
    if (LampByte(*this, 0, group, index) == nullptr)
        return false;
    if (group == kChestGroup)
        return m_chestPresent;
    if (group == kOutlineGroup)
        return m_outlinePresent;
    return m_tierPresent[index / 10 - 1];
}

int CShowData::LampState(int group, int index) const
{
    const unsigned char* byte = LampByte(*this, StepOnDisplay(*this), group, index);
    return byte != nullptr ? *byte : 0;
}

bool CShowData::ToggleLamp(int group, int index)
{
    return SetLamp(group, index, LampState(group, index) == 0);
}

bool CShowData::SetLamp(int group, int index, int value)
{
    const int r = StepOnDisplay(*this);
    if (r == 0 || !LampRowPresent(group, index))
        return false;
    unsigned char* lamp = LampByte(*this, r, group, index);
    CChange change(*this, LampLabel(group, index));
    change.Places(ChaseOnDisplay(*this), ChaseOnDisplay(*this));
    change.Field(kStepTable, *lamp);
    *lamp = value != 0 ? 1 : 0;
    return true;
}

bool CShowData::SetAllLamps(int value)
{
    unsigned char setup[kLightSetupSize];
    std::memset(setup, value != 0 ? 1 : 0, sizeof setup);
    CChange change(*this, value != 0 ? "All Lights On" : "All Lights Off");
    change.Places(ChaseOnDisplay(*this), ChaseOnDisplay(*this));
    return PasteLightSetup(setup);
}

void CShowData::CopyLightSetup(unsigned char (&setup)[kLightSetupSize]) const
{
    for (int i = 0; i < kLightSetupSize; ++i) {
        int group = 0, index = 0;
        SetupAddress(i, group, index);
        setup[i] = static_cast<unsigned char>(LampState(group, index));
    }
}

bool CShowData::PasteLightSetup(const unsigned char (&setup)[kLightSetupSize])
{
    if (StepOnDisplay(*this) == 0)
        return false;
    CChange change(*this, "Paste Light Setup");
    change.Places(ChaseOnDisplay(*this), ChaseOnDisplay(*this));
    for (int i = 0; i < kLightSetupSize; ++i) {
        int group = 0, index = 0;
        SetupAddress(i, group, index);
        SetLamp(group, index, setup[i]);  // rows not configured keep their bytes
    }
    return true;
}

bool CShowData::InsertStep(int step)
{
    const int head = m_chaseStepRecord[1];
    // The last step must still fit the step map once everything moves up.
    if (head == 0 || step < 1 || step > m_chaseStepCount || m_chaseStepCount >= kStepRecords - 1)
        return false;
    const int r = FindFreeStepRecord();
    if (r == 0)
        return false;
    const int at = step == 1 ? 2 : step;
    char name[kNameSize];
    CopyCut(name, kNameSize, m_stepChase[head]);
    CChange change(*this, StepLabel("Insert Step %d in %s", at, name));
    change.Places(ChaseOnDisplay(*this), {0, head, step});
    for (int k = 1; k < kStepRecords; ++k) {
        const int moved = m_chaseStepRecord[k];
        if (moved != 0 && m_stepNumber[moved] >= at) {
            change.Field(kStepTable, m_stepNumber[moved]);
            ++m_stepNumber[moved];
        }
    }
    change.StepRecord(r);
    CopyCut(m_stepChase[r], kNameSize, name);
    CopyCut(m_stepText[r], kNameSize, "none");
    m_stepNumber[r] = at;
    LoadChase(name);
    CopyStep(at - 1, at);
    m_chaseStep = step;
    return true;
}

bool CShowData::DeleteStep(int step)
{
    // Step 1 stands for the chase; it goes only with the whole chase.
    if (step <= 1 || !ValidStep(step) || m_chaseStepRecord[step] == 0 || m_chaseStepRecord[1] == 0)
        return false;
    const int r = m_chaseStepRecord[step];
    char name[kNameSize];
    CopyCut(name, kNameSize, m_stepChase[m_chaseStepRecord[1]]);
    CChange change(*this, StepLabel("Delete Step %d of %s", step, name));
    change.Places(ChaseOnDisplay(*this), {0, m_chaseStepRecord[1], step - 1});
    change.StepRecord(r);
    m_stepChase[r][0] = '\0';
    m_stepText[r][0] = '\0';
    m_stepNumber[r] = 0;
    for (int k = 1; k < kStepRecords; ++k) {
        const int moved = m_chaseStepRecord[k];
        if (moved != 0 && moved != r && m_stepNumber[moved] > step) {
            change.Field(kStepTable, m_stepNumber[moved]);
            --m_stepNumber[moved];
        }
    }
    LoadChase(name);
    m_chaseStep = step - 1;
    return true;
}

bool CShowData::CopyStep(int fromStep, int toStep)
{
    if (!ValidStep(fromStep) || !ValidStep(toStep))
        return false;
    const int from = m_chaseStepRecord[fromStep];
    const int to = m_chaseStepRecord[toStep];
    if (from == 0 || to == 0)
        return false;
    CChange change(*this, StepLabel("Copy Step %d to %d", fromStep, toStep));
    change.Places(ChaseOnDisplay(*this), ChaseOnDisplay(*this));
    change.StepRecord(to);
    std::memcpy(m_stepChase[to], m_stepChase[from], kNameSize);
    std::memcpy(m_stepText[to], m_stepText[from], kNameSize);
    std::memcpy(m_stepOutlineLamps[to], m_stepOutlineLamps[from], sizeof m_stepOutlineLamps[0]);
    std::memcpy(m_stepChestLamps[to], m_stepChestLamps[from], sizeof m_stepChestLamps[0]);
    std::memcpy(m_stepTierLamps[to], m_stepTierLamps[from], sizeof m_stepTierLamps[0]);
    return true;
}
