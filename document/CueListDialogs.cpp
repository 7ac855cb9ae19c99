#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"

#include <cstring>
#include <string>

namespace {

const char kDefaultCueList[] = "default.cue";

// A name typed without an extension gets ".cue", as the dialogs' default
// extension: a list saved as "myshow" is then one the "*.cue" filter lists.
std::string WithCueExtension(std::string path)
{
    const size_t name = path.find_last_of('/') + 1;  // 0 when there is no directory part
    if (!path.empty() && name < path.size() && path.find('.', name) == std::string::npos)
        path += ".cue";
    return path;
}

// Cancel, no operator, or a path too long for the name field open the default
// list: a cut path would name some other file.
void TakeChosenName(CShowData& doc, bool chosen, const std::string& path)
{
    const bool fits = chosen && !path.empty() && path.size() < sizeof doc.m_cueFileName;
    std::strcpy(doc.m_cueFileName, fits ? path.c_str() : kDefaultCueList);
}

}  // namespace

void CShowData::LoadCueList()
{
    if (std::strlen(m_cueFileName) > 2)
        SaveFile("cue");
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseOpenFile(ProgramDir(), path);
    path = WithCueExtension(path);
    TakeChosenName(*this, chosen, path);
    LoadFile("cue");
}

// A cancelled Save As changes nothing: the list keeps its own file, so the save
// when the console closes cannot land on another list's default.cue.
void CShowData::SaveCueListAs()
{
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseSaveFile(ProgramDir(), path);
    path = WithCueExtension(path);
    if (!chosen || path.empty() || path.size() >= sizeof m_cueFileName)
        return;
    std::strcpy(m_cueFileName, path.c_str());
    SaveFile("cue");
}

bool CShowData::NewCueList()
{
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseSaveFile(ProgramDir(), path);
    path = WithCueExtension(path);
    if (!chosen || path.empty() || path.size() >= sizeof m_cueFileName)
        return false;
    ClearCues();
    std::strcpy(m_cueFileName, path.c_str());
    SaveFile("cue");
    return true;
}
