#include "document/ShowData.h"

// Placeholder until the frame encoder lands: nothing goes out.
void CShowData::SendFrames(const char*)
{
    m_sendPending = false;
}
