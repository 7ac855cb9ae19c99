// The chase editor's screen work: one preview paint of a fully lit 18-tier step
// (goal under 2 ms), one step refresh of all 120 lamp buttons (goal under 5 ms),
// and one keystroke of a rename over a full pool of 4,999 one-step chases with the
// chase list rebuilt (goal under 20 ms).
#include "chaseedit/ChaseEditDlg.h"
#include "chaseedit/ChasePreview.h"
#include "tests/ScriptedOperator.h"
#include "tests/ui/PictureShow.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string kSheet = [] {
    std::string here = __FILE__;  // <repo>/bench/ui/ChaseEditBench.cpp
    return here.substr(0, here.rfind("/bench/")) + "/app/Sprites.bmp";
}();

// The screens look for their files in a program directory of their own.
void UseScratchProgramDir()
{
    static char pattern[] = "/tmp/glimmer-bench-XXXXXX";
    static const char* dir = mkdtemp(pattern);
    setenv("GLIMMERBOX_HOME", dir != nullptr ? dir : "/tmp", 1);
}

// 18 tiers, the console's picture rectangle; step 1 (record 7) every lamp on, step 2 all off.
std::unique_ptr<CShowData> TwoStepShow(int firstRecord)
{
    auto show = picture_test::MakeShow(18);
    picture_test::AllLampsOn(*show);
    for (int r : {firstRecord, firstRecord + 1}) {
        std::snprintf(show->m_stepChase[r], kNameSize, "Steps");
        show->m_stepNumber[r] = r - firstRecord + 1;
    }
    return show;
}

void BM_PreviewPaintAllLit(benchmark::State& state)
{
    UseScratchProgramDir();
    auto show = TwoStepShow(picture_test::kRecord);
    picture_test::AllLevels(*show, 100);
    CChasePreview preview(*show, nullptr);
    if (!preview.Picture().LoadSprites(QString::fromStdString(kSheet)))
        state.SkipWithError("app/Sprites.bmp not found");
    QImage window(preview.size(), QImage::Format_RGB32);
    for (auto _ : state)
        preview.render(&window);  // the widget's own paint, into an image the size of its place
}
BENCHMARK(BM_PreviewPaintAllLit)->Unit(benchmark::kMicrosecond);

// Next on a two-step chase: every button changes its picture on every step.
void BM_StepRefreshAll120Buttons(benchmark::State& state)
{
    UseScratchProgramDir();
    auto show = TwoStepShow(picture_test::kRecord);
    CScriptedOperator person;
    show->m_operator = &person;
    CChaseEditDlg editor(*show);
    std::snprintf(editor.m_chaseName, kNameSize, "Steps");
    editor.show();
    const bool painted = state.range(0) != 0;
    for (auto _ : state) {
        editor.OnNextStep();
        if (painted)
            QApplication::processEvents();  // the buttons and the preview repaint
    }
    state.SetLabel(painted ? "handler and repaint" : "handler only");
}
BENCHMARK(BM_StepRefreshAll120Buttons)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One typed character (or its backspace) in the name box of the middle chase.
void BM_RenameKeystrokeFullPool(benchmark::State& state)
{
    UseScratchProgramDir();
    auto show = picture_test::MakeShow(18);
    CScriptedOperator person;
    show->m_operator = &person;
    for (int r = 1; r < kStepRecords; ++r) {
        std::snprintf(show->m_stepChase[r], kNameSize, "Chase %04d", r);
        show->m_stepNumber[r] = 1;
    }
    CChaseEditDlg editor(*show);
    std::snprintf(editor.m_chaseName, kNameSize, "Chase 2500");
    editor.show();
    QLineEdit* name = editor.findChild<QLineEdit*>("1056");
    name->setFocus();
    name->end(false);
    bool typed = false;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, typed ? Qt::Key_Backspace : Qt::Key_X, Qt::NoModifier, typed ? "" : "x");
        QApplication::sendEvent(name, &key);
        typed = !typed;
    }
    if (show->m_stepChase[2500][0] != 'C')
        state.SkipWithError("the chase was not renamed");
}
BENCHMARK(BM_RenameKeystrokeFullPool)->Unit(benchmark::kMillisecond);

}  // namespace
