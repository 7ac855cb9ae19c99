#pragma once
// The four files of the console, each loaded and saved the way the console
// does it, for tests that put every file through the same fault.

#include "document/ShowData.h"

#include <cstring>
#include <functional>

struct ShowFileKind {
    const char* name;
    const char* headline;  // first line of its failed-save message
    std::function<void(CShowData&)> load;
    std::function<void(CShowData&)> save;
    CFileCheck CShowData::*check;
};

inline const ShowFileKind kShowFileKinds[] = {
    {"colors.txt", "Failed to open Config File", [](CShowData& d) { d.LoadLayout(); },
     [](CShowData& d) { d.SaveLayout(); }, &CShowData::m_layoutCheck},
    {"default.B18", "Could not save the chase library", [](CShowData& d) { d.LoadFile("chase"); },
     [](CShowData& d) {
         std::strcpy(d.m_stepChase[1], "Kept");  // a library with something to save
         d.m_stepNumber[1] = 1;
         d.SaveFile("chase");
     },
     &CShowData::m_chaseCheck},
    {"show.cue", "Could not save the cue list", [](CShowData& d) { d.LoadFile("cue"); },
     [](CShowData& d) { d.SaveFile("cue"); }, &CShowData::m_cueCheck},
    {"Glimmerbox.cfg", "Unable to Modify Config File", [](CShowData& d) { d.ReadPortConfig(1); },
     [](CShowData& d) { d.WritePortConfig(); }, &CShowData::m_portCheck},
};

// A document that names the chase library and cue list above.
inline void NameShowFiles(CShowData& doc)
{
    std::strcpy(doc.m_chaseFileName, "default.B18");
    std::strcpy(doc.m_cueFileName, "show.cue");
}
