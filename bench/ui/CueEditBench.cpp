// The cue edit screen on a full list of 7,499 cues: opening it until it is shown
// (goal: under 150 ms), and rebuilding the list after a name edit (goal: under 30 ms).
// Undo on the screen of a paste of 1,000 cues into 6,000, the list shown again
// (goal: under 50 ms).
#include "cueedit/CueEditDlg.h"
#include "document/History.h"
#include "document/ShowData.h"
#include "tests/ScriptedOperator.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<CShowData> FullList(CScriptedOperator& person)
{
    auto doc = std::make_unique<CShowData>();
    doc->m_operator = &person;
    for (int r = 1; r <= 300; ++r) {
        std::snprintf(doc->m_stepChase[r], kNameSize, "Chase %d", r);
        doc->m_stepNumber[r] = 1;
    }
    for (int s = 1; s < kCueSlots; ++s) {
        std::snprintf(doc->m_cueName[s], kNameSize, "Cue number %d of the evening", s);
        std::snprintf(doc->m_cueChase[s], kNameSize, "Chase %d", s % 300 + 1);
        for (int k = 0; k < kChannels; ++k)
            doc->m_cueLevel[k][s] = (s + k) % 101;
    }
    doc->m_currentCue = 3750;
    return doc;
}

void BM_OpenCueEditorOnFullList(benchmark::State& state)
{
    CScriptedOperator person;
    auto doc = FullList(person);
    for (auto _ : state) {
        auto editor = std::make_unique<CCueEditDlg>(*doc);
        editor->m_editCue = doc->m_currentCue;
        editor->show();
        QApplication::processEvents();  // laid out and painted
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCueEditorOnFullList)->Unit(benchmark::kMillisecond);

void BM_RebuildListAfterNameEdit(benchmark::State& state)
{
    CScriptedOperator person;
    auto doc = FullList(person);
    CCueEditDlg editor(*doc);
    editor.m_editCue = doc->m_currentCue;
    editor.show();
    QApplication::processEvents();
    auto* name = editor.findChild<QLineEdit*>("1009");
    int n = 0;
    for (auto _ : state) {
        name->setText(QString("Renamed %1").arg(++n));
        editor.OnCueNameChange();
        editor.OnCueNameDone();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RebuildListAfterNameEdit)->Unit(benchmark::kMillisecond);

void BM_UndoPasteOfThousandOnScreen(benchmark::State& state)
{
    CScriptedOperator person;
    CHistory history;
    auto doc = FullList(person);
    for (int s = 6001; s < kCueSlots; ++s)
        doc->m_cueName[s][0] = '\0';
    doc->m_history = &history;
    std::vector<int> sources;
    for (int i = 0; i < 1000; ++i)
        sources.push_back(1 + i * 6);
    doc->PasteCues(1500, sources.data(), 1000);
    CCueEditDlg editor(*doc);
    editor.m_editCue = doc->m_currentCue;
    editor.show();
    QApplication::processEvents();
    for (auto _ : state) {
        editor.OnUndo();
        QApplication::processEvents();
        state.PauseTiming();
        editor.OnRedo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoPasteOfThousandOnScreen)->Unit(benchmark::kMillisecond);

}  // namespace
