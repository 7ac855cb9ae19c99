// The cue table operations the cue editor calls; the screen tests drive the common cases.
#include "tests/CueSamples.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using cue_samples::Sample;

std::unique_ptr<CShowData> ListOf(int count)
{
    auto doc = std::make_unique<CShowData>();
    for (int s = 1; s <= count; ++s)
        cue_samples::Fill(*doc, s, s);
    return doc;
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
    for (int s = 1; s < kCueSlots; ++s)
        ASSERT_EQ(cue_samples::Fields(*block, s), cue_samples::Fields(*single, s)) << s;
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

    auto nearlyFull = ListOf(kCueSlots - 3);
    const int three[] = {1, 2, 3};
    EXPECT_EQ(nearlyFull->PasteCues(1, three, 3), CuePaste::kNoRoom);
    EXPECT_EQ(Sample(*nearlyFull, 1), 1);
    EXPECT_EQ(nearlyFull->PasteCues(1, three, 2), CuePaste::kPasted);
    EXPECT_EQ(Sample(*nearlyFull, kCueSlots - 1), kCueSlots - 3);

    auto doc = ListOf(3);
    for (int missing : {0, 4, kCueSlots, -1}) {
        const int src[] = {1, missing};
        EXPECT_EQ(doc->PasteCues(1, src, 2), CuePaste::kNoSuchCue) << missing;
    }
    EXPECT_FALSE(doc->InsertCue(0));
    EXPECT_FALSE(doc->InsertCue(kCueSlots));
    EXPECT_FALSE(doc->RenameCue(1, ""));
    for (int s : {1, 2, 3, 4})
        EXPECT_EQ(Sample(*doc, s), s < 4 ? s : -1);
}

}  // namespace
