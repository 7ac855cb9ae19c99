// Whole-chase editing in the core: the names a rename may not take, and copies
// with their names and their room in the pool. New and deleted chases are driven
// through the screen.
#include "tests/ChaseEditTables.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace chase_test;

TEST(ChaseEditing, RenameRefusesNamesThatWouldFreeOrMergeChases)
{
    const std::string longName(120, 'x');
    struct Case {
        std::string name;
        bool applied;
        std::string stored;
    } cases[] = {
        {"", false, "Run"},      {"  ", false, "Run"}, {"Other", false, "Run"}, {"OTHER", true, "OTHER"},
        {"RUN", true, "RUN"},    {longName, true, longName.substr(0, kNameSize - 1)}, {"Run|Fast", false, "Run"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = MakeLayout();
        AddChase(*d, "Other", 2, 1);
        AddChase(*d, "Run", 3, 3);
        d->LoadChase("Run");
        EXPECT_EQ(d->RenameChase(c.name.c_str()), c.applied);
        for (int r = 3; r <= 5; ++r)
            EXPECT_EQ(d->m_stepChase[r], c.stored) << r;
        EXPECT_STREQ(d->m_stepChase[1], "Other");
    }
}

TEST(ChaseEditing, CopyTakesANameNoChaseHasAndEveryStepWithItsLampsAndText)
{
    const std::string longName(kNameSize - 1, 'y');
    std::string wideName = "\xc3\xa9";  // é and 32 中: 98 bytes
    while (wideName.size() < 98)
        wideName += "\xe4\xb8\xad";
    struct Case {
        std::string name;
        std::vector<std::string> taken;
        std::string copy;
    } cases[] = {
        {"Run", {}, "Run copy"},
        {"Run", {"Run copy"}, "Run copy 2"},
        {"Run", {"Run copy", "Run copy 2"}, "Run copy 3"},
        {"Run", {"RUN COPY"}, "Run copy"},
        {longName, {}, longName.substr(0, kNameSize - 6) + " copy"},  // the name is cut, not " copy"
        {wideName, {}, wideName.substr(0, 2 + 30 * 3) + " copy"},     // ... never inside a character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copy);
        auto d = MakeLayout();
        AddChase(*d, c.name.c_str(), 3, 1);
        for (size_t i = 0; i < c.taken.size(); ++i)
            AddChase(*d, c.taken[i].c_str(), 1, 10 + static_cast<int>(i));
        d->LoadChase(c.name.c_str());
        char copy[kNameSize];
        ASSERT_TRUE(d->CopyChase(copy));
        EXPECT_EQ(copy, c.copy);
        EXPECT_STREQ(d->LoadedChaseName(), copy);
        EXPECT_EQ(Markers(*d), "1 2 3");
        EXPECT_STREQ(d->m_stepText[d->m_chaseStepRecord[3]], "text 3");
        d->LoadChase(c.name.c_str());
        EXPECT_EQ(Markers(*d), "1 2 3");
    }
}

// Two free records for a three-step copy: nothing of it is made.
TEST(ChaseEditing, CopyNeedingMoreRecordsThanAreFreeChangesNothing)
{
    auto d = MakeLayout();
    AddChase(*d, "Run", 3, 1);
    FillPool(*d);
    d->m_stepChase[100][0] = d->m_stepChase[200][0] = '\0';
    d->LoadChase("Run");
    char copy[kNameSize] = "";
    EXPECT_FALSE(d->CopyChase(copy));
    EXPECT_EQ(d->FindFreeStepRecord(), 100);
}
