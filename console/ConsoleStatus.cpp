#include "console/ConsoleStatus.h"

#include "document/ShowData.h"
#include "link/SerialPort.h"

#include <cstdio>

namespace {

bool AnyPortUsable(const CShowData& doc)
{
    return (doc.m_tree1Port != nullptr && doc.m_tree1Port->IsUsable()) ||
           (doc.m_tree2Port != nullptr && doc.m_tree2Port->IsUsable());
}

}  // namespace

std::string RunningStatus(const CShowData& doc)
{
    const char* format = "NO Data Sent     CUE #(%d)  Chase #(%d)";
    if (doc.m_sendTreeSignals) {
        if (doc.m_treeTookFrames[0] || doc.m_treeTookFrames[1])
            format = "Data Sent     CUE #(%d)  Chase #(%d)";
        else if (!AnyPortUsable(doc))
            format = "NO Data Sent - No Tree Port Open     CUE #(%d)  Chase #(%d)";
        else
            format = "NO Data Sent - Tree Line Held Back     CUE #(%d)  Chase #(%d)";
    }
    char text[120];
    std::snprintf(text, sizeof text, format, doc.m_currentCue, doc.m_currentChase);
    return text;
}

std::string StoppedStatus(const CShowData& doc)
{
    return doc.m_sendTreeSignals ? "Will Send Info To Tree" : "Will NOT Send Info To Tree";
}

std::string ConsoleCaption(const CShowData& doc)
{
    char text[2 * kFileNameSize + 100];
    std::snprintf(text, sizeof text, "Glimmerbox QX7 3.1 <<BETA>>       CUE -=[ %.*s ]=-   Chase -=[ %.*s ]=-",
                  kFileNameSize - 1, doc.m_cueFileName, kFileNameSize - 1, doc.m_chaseFileName);
    return text;
}
