#include "tests/FileTestSupport.h"

#include <cstring>
#include <functional>
#include <sys/stat.h>

namespace {

std::string Lamps(const std::string& head)
{
    return head + std::string(120 - head.size(), '0');
}

std::string StepLine(const std::string& chase, int step, const std::string& text, const std::string& lamps)
{
    return chase + "|" + std::to_string(step) + "|" + text + "|" + lamps + "|\n";
}

class ChaseFile : public FileTest {
protected:
    ChaseFile() { std::strcpy(doc->m_chaseFileName, "default.B18"); }

    int UsedRecords() const
    {
        int used = 0;
        for (int r = 0; r < kStepRecords; ++r)
            used += doc->m_stepChase[r][0] != '\0' ? 1 : 0;
        return used;
    }
};

TEST_F(ChaseFile, AThreeStepChaseFillsRecordsInFileOrderAndIsListedOnce)
{
    dir.Write("default.B18", StepLine("Sweep", 1, "a", Lamps("1")) + StepLine("Sweep", 2, "b", Lamps("01")) +
                                 StepLine("Sweep", 3, "c", Lamps("001")));
    doc->LoadFile("chase");
    for (int r = 1; r <= 3; ++r) {
        EXPECT_STREQ(doc->m_stepChase[r], "Sweep");
        EXPECT_EQ(doc->m_stepNumber[r], r);
        EXPECT_EQ(doc->m_stepTierLamps[r][0][r - 1], 1);
    }
    std::vector<std::string> list;
    doc->FillNameList(list, "chase");
    EXPECT_EQ(list, std::vector<std::string>{"Sweep"});
}

TEST_F(ChaseFile, LampStringMapsTiersThenChestOutlinePairs)
{
    // Tier 1 circuit 1 by "1", tier 2 circuit 6 by "7", chest 1 by "9", outline 6 by "1"; "a" is off.
    std::string lamps = Lamps("1a");
    lamps[11] = '7';
    lamps[108] = '9';
    lamps[119] = '1';
    dir.Write("default.B18", StepLine("Mix", 1, "t", lamps));
    doc->LoadFile("chase");
    EXPECT_EQ(doc->m_stepTierLamps[1][0][0], 1);
    EXPECT_EQ(doc->m_stepTierLamps[1][0][1], 0);
    EXPECT_EQ(doc->m_stepTierLamps[1][1][5], 1);
    EXPECT_EQ(doc->m_stepChestLamps[1][0], 1);
    EXPECT_EQ(doc->m_stepOutlineLamps[1][0], 0);
    EXPECT_EQ(doc->m_stepOutlineLamps[1][5], 1);
    int on = 0;
    for (int t = 0; t < kTiers; ++t)
        for (int k = 0; k < kCircuits; ++k)
            on += doc->m_stepTierLamps[1][t][k];
    EXPECT_EQ(on, 2);
}

TEST_F(ChaseFile, SavingReproducesTheFileApartFromStepZeroAndDigits)
{
    std::string mixed = Lamps("100000025");
    mixed[119] = '9';
    std::string normal = Lamps("100000011");
    normal[119] = '1';
    const std::string keep = StepLine("Sweep", 1, "none", Lamps("1")) + StepLine("Sweep", 2, "two", Lamps("0101"));
    dir.Write("default.B18", keep + StepLine("Head", 0, "x", Lamps("")) + StepLine("Odd", 1, "y", mixed));
    doc->LoadFile("chase");
    doc->SaveFile("chase");
    EXPECT_EQ(dir.Read("default.B18"), keep + StepLine("Odd", 1, "y", normal));
    // The library leaves memory once it is on disk.
    EXPECT_EQ(UsedRecords(), 0);
}

TEST_F(ChaseFile, LampBytesAboveOneAreWrittenAsOne)
{
    std::strcpy(doc->m_stepChase[1], "Bright");
    doc->m_stepNumber[1] = 1;
    doc->m_stepTierLamps[1][0][0] = 255;
    doc->SaveFile("chase");
    EXPECT_EQ(dir.Read("default.B18"), StepLine("Bright", 1, "", Lamps("1")));
}

TEST_F(ChaseFile, BarsInNamesAreWrittenAsSlashesSoTheLampsSurvive)
{
    std::strcpy(doc->m_stepChase[1], "Up|Down");
    std::strcpy(doc->m_stepText[1], "a|b\n");
    doc->m_stepNumber[1] = 1;
    doc->m_stepOutlineLamps[1][5] = 1;
    doc->SaveFile("chase");
    doc->LoadFile("chase");
    EXPECT_STREQ(doc->m_stepChase[1], "Up/Down");
    EXPECT_STREQ(doc->m_stepText[1], "a/b/");
    EXPECT_EQ(doc->m_stepOutlineLamps[1][5], 1);
    EXPECT_EQ(doc->FindFreeStepRecord(), 2);
}

TEST_F(ChaseFile, FailedSaveKeepsTheLibraryInMemory)
{
    std::strcpy(doc->m_stepChase[1], "Keep");
    doc->m_stepNumber[1] = 1;
    ASSERT_EQ(mkdir(dir.Path("default.B18").c_str(), 0755), 0);
    doc->SaveFile("chase");
    EXPECT_STREQ(doc->m_stepChase[1], "Keep");
    EXPECT_EQ(doc->m_stepNumber[1], 1);
}

TEST_F(ChaseFile, NoFileNameOrNoFileGivesAnEmptyLibrary)
{
    std::strcpy(doc->m_stepChase[1], "Old");
    doc->LoadFile("chase");
    EXPECT_EQ(UsedRecords(), 0);
    doc->m_chaseFileName[0] = '\0';
    std::strcpy(doc->m_stepChase[1], "Old");
    doc->m_stepNumber[1] = 1;
    doc->SaveFile("chase");
    EXPECT_STREQ(doc->m_stepChase[1], "Old");
    doc->LoadFile("Chase");  // kinds match exactly
    EXPECT_STREQ(doc->m_stepChase[1], "Old");
}

TEST_F(ChaseFile, TierCountNamesTheLibrary)
{
    dir.Write("colors.txt", "row|5|1|1|1|1|1|1|\n");
    ASSERT_TRUE(doc->LoadLayout());
    std::strcpy(doc->m_stepChase[1], "Five");
    doc->m_stepNumber[1] = 1;
    doc->SaveFile("chase");
    EXPECT_TRUE(dir.Exists("default.B05"));
    // Another tier count starts from its own, empty library.
    auto tall = std::make_unique<CShowData>();
    dir.Write("colors.txt", "row|18|1|1|1|1|1|1|\n");
    ASSERT_TRUE(tall->LoadLayout());
    tall->LoadFile("chase");
    EXPECT_EQ(tall->FindFreeStepRecord(), 1);
}

// Each bad line sits before a good "Good|1|" line, which must still load as the last record.
TEST_F(ChaseFile, BadLinesAreRefusedOrCutNeverOverrun)
{
    const struct {
        std::string line;
        int records;  // records used, the good line included
        std::function<void(const CShowData&)> check;
    } cases[] = {
        {"|1|t|" + Lamps("1") + "|", 1, nullptr},
        {"A|0|t|1|", 1, nullptr},
        {"A|5000|t|1|", 1, nullptr},
        {"A|-1|t|1|", 1, nullptr},
        {"A|x|t|1|", 1, nullptr},
        {"A||t|1|", 1, nullptr},
        {"A|4999|t|1|", 2, [](const CShowData& d) { EXPECT_EQ(d.m_stepNumber[1], 4999); }},
        {"A| 7 steps|t|", 2, [](const CShowData& d) { EXPECT_EQ(d.m_stepNumber[1], 7); }},
        {std::string(150, 'n') + "|1|" + std::string(150, 't') + "|1|", 2, [](const CShowData& d) {
             EXPECT_EQ(std::strlen(d.m_stepChase[1]), 99u);
             EXPECT_EQ(std::strlen(d.m_stepText[1]), 99u);
         }},
        {"Long|1|t|" + std::string(3000, '1'), 2, [](const CShowData& d) {
             EXPECT_EQ(d.m_stepOutlineLamps[1][5], 1);
             EXPECT_STREQ(d.m_stepChase[2], "Good");
         }},
        {"Short|1|t|11", 2, [](const CShowData& d) {
             EXPECT_EQ(d.m_stepTierLamps[1][0][1], 1);
             EXPECT_EQ(d.m_stepTierLamps[1][0][2], 0);
         }},
        // An empty text does not cost the step its lamps.
        {"Blank|1||1|", 2, [](const CShowData& d) { EXPECT_EQ(d.m_stepTierLamps[1][0][0], 1); }},
        {"Crlf|2|t|1|\r", 2, [](const CShowData& d) { EXPECT_STREQ(d.m_stepText[1], "t"); }},
        {std::string("Nul|3|t\0|1|", 11), 2, [](const CShowData& d) { EXPECT_EQ(d.m_stepTierLamps[1][0][0], 0); }},
        {"\xff\xfe\x01|||||\x80|\n\n", 1, nullptr},
        {"Extra|1|t|1|more|fields|", 2, [](const CShowData& d) { EXPECT_EQ(d.m_stepTierLamps[1][0][0], 1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 40));
        auto fresh = std::make_unique<CShowData>();
        std::strcpy(fresh->m_chaseFileName, "default.B18");
        dir.Write("default.B18", c.line + "\nGood|1|g|1|");
        fresh->LoadFile("chase");
        EXPECT_STREQ(fresh->m_stepChase[c.records], "Good");
        EXPECT_EQ(fresh->FindFreeStepRecord(), c.records + 1);
        EXPECT_STREQ(fresh->m_stepChase[0], "");
        if (c.check)
            c.check(*fresh);
    }
}

TEST_F(ChaseFile, LinesBeyondTheLastRecordAreIgnored)
{
    std::string file;
    for (int i = 1; i <= kStepRecords + 5; ++i)
        file += StepLine("Big", i < kStepRecords ? i : 1, "t", Lamps("1"));
    dir.Write("default.B18", file);
    doc->LoadFile("chase");
    EXPECT_EQ(doc->FindFreeStepRecord(), 0);
    EXPECT_EQ(doc->m_stepNumber[kStepRecords - 1], kStepRecords - 1);
    EXPECT_STREQ(doc->m_stepChase[0], "");
    EXPECT_EQ(doc->m_stepNumber[0], 0);
}

}  // namespace
