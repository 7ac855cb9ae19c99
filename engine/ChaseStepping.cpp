#include "document/ShowData.h"

#include <climits>
#include <cstring>

namespace {

// A chase name as the scans compare it: the bytes up to and including its end,
// never more than a name field holds, so an unterminated field is never read past
// its end. Comparing a known length lets the pool scan use memcmp.
struct NameKey {
    const char* text;
    std::size_t bytes;
};

NameKey KeyOf(const char* name)
{
    const std::size_t len = strnlen(name, kNameSize);
    return {name, len < kNameSize ? len + 1 : kNameSize};
}

bool SameName(const char* field, const NameKey& key)
{
    return std::memcmp(field, key.text, key.bytes) == 0;
}

// Called once a step went past an end and was clamped there: count a run and wrap,
// or leave the chase standing on its end step.
void ApplyEndRule(CShowData& d)
{
    if (d.m_running) {
        if (!d.m_chaseRunning)
            return;
        if (d.m_runCountLeft != 20) {
            if (d.m_runCountLeft != INT_MIN)
                --d.m_runCountLeft;
            if (d.m_runCountLeft < 0)
                d.m_chaseRunning = false;
        }
        if (!d.m_chaseRunning)
            return;
    }
    d.m_chaseStep = (d.m_chaseStep == 1) ? d.m_chaseStepCount : 1;
}

}  // namespace

void CShowData::LoadChase(const char* name)
{
    std::memset(m_chaseStepRecord, 0, sizeof m_chaseStepRecord);
    m_chaseStepCount = 0;
    if (name != nullptr && name[0] != '\0') {
        // A free record (empty name) belongs to no chase, so "" maps nothing.
        const NameKey key = KeyOf(name);
        // Record 0 is never used; step 0 marks a chase head, which has no place in
        // the map, and numbers past the table are ignored rather than written.
        for (int r = 1; r < kStepRecords; ++r) {
            const int step = m_stepNumber[r];
            if (step < 1 || step >= kStepRecords || !SameName(m_stepChase[r], key))
                continue;
            m_chaseStepRecord[step] = r;
            if (step > m_chaseStepCount)
                m_chaseStepCount = step;
        }
    }
    m_chaseStep = 1;
}

int CShowData::FindChaseHead(const char* name) const
{
    if (name == nullptr)
        return 0;
    const NameKey key = KeyOf(name);
    for (int r = 1; r < kStepRecords; ++r)
        if (m_stepNumber[r] == 0 && SameName(m_stepChase[r], key))
            return r;
    return 0;
}

void CShowData::NextStep()
{
    // Compared before adding so a stray huge step number cannot overflow.
    if (m_chaseStep >= m_chaseStepCount) {
        m_chaseStep = m_chaseStepCount;
        ApplyEndRule(*this);
    } else {
        ++m_chaseStep;
    }
}

void CShowData::PreviousStep()
{
    if (m_chaseStep <= 1) {
        m_chaseStep = 1;
        ApplyEndRule(*this);
    } else {
        --m_chaseStep;
    }
}

int CShowData::CurrentStepRecord() const
{
    if (m_chaseStep < 0 || m_chaseStep >= kStepRecords)
        return 0;
    const int record = m_chaseStepRecord[m_chaseStep];
    return (record < 0 || record >= kStepRecords) ? 0 : record;
}
