// The lamp test as the console opens it: from the Configuration menu, with the
// show stopped, and the lines handed back dark.
#include "lamptest/LampTestDlg.h"
#include "tests/DecodeFrames.h"
#include "tests/PtyLine.h"
#include "tests/ui/ConsoleFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

namespace {

TEST_F(ConsoleTest, LampTestStopsTheShowAndDrivesTheLinesWhateverSendingSays)
{
    CPtyLine line1;
    ASSERT_TRUE(line1.Ok() && tree1.Open(line1.path.c_str()));
    WriteShow(2);
    Open();
    console->Clock().SetTicking(false);  // the test ticks by hand
    Click("1006");
    ASSERT_TRUE(doc->m_running);
    ASSERT_FALSE(doc->m_sendTreeSignals);
    line1.Receive(kChannelFrameBytes);

    QString banner;
    std::vector<DecodedFrame> whileOpen;
    QTimer::singleShot(0, [&] {
        auto* test = qobject_cast<CLampTestDlg*>(QApplication::activeModalWidget());
        if (test == nullptr)
            return;
        banner = test->findChild<QLabel*>("2001")->text();
        test->findChild<QComboBox*>("2011")->setCurrentIndex(1);  // All On
        whileOpen = DecodeAll(line1.Receive(kChannelSequenceBytes + kChaseSequenceBytes));
        test->close();
    });
    console->findChild<QAction*>("32780")->trigger();

    EXPECT_EQ(banner, "LAMP TEST - the show is stopped");
    EXPECT_FALSE(doc->m_running);
    ASSERT_FALSE(whileOpen.empty());
    EXPECT_EQ(whileOpen.back().kind, FrameKind::kChase);
    EXPECT_TRUE(whileOpen.back().tierOn[0][0]) << "sent with Send Tree Signals off";
    std::vector<DecodedFrame> after = DecodeAll(line1.Receive(kChannelSequenceBytes + kChaseSequenceBytes));
    ASSERT_EQ(after.size(), static_cast<size_t>(kChannels + 1));
    EXPECT_EQ(after[kColor1].level, 0);
    EXPECT_FALSE(after.back().tierOn[0][0]);
    console->OnTimer();
    EXPECT_TRUE(line1.Receive().empty()) << "the stopped show sends nothing";
}

}  // namespace
