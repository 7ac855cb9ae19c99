#include "tests/CueSamples.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using cue_samples::Fill;
using cue_samples::Sample;

std::unique_ptr<CShowData> ListOf(int count)
{
    auto doc = std::make_unique<CShowData>();
    for (int s = 1; s <= count; ++s)
        Fill(*doc, s, s);
    return doc;
}

// Which sample each of the first slots holds afterwards (0 = a default cue, -1 = empty).
std::vector<int> Slots(const CShowData& doc, int count)
{
    std::vector<int> seen;
    for (int s = 1; s <= count; ++s)
        seen.push_back(Sample(doc, s));
    return seen;
}

TEST(CueEdits, InsertDeleteAndPasteMoveWholeCues)
{
    struct Case {
        const char* what;
        void (*edit)(CShowData&);
        std::vector<int> slots;
    };
    const Case cases[] = {
        {"insert before cue 2", [](CShowData& d) { EXPECT_TRUE(d.InsertCue(2)); }, {1, 0, 2, 3, -1}},
        {"delete cue 1", [](CShowData& d) { d.DeleteCue(1); }, {2, 3, -1, -1, -1}},
        {"copy cues 2 and 3 pasted before cue 2",
         [](CShowData& d) {
             const int src[] = {2, 3};
             EXPECT_EQ(d.PasteCues(2, src, 2), CuePaste::kPasted);
         },
         {1, 2, 3, 2, 3}},
        {"cue 3 copied twice, pasted before cue 1",
         [](CShowData& d) {
             const int src[] = {3, 3};
             EXPECT_EQ(d.PasteCues(1, src, 2), CuePaste::kPasted);
         },
         {3, 3, 1, 2, 3}},
        {"cue 1 pasted before cue 3 keeps its number",
         [](CShowData& d) {
             const int src[] = {1};
             EXPECT_EQ(d.PasteCues(3, src, 1), CuePaste::kPasted);
         },
         {1, 2, 1, 3, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = ListOf(3);
        c.edit(*doc);
        EXPECT_EQ(Slots(*doc, 5), c.slots);
    }
    auto doc = ListOf(3);
    doc->InsertCue(1);
    EXPECT_STREQ(doc->m_cueName[1], "Default Cue Name");
    EXPECT_STREQ(doc->m_cueChase[1], "# none");
}

// One block move must leave the table exactly as one insert per pasted cue would.
TEST(CueEdits, BlockPasteEqualsSingleInserts)
{
    auto block = ListOf(6000);
    auto single = ListOf(6000);
    std::vector<int> src;
    for (int i = 0; i < 1000; ++i)
        src.push_back(1 + (i * 37) % 6000);
    ASSERT_EQ(block->PasteCues(2500, src.data(), 1000), CuePaste::kPasted);
    for (int i = 0; i < 1000; ++i)
        single->InsertCue(2500);
    for (int i = 0; i < 1000; ++i)
        single->CopyCue(src[i] >= 2500 ? src[i] + 1000 : src[i], 2500 + i);
    EXPECT_EQ(std::memcmp(block->m_cueName, single->m_cueName, sizeof block->m_cueName), 0);
    EXPECT_EQ(std::memcmp(block->m_cueLevel, single->m_cueLevel, sizeof block->m_cueLevel), 0);
    EXPECT_EQ(std::memcmp(block->m_cueActiveTime, single->m_cueActiveTime, sizeof block->m_cueActiveTime), 0);
    EXPECT_EQ(std::memcmp(block->m_cueForward, single->m_cueForward, sizeof block->m_cueForward), 0);
}

// A full table used to lose its last cue without a word; now nothing changes.
TEST(CueEdits, InsertsThatWouldLoseACueOrCopyNoCueChangeNothing)
{
    auto full = ListOf(kCueSlots - 1);
    const int one[] = {5};
    EXPECT_FALSE(full->InsertCue(1));
    EXPECT_FALSE(full->InsertCue(kCueSlots - 1));
    EXPECT_EQ(full->PasteCues(5, one, 1), CuePaste::kNoRoom);
    EXPECT_EQ(Sample(*full, kCueSlots - 1), kCueSlots - 1);
    EXPECT_EQ(Sample(*full, 1), 1);

    auto nearlyFull = ListOf(kCueSlots - 3);
    const int three[] = {1, 2, 3};
    EXPECT_EQ(nearlyFull->PasteCues(1, three, 3), CuePaste::kNoRoom);
    EXPECT_EQ(nearlyFull->PasteCues(1, three, 2), CuePaste::kPasted);
    EXPECT_EQ(Sample(*nearlyFull, kCueSlots - 1), kCueSlots - 3);

    auto doc = ListOf(3);
    for (int missing : {0, 4, kCueSlots, -1}) {
        const int src[] = {1, missing};
        EXPECT_EQ(doc->PasteCues(1, src, 2), CuePaste::kNoSuchCue) << missing;
    }
    EXPECT_FALSE(doc->InsertCue(0));
    EXPECT_FALSE(doc->InsertCue(kCueSlots));
    EXPECT_EQ(Slots(*doc, 4), (std::vector<int>{1, 2, 3, -1}));
}

TEST(CueEdits, FieldSettersKeepNamesAndLevelsValid)
{
    auto doc = ListOf(2);
    EXPECT_FALSE(doc->RenameCue(1, ""));
    EXPECT_STREQ(doc->m_cueName[1], "Sample 1");
    EXPECT_TRUE(doc->RenameCue(1, std::string(150, 'x').c_str()));
    EXPECT_EQ(std::strlen(doc->m_cueName[1]), 99u);
    doc->SetCueLevel(2, kChest, 140);
    EXPECT_EQ(doc->m_cueLevel[kChest][2], 100);
    doc->SetCueLevel(2, kChest, -5);
    EXPECT_EQ(doc->m_cueLevel[kChest][2], 0);
    doc->SetCueValue(0, CueValue::kFadeTime, 9);  // slot 0 is never a cue
    EXPECT_EQ(doc->m_cueFadeTime[0], 0);
}

}  // namespace
