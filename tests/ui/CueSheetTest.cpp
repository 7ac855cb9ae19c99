// The cue sheet as the operator gets it: exported to PDF through the operator's
// save dialog and read back with pdftotext and pdfinfo, printed through the print
// dialog's seam, cancelled, and refused a file it cannot write.

#include "console/MainDlg.h"
#include "cueedit/CueEditDlg.h"
#include "cuesheet/CueSheet.h"
#include "cuesheet/CueSheetMenu.h"
#include "cuesheet/CueSheetOutput.h"
#include "cuesheet/CueSheetPainter.h"
#include "tests/CueSamples.h"
#include "tests/FileTestSupport.h"
#include "tests/ui/PdfReadBack.h"

#include <QAction>
#include <QApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>
#include <dirent.h>
#include <filesystem>
#include <regex>

namespace {

using pdf_test::Pages;
using pdf_test::Text;

std::vector<std::string> Files(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

// The row of a cue as pdftotext lays it out: number, name, and the fourteen levels in order.
std::regex RowPattern(const CShowData& d, int s)
{
    std::string levels;
    for (int k = 0; k < kChannels; ++k)
        levels += "\\s+" + std::to_string(d.m_cueLevel[k][s]);
    return std::regex("(^|\\n)\\s*" + std::to_string(s) + "\\s+" + d.m_cueName[s] + "\\s[^\\n]*" + levels +
                      "\\s*(\\n|$)");
}

class CueSheetTest : public FileTest {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        for (const char* name : {"colors.txt", "default.B18", "default.cue"})
            fs::copy_file(fs::path(GLIMMER_SOURCE_DIR) / "demo" / name, dir.Path(name));
        ASSERT_TRUE(doc->LoadLayout());
        doc->LoadFile("chase");
        std::snprintf(doc->m_cueFileName, kFileNameSize, "%s", dir.Path("default.cue").c_str());
        doc->LoadFile("cue");
        ASSERT_GT(doc->FindFreeCue(), 10);
    }
    // Replaces the demo's cues by `count` sample cues.
    void Samples(int count)
    {
        doc->ClearCues();
        for (int s = 1; s <= count; ++s)
            cue_samples::Fill(*doc, s, s);
    }
    // Exports through the operator's save dialog, answered with `name` in the program directory.
    bool Export(const std::string& name)
    {
        CCueSheet sheet;
        TakeCueSheet(*doc, sheet);
        person.files.push_back(name.empty() || name[0] == '/' ? name : dir.Path(name));
        return ExportCueSheetPdf(sheet, &person, nullptr);
    }
};

TEST_F(CueSheetTest, DemoShowSheetHoldsHeaderAndEveryCueInOrderWithoutTouchingTheShow)
{
    doc->m_currentCue = 3;
    doc->m_level[kStar] = 42;
    ASSERT_TRUE(Export("sheet.pdf")) << person.Transcript();
    EXPECT_EQ(person.dialogDirs.back(), dir.Path("default.pdf"));  // the list's name, in the program directory
    EXPECT_EQ(doc->m_currentCue, 3);
    EXPECT_EQ(doc->m_level[kStar], 42);

    const std::string text = Text(dir.Path("sheet.pdf"));
    EXPECT_NE(text.find("Cue Sheet: default.cue"), std::string::npos) << text;
    EXPECT_NE(text.find(dir.Path("default.cue")), std::string::npos) << text;
    EXPECT_NE(text.find("18 tiers; star: yes, cross: yes, chest rail: yes, outline: yes; 13 cues"), std::string::npos);
    size_t last = 0;
    for (int s = 1; doc->m_cueName[s][0] != '\0'; ++s) {
        std::smatch m;
        const std::string rest = text.substr(last);
        ASSERT_TRUE(std::regex_search(rest, m, RowPattern(*doc, s))) << "cue " << s << "\n" << text;
        last += static_cast<size_t>(m.position(0) + m.length(0)) - 1;
    }
    // Cue 1 of the demo: fade 3.0 s, active 6.0 s, endless runs, forward.
    EXPECT_TRUE(std::regex_search(text, std::regex("1\\s+Welcome Glow\\s+3\\.0\\s+6\\.0\\s+All On\\s+0\\s+endless"
                                                   "\\s+forward")))
        << text;
    EXPECT_EQ(Files(dir.Path("")).size(), 4u);  // the PDF and the three show files: no temporary left
}

TEST_F(CueSheetTest, PagesFollowTheListAndEveryPageRepeatsTheTitleAndItsNumber)
{
    struct Case {
        int cues;
        int pages;
    };
    for (const Case c : {Case{1, 1}, Case{120, 9}}) {
        Samples(c.cues);
        ASSERT_TRUE(Export("sheet.pdf")) << person.Transcript();
        const std::string path = dir.Path("sheet.pdf");
        EXPECT_EQ(Pages(path), c.pages) << c.cues << " cues";
        const std::string text = Text(path);
        int rows = 0;
        size_t start = 0;
        for (int page = 1; page <= c.pages; ++page) {
            const size_t end = text.find('\f', start);
            const std::string one = text.substr(start, end - start);
            EXPECT_NE(one.find("Cue Sheet: default.cue"), std::string::npos) << page;
            EXPECT_NE(one.find("Page " + std::to_string(page) + " of " + std::to_string(c.pages)),
                      std::string::npos)
                << page;
            const std::regex row("\\n\\s*\\d+\\s+Sample \\d+ ");
            const auto found = std::distance(std::sregex_iterator(one.begin(), one.end(), row), std::sregex_iterator());
            EXPECT_GT(found, 0) << "page " << page << " of " << c.cues << " cues is empty";
            rows += static_cast<int>(found);
            start = end + 1;
        }
        EXPECT_EQ(rows, c.cues);
    }
}

TEST_F(CueSheetTest, NamesPrintWholeOrCutOnEveryPaperAndOrientation)
{
    Samples(3);
    std::strcpy(doc->m_cueName[1], "Ünïcödé Ðance – 光の木");
    std::string longName(95, 'W');
    std::strcpy(doc->m_cueName[2], longName.c_str());
    CCueSheet sheet;
    TakeCueSheet(*doc, sheet);
    struct Paper {
        QPageSize::PageSizeId size;
        QPageLayout::Orientation orientation;
    };
    for (const Paper paper : {Paper{QPageSize::A4, QPageLayout::Landscape}, Paper{QPageSize::A4, QPageLayout::Portrait},
                              Paper{QPageSize::Letter, QPageLayout::Portrait}}) {
        const std::string path = dir.Path("paper.pdf");
        {
            QPdfWriter writer(QString::fromStdString(path));
            writer.setPageSize(QPageSize(paper.size));
            writer.setPageOrientation(paper.orientation);
            ASSERT_EQ(PaintCueSheet(sheet, writer), SheetResult::kDone);
        }
        const std::string text = Text(path);
        // Whole where the column has room, else cut with an ellipsis, never spilling over.
        EXPECT_TRUE(std::regex_search(text, std::regex("1\\s+(Ünïcödé Ðance – 光の木|Ünïcödé[^\\n]*…)\\s"))) << text;
        EXPECT_EQ(text.find(longName), std::string::npos);
        EXPECT_TRUE(std::regex_search(text, std::regex("2\\s+W{4,94}…"))) << text;
        // Every level column still stands apart from its neighbours.
        EXPECT_TRUE(std::regex_search(text, RowPattern(*doc, 3))) << text;
    }
}

TEST_F(CueSheetTest, CancelledExportLeavesNoFileAndAnOlderSheetAsItWas)
{
    Samples(120);
    dir.Write("old.pdf", "an older sheet");
    for (const char* name : {"new.pdf", "old.pdf"}) {
        // The first page's progress lets the timer run: the operator presses Cancel.
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::allWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w))
                    progress->cancel();
        });
        EXPECT_FALSE(Export(name));
    }
    EXPECT_FALSE(dir.Exists("new.pdf"));
    EXPECT_EQ(dir.Read("old.pdf"), "an older sheet");
    EXPECT_EQ(Files(dir.Path("")).size(), 4u);  // nothing left of either attempt
    EXPECT_TRUE(person.shown.empty()) << person.Transcript();
}

TEST_F(CueSheetTest, FileThatCannotBeWrittenIsReportedWithItsNameAndWhy)
{
    std::filesystem::create_directory(dir.Path("folder.pdf"));
    struct Case {
        std::string path;
        const char* why;
    };
    for (const Case& c : {Case{dir.Path("missing/sheet.pdf"), "No such file or directory"},
                          Case{dir.Path("folder.pdf"), "not a regular file"}}) {
        person.shown.clear();
        EXPECT_FALSE(Export(c.path));
        ASSERT_EQ(person.shown.size(), 1u);
        EXPECT_EQ(person.shown[0].caption, "ERROR");
        EXPECT_NE(person.shown[0].text.find(c.path), std::string::npos) << person.shown[0].text;
        EXPECT_NE(person.shown[0].text.find(c.why), std::string::npos) << person.shown[0].text;
    }
}

TEST_F(CueSheetTest, PrintGoesThroughThePrintDialogAndItsCancelPrintsNothing)
{
    static std::string printed;
    static bool accept;
    printed = dir.Path("printed.pdf");
    const PrinterChoice real = g_choosePrinter;
    g_choosePrinter = [](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        return accept;
    };
    Samples(20);
    CCueSheet sheet;
    TakeCueSheet(*doc, sheet);
    accept = false;
    EXPECT_FALSE(PrintCueSheet(sheet, &person, nullptr));
    EXPECT_FALSE(dir.Exists("printed.pdf"));
    accept = true;
    EXPECT_TRUE(PrintCueSheet(sheet, &person, nullptr));
    g_choosePrinter = real;
    EXPECT_EQ(Pages(printed), 2);
    EXPECT_TRUE(std::regex_search(Text(printed), RowPattern(*doc, 1)));
    EXPECT_TRUE(person.shown.empty()) << person.Transcript();
}

TEST(CueSheetTexts, TimesRunsAndSuggestedNames)
{
    EXPECT_EQ(Seconds(15), "1.5");
    EXPECT_EQ(Seconds(0), "0.0");
    EXPECT_EQ(Seconds(-3), "-0.3");
    EXPECT_EQ(Seconds(-2147483647 - 1), "-214748364.8");
    EXPECT_EQ(ActiveTimeText(-1), "endless");
    EXPECT_EQ(RunCountText(20), "endless");
    EXPECT_EQ(RunCountText(19), "19");
    CTempProgramDir dir;
    CCueSheet sheet;
    for (const auto& [file, pdf] : {std::pair<std::string, std::string>{"/a/b/Show.Night.cue", "Show.Night.pdf"},
                                    {"default.cue", "default.pdf"},
                                    {"", "cuesheet.pdf"}}) {
        sheet.fileName = file;
        EXPECT_EQ(SuggestedPdfPath(sheet), dir.Path(pdf)) << file;
    }
}

}  // namespace
