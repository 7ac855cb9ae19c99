#include "document/AtomicFile.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/ShowData.h"
#include "document/ShowFiles.h"

#include <cstring>
#include <string>

namespace {

const char kDefaultCueList[] = "default.cue";
const char kUnsavedList[] =
    "The cue list could not be saved, so its changes would be lost if another list took its place now.\n"
    "Go on all the same?\n(Choose No, then Save As, to keep the changes in another file.)";

// A name typed without an extension gets ".cue", as the dialogs' default
// extension: a list saved as "myshow" is then one the "*.cue" filter lists.
std::string WithCueExtension(std::string path)
{
    const size_t name = path.find_last_of('/') + 1;  // 0 when there is no directory part
    if (!path.empty() && name < path.size() && path.find('.', name) == std::string::npos)
        path += ".cue";
    return path;
}

// A path the name field cannot hold is refused, never cut (a cut path names
// another file), and the operator is told; `instead` says what happens then.
bool PathFits(const CShowData& doc, const std::string& path, const char* instead)
{
    if (path.size() < sizeof doc.m_cueFileName)
        return true;
    if (doc.m_operator != nullptr)
        doc.m_operator->Message((path + "\nThis path is longer than the " +
                                 std::to_string(sizeof doc.m_cueFileName - 1) +
                                 " characters a cue list's name can hold; " + instead)
                                    .c_str(),
                                "ERROR");
    return false;
}

// Cancel, no operator, or a path too long for the name field open the default list.
void TakeChosenName(CShowData& doc, bool chosen, const std::string& path)
{
    const bool fits = chosen && !path.empty() && PathFits(doc, path, "default.cue is opened instead.");
    std::strcpy(doc.m_cueFileName, fits ? path.c_str() : kDefaultCueList);
}

// A list opened from a place it could never be saved to would fail every Save,
// New and the close: such a file is refused before it is taken, as Save As and
// New refuse it. `instead` says what happens then.
bool SaveablePlace(const CShowData& doc, const std::string& path, const char* instead)
{
    const std::string why = WhyNoSaveAt(ProgramPath(path.c_str()));
    if (why.empty())
        return true;
    if (doc.m_operator != nullptr)
        doc.m_operator->Message((path + "\nThis cue list was not opened: " + why +
                                 ", so it could never be saved there.\n" + instead)
                                    .c_str(),
                                "ERROR");
    return false;
}

// Before another list takes this one's place: its changes reach its file, or the
// operator chose to let them go.
bool SavedOrLetGo(CShowData& doc)
{
    if (std::strlen(doc.m_cueFileName) < 3 || SaveCueListFile(doc))
        return true;
    return doc.m_operator != nullptr && doc.m_operator->Ask(kUnsavedList, "Question");
}

}  // namespace

bool CShowData::LoadCueList()
{
    if (!SavedOrLetGo(*this))
        return false;
    // At start the list has no file of its own to stay on: after a refusal the
    // dialog opens again, and Cancel opens default.cue as ever.
    const bool ownFile = std::strlen(m_cueFileName) >= 3;
    const std::string stays = ownFile ? "The cue list stays on " + std::string(m_cueFileName) + "."
                                      : std::string("Choose another cue list.");
    for (;;) {
        std::string path;
        bool chosen = m_operator != nullptr && m_operator->ChooseOpenFile(ProgramDir(), path);
        path = WithCueExtension(path);
        if (chosen && !path.empty() && !SaveablePlace(*this, path, stays.c_str())) {
            if (ownFile)
                return false;
            continue;
        }
        TakeChosenName(*this, chosen, path);
        LoadFile("cue");
        return true;
    }
}

// A cancelled Save As changes nothing: the list keeps its own file, so the save
// when the console closes cannot land on another list's default.cue.
void CShowData::SaveCueListAs()
{
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseSaveFile(ProgramDir(), path);
    path = WithCueExtension(path);
    if (!chosen || path.empty() || !PathFits(*this, path, "nothing was saved."))
        return;
    // The list takes the new name only once it stands in that file: a name it could
    // not be written under would fail File > Save and the close as well.
    if (WriteCueList(*this, path.c_str(), true))
        std::strcpy(m_cueFileName, path.c_str());
}

bool CShowData::NewCueList()
{
    if (!SavedOrLetGo(*this))
        return false;
    std::string path;
    bool chosen = m_operator != nullptr && m_operator->ChooseSaveFile(ProgramDir(), path);
    path = WithCueExtension(path);
    if (!chosen || path.empty() || !PathFits(*this, path, "no new list was made."))
        return false;
    // The empty list is written first; the cues go only once it stands in its file.
    if (!WriteCueList(*this, path.c_str(), false))
        return false;
    ClearCues();
    std::strcpy(m_cueFileName, path.c_str());
    return true;
}
