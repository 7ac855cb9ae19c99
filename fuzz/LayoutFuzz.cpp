// Any bytes as the layout file: loading must stay inside the tables, and what
// it saves must load to the same layout again.
#include "document/ShowData.h"
#include "fuzz/FuzzSupport.h"

#include <cstring>
#include <new>

namespace {

void CheckLayout(const CShowData& doc)
{
    FUZZ_CHECK(doc.m_tierCount >= 0 && doc.m_tierCount <= kTiers);
    auto color = [](int c) { return c >= 0 && c < kColors; };
    for (int t = 0; t < kTiers; ++t)
        for (int k = 0; k < kCircuits; ++k)
            FUZZ_CHECK(!doc.m_tierPresent[t] || color(doc.m_tierColor[t][k]));
    for (int k = 0; k < kCircuits; ++k) {
        FUZZ_CHECK(!doc.m_chestPresent || color(doc.m_chestColor[k]));
        FUZZ_CHECK(!doc.m_outlinePresent || color(doc.m_outlineColor[k]));
    }
    FUZZ_CHECK(!doc.m_starPresent || color(doc.m_starColor));
    FUZZ_CHECK(!doc.m_crossPresent || color(doc.m_crossColor));
    FUZZ_CHECK(std::strlen(doc.m_chaseFileName) == 11);
}

// A zeroed document without a fresh 3.7 MB allocation per input.
CShowData& FreshDoc(int which)
{
    alignas(CShowData) static unsigned char storage[2][sizeof(CShowData)];
    std::memset(storage[which], 0, sizeof(CShowData));
    return *new (storage[which]) CShowData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    WriteFuzzFile("colors.txt", data, size);
    CShowData& doc = FreshDoc(0);
    FUZZ_CHECK(doc.LoadLayout());
    CheckLayout(doc);
    doc.SaveLayout();
    std::string first = ReadFuzzFile("colors.txt");
    CShowData& again = FreshDoc(1);
    FUZZ_CHECK(again.LoadLayout());
    CheckLayout(again);
    again.SaveLayout();
    FUZZ_CHECK(ReadFuzzFile("colors.txt") == first);
    return 0;
}
