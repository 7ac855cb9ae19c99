#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"

#include <cstring>
#include <string>

namespace {

const char kDefaultCueList[] = "default.cue";

// Cancel, no operator, or a path too long for the name field all fall back to
// the default list: a cut path would name some other file.
// True when the chosen path became the current name.
bool TakeChosenName(CShowData& doc, bool chosen, const std::string& path)
{
    if (chosen && !path.empty() && path.size() < sizeof doc.m_cueFileName) {
        std::strcpy(doc.m_cueFileName, path.c_str());
        return true;
    }
    std::strcpy(doc.m_cueFileName, kDefaultCueList);
    return false;
}

}  // namespace

void CShowData::LoadCueList()
{
    if (std::strlen(m_cueFileName) > 2)
        SaveFile("cue");
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseOpenFile(ProgramDir(), path);
    TakeChosenName(*this, chosen, path);
    LoadFile("cue");
}

void CShowData::SaveCueListAs()
{
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseSaveFile(ProgramDir(), path);
    if (TakeChosenName(*this, chosen, path))
        SaveFile("cue");
}

bool CShowData::NewCueList()
{
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseSaveFile(ProgramDir(), path);
    if (!chosen || path.empty() || path.size() >= sizeof m_cueFileName)
        return false;
    ClearCues();
    std::strcpy(m_cueFileName, path.c_str());
    SaveFile("cue");
    return true;
}
