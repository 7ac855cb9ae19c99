// From the Next key on the lamp test screen to the first byte of the step on the
// tree side of a pseudo-terminal line, one circuit at a time on an 18-tier tree.
#include "bench/ui/ConsoleRig.h"
#include "lamptest/LampTestDlg.h"
#include "link/SerialPort.h"
#include "tests/LampTestLayouts.h"

#include <QComboBox>
#include <QApplication>
#include <QKeyEvent>

namespace {

void BM_LampTestNextKeyToFirstByte(benchmark::State& state)
{
    CShowRig rig;
    MakeTestLayout(*rig.doc, ETestLayout::kEveryPart);
    rig.doc->m_tierCount = kTiers;
    for (bool& present : rig.doc->m_tierPresent)
        present = true;
    CPtyLine line;
    CSerialPort tree1(line.path.c_str());
    rig.doc->m_tree1Port = &tree1;
    CLampTestDlg test(*rig.doc);
    test.show();
    test.findChild<QComboBox*>("2011")->setCurrentIndex(2);  // one circuit at a time
    line.Receive(kChaseSequenceBytes);

    std::vector<double> firstByte;
    for (auto _ : state) {
        Clock::time_point asked = Clock::now();  // the key as the window gets it
        QKeyEvent next(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(&test, &next);
        pollfd p{line.master, POLLIN, 0};
        poll(&p, 1, 1000);
        Clock::time_point arrived = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(arrived - asked).count());
        firstByte.push_back(Ms(arrived - asked));
        state.PauseTiming();
        line.Receive(kChaseSequenceBytes, 5);  // the rest of the step
        state.ResumeTiming();
    }
    ReportSpread(state, firstByte, "next_to_first_byte_");
}
BENCHMARK(BM_LampTestNextKeyToFirstByte)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace
