// Any bytes as a cue list: slot 0 stays empty, levels stay percentages, and a
// saved list loads and saves to the same bytes.
#include "document/ShowData.h"
#include "fuzz/FuzzSupport.h"

#include <cstring>
#include <memory>

namespace {

CShowData& Doc()
{
    static std::unique_ptr<CShowData> doc = [] {
        auto made = std::make_unique<CShowData>();
        std::strcpy(made->m_cueFileName, "fuzz.cue");
        made->m_tierCount = 18;
        return made;
    }();
    return *doc;
}

void CheckCues(const CShowData& doc)
{
    FUZZ_CHECK(doc.m_cueName[0][0] == '\0');
    FUZZ_CHECK(doc.m_currentCue == 0 || doc.m_currentCue == 1);
    FUZZ_CHECK((doc.m_currentCue == 1) == (doc.m_cueName[1][0] != '\0'));
    // Loading fills slots 1, 2, 3, ... without gaps.
    int s = 1;
    for (; s < kCueSlots && doc.m_cueName[s][0] != '\0'; ++s) {
        FUZZ_CHECK(std::memchr(doc.m_cueName[s], '\0', kNameSize) != nullptr);
        FUZZ_CHECK(std::memchr(doc.m_cueChase[s], '\0', kNameSize) != nullptr);
        for (int k = 0; k < kChannels; ++k)
            FUZZ_CHECK(doc.m_cueLevel[k][s] >= 0 && doc.m_cueLevel[k][s] <= 100);
    }
    if (s < kCueSlots)
        FUZZ_CHECK(doc.FindFreeCue() == s);
    FUZZ_CHECK(std::memchr(doc.m_selectedChaseList, '\0', kFileNameSize) != nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    FuzzDir();
    LoadSaveTwice(Doc(), "fuzz.cue", "cue", data, size, CheckCues);
    return 0;
}
