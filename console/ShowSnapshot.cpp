#include "console/ShowSnapshot.h"

#include <cstdio>

void TakeShow(const CShowData& doc, CShowSnapshot& out)
{
    out.running = doc.m_running;
    out.currentCue = doc.m_currentCue;
    if (out.running)
        ComputeTreeGeometry(doc, out.picture);
}

void SetSnapshotStatus(CShowSnapshot& out, const char* text)
{
    std::snprintf(out.status, sizeof out.status, "%s", text);
}
