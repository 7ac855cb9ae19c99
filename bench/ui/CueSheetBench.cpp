// The cue sheet exported to PDF the way the operator does it (save dialog, safe
// save, progress dialog): the demo show (goal: under 1 s), 1,000 cues with
// pictures all different (goal: under 10 s) and a full list of 7,499 cues.
#include "cuesheet/CueSheet.h"
#include "cuesheet/CueSheetOutput.h"
#include "document/ShowData.h"
#include "tests/ScriptedOperator.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// A program directory holding the demo show and the sprite sheet, loaded into a document.
struct CDemoRig {
    CDemoRig()
    {
        const std::string here = __FILE__;  // <repo>/bench/ui/CueSheetBench.cpp
        const fs::path repo = here.substr(0, here.rfind("/bench/"));
        char pattern[] = "/tmp/glimmer-sheet-XXXXXX";
        dir = mkdtemp(pattern);
        setenv("GLIMMERBOX_HOME", dir.c_str(), 1);
        for (const char* name : {"colors.txt", "default.B18", "default.cue"})
            fs::copy_file(repo / "demo" / name, fs::path(dir) / name);
        fs::copy_file(repo / "app" / "Sprites.bmp", fs::path(dir) / "Sprites.bmp");
        doc->m_operator = &person;
        doc->LoadLayout();
        doc->LoadFile("chase");
        std::snprintf(doc->m_cueFileName, kFileNameSize, "%s", "default.cue");
        doc->LoadFile("cue");
    }
    ~CDemoRig() { fs::remove_all(dir); }
    // Replaces the demo's cues by `count` cues over the demo's chases, no two alike.
    void Cues(int count)
    {
        std::vector<std::string> chases;
        doc->FillNameList(chases, "chase");
        doc->ClearCues();
        for (int s = 1; s <= count; ++s) {
            std::snprintf(doc->m_cueName[s], kNameSize, "Cue number %d of the evening", s);
            std::snprintf(doc->m_cueChase[s], kNameSize, "%s", chases[static_cast<size_t>(s) % chases.size()].c_str());
            doc->m_cueRunCount[s] = 20;
            for (int k = 0; k < kChannels; ++k)
                doc->m_cueLevel[k][s] = (s * (k + 3)) % 100 + 1;
            doc->m_cueLevel[kStar][s] = s % 100 + 1;  // with Color 1 below, no two cues alike
            doc->m_cueLevel[kColor1][s] = s / 100 + 1;
        }
    }
    void Export(benchmark::State& state)
    {
        CCueSheet sheet;
        TakeCueSheet(*doc, sheet);
        for (auto _ : state) {
            person.files.push_back(dir + "/sheet.pdf");
            if (!ExportCueSheetPdf(sheet, &person, nullptr))
                state.SkipWithError("the export failed");
        }
        state.counters["cues"] = static_cast<double>(sheet.rows.size());
        state.counters["kB"] = static_cast<double>(fs::file_size(dir + "/sheet.pdf")) / 1024;
    }

    std::string dir;
    CScriptedOperator person;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
};

void BM_ExportDemoShowSheet(benchmark::State& state)
{
    CDemoRig rig;
    rig.Export(state);
}
BENCHMARK(BM_ExportDemoShowSheet)->Unit(benchmark::kMillisecond);

void BM_ExportSheetOfCues(benchmark::State& state)
{
    CDemoRig rig;
    rig.Cues(static_cast<int>(state.range(0)));
    rig.Export(state);
}
BENCHMARK(BM_ExportSheetOfCues)->Arg(1000)->Arg(7499)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
