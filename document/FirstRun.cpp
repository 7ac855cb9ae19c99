#include "document/LineReader.h"
#include "document/Operator.h"
#include "document/ShowData.h"

namespace {

// With nobody at the console every question is answered No.
bool AskYesNo(IOperator* person, const char* question)
{
    return person != nullptr && person->Ask(question, "Question");
}

}  // namespace

bool CShowData::FirstRunSetup(const char* text)
{
    // A layout without tiers could never be mended from any screen: without a
    // number nothing is written, and the next start asks again.
    int tiers = LeadingNumber(text != nullptr ? text : "");
    if (tiers < 1) {
        if (m_operator != nullptr)
            m_operator->Message(kNothingSetUpText, "NOTICE");
        return false;
    }
    bool star = AskYesNo(m_operator, "Do you have a Star?");
    bool cross = AskYesNo(m_operator, "Do you have a Cross?");
    bool chest = AskYesNo(m_operator, "Do you have the Chase Lights?");
    bool outline = AskYesNo(m_operator, "Do you have the Outline Lights?");

    static const int kFirstRunTierColors[kCircuits] = {1, 2, 3, 5, 0, 0};
    for (int t = 1; t <= kTiers; ++t) {
        m_tierPresent[t - 1] = t <= tiers;
        if (t <= tiers)
            for (int k = 0; k < kCircuits; ++k)
                m_tierColor[t - 1][k] = kFirstRunTierColors[k];
    }
    m_crossPresent = cross;
    if (cross)
        m_crossColor = 4;
    m_starPresent = star;
    if (star)
        m_starColor = 0;
    m_chestPresent = chest;
    if (chest)
        for (int& c : m_chestColor)
            c = 0;
    m_outlinePresent = outline;
    if (outline)
        for (int& c : m_outlineColor)
            c = 0;
    SaveLayout();
    return true;
}
