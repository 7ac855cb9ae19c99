// The Remote Control screen on the real console: the switch, the code, the
// phones, and a console closed with the remote on that starts with it on.
#include "console/ConsoleRemote.h"
#include "remote/Remote.h"
#include "remote/RemoteDlg.h"
#include "tests/ui/ConsoleFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

namespace {

class RemoteDlgTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        CRemote::s_listenAddress = QHostAddress::LocalHost;
        WriteShow(3);
        Open();
        ASSERT_TRUE(console->Loaded());
        ASSERT_NE(console->Remote(), nullptr);
    }
    CRemote& Remote() { return console->Remote()->Remote(); }
};

}  // namespace

TEST_F(RemoteDlgTest, SwitchedOnItShowsTheCodeAndAddressesAndTheConsoleSaysSo)
{
    CRemoteDlg screen(Remote(), &person, console.get());
    auto* remoteSwitch = screen.findChild<QCheckBox*>("1601");
    ASSERT_NE(remoteSwitch, nullptr);
    EXPECT_FALSE(remoteSwitch->isChecked());  // off until the operator switches it on
    EXPECT_FALSE(Remote().Server().Listening());
    Remote().SetPort(18040, nullptr);
    remoteSwitch->click();
    ASSERT_TRUE(Remote().Server().Listening()) << person.Transcript();
    const QString code = screen.findChild<QLabel*>("1605")->text();
    EXPECT_EQ(code, Remote().Pairing().Code());
    EXPECT_EQ(code.size(), 6);
    EXPECT_TRUE(screen.findChild<QLabel*>("1603")->text().contains("http://127.0.0.1:18040/"));
    EXPECT_FALSE(screen.findChild<QLabel*>("1604")->pixmap().isNull());  // the QR code
    Ticks(1);
    EXPECT_TRUE(Status().endsWith(" - Remote On")) << Status().toStdString();

    QByteArray token;
    Remote().Pairing().TryCode("::1", code, "Anna", 0, &token);
    emit Remote().Server().PhonesChanged();
    screen.Refresh();
    ASSERT_EQ(screen.findChild<QListWidget*>("1606")->count(), 1);
    screen.adjustSize();
    screen.grab().save("/tmp/remote-screen.png");
    screen.findChild<QPushButton*>("1607")->click();
    EXPECT_EQ(screen.findChild<QListWidget*>("1606")->count(), 0);
    EXPECT_TRUE(Remote().Pairing().Phones().empty());

    // Switched off again, it listens no more and the code means nothing.
    remoteSwitch->click();
    EXPECT_FALSE(Remote().Server().Listening());
    Ticks(1);
    EXPECT_FALSE(Status().contains("Remote"));
}

TEST_F(RemoteDlgTest, AConsoleClosedWithTheRemoteOnStartsWithItOnAndANewCode)
{
    Remote().SetPort(18041, nullptr);
    ASSERT_TRUE(Remote().SetEnabled(true, nullptr));
    const QString firstCode = Remote().Pairing().Code();
    QByteArray token;
    Remote().Pairing().TryCode("::1", firstCode, "Anna", 0, &token);
    emit Remote().Server().PhonesChanged();
    console->OnClose();
    console.reset();
    EXPECT_NE(dir.Read("remote.cfg").find("remote|1|18041|"), std::string::npos);

    person.files.push_back(dir.Path("show.cue"));
    Open();
    ASSERT_TRUE(Remote().Server().Listening());
    EXPECT_EQ(Remote().Server().Port(), 18041);
    EXPECT_FALSE(Remote().Pairing().PhoneOf(token).isNull());  // the phone keeps its pairing
}
