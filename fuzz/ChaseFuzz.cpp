// Any bytes as the chase library: records stay in range, record 0 stays empty,
// and a saved library loads and saves to the same bytes.
#include "document/ShowData.h"
#include "fuzz/FuzzSupport.h"

#include <cstring>
#include <memory>

namespace {

CShowData& Doc()
{
    static std::unique_ptr<CShowData> doc = [] {
        auto made = std::make_unique<CShowData>();
        std::strcpy(made->m_chaseFileName, "default.B18");
        return made;
    }();
    return *doc;
}

void CheckLibrary(const CShowData& doc)
{
    FUZZ_CHECK(doc.m_stepChase[0][0] == '\0' && doc.m_stepNumber[0] == 0);
    // Loading fills records 1, 2, 3, ... without gaps.
    int r = 1;
    for (; r < kStepRecords && doc.m_stepChase[r][0] != '\0'; ++r) {
        FUZZ_CHECK(doc.m_stepNumber[r] >= 1 && doc.m_stepNumber[r] < kStepRecords);
        FUZZ_CHECK(std::memchr(doc.m_stepChase[r], '\0', kNameSize) != nullptr);
        FUZZ_CHECK(std::memchr(doc.m_stepText[r], '\0', kNameSize) != nullptr);
        for (int k = 0; k < kCircuits; ++k)
            FUZZ_CHECK(doc.m_stepChestLamps[r][k] <= 1 && doc.m_stepOutlineLamps[r][k] <= 1);
    }
    if (r < kStepRecords)
        FUZZ_CHECK(doc.m_stepNumber[r] == 0 && doc.FindFreeStepRecord() == r);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    FuzzDir();
    LoadSaveTwice(Doc(), "default.B18", "chase", data, size, CheckLibrary);
    return 0;
}
