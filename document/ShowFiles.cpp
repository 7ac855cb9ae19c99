#include "document/ShowFiles.h"

#include "document/ShowData.h"

#include <cstring>

// The kind names the file: "chase" for the chase library, "cue" for the cue
// list. Matched exactly; any other kind does nothing.
void CShowData::LoadFile(const char* kind)
{
    if (std::strcmp(kind, "chase") == 0)
        LoadChaseLibrary(*this);
    else if (std::strcmp(kind, "cue") == 0)
        LoadCueListFile(*this);
}

void CShowData::SaveFile(const char* kind)
{
    if (std::strcmp(kind, "chase") == 0)
        SaveChaseLibrary(*this);
    else if (std::strcmp(kind, "cue") == 0)
        SaveCueListFile(*this);
}
