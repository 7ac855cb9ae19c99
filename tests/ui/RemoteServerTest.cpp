// The remote's server on the loopback: the page, the refusals, pairing over the
// live connection and commands run once each.
#include "remote/HttpHead.h"
#include "remote/Remote.h"
#include "tests/ui/RemoteDoubles.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 5000;  // bound of every wait; the loopback answers in far less

class RemoteServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.SetClock([this] { return now; });
        QString why;
        ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0, &why)) << why.toStdString();
    }

    // The whole answer to `request`, sent raw.
    QByteArray Http(const QByteArray& request)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server.Port());
        if (!socket.waitForConnected(kWaitMs))
            return {};
        socket.write(request);
        QByteArray answer;
        (void)QTest::qWaitFor(
            [&] {
                answer += socket.readAll();
                return socket.state() == QAbstractSocket::UnconnectedState;
            },
            kWaitMs);
        return answer + socket.readAll();
    }

    // A live connection and what it is sent, message by message.
    struct CPhone {
        QWebSocket socket;
        QList<QJsonObject> received;
    };
    std::unique_ptr<CPhone> Connect()
    {
        auto phone = std::make_unique<CPhone>();
        QObject::connect(&phone->socket, &QWebSocket::textMessageReceived, [p = phone.get()](const QString& t) {
            p->received << QJsonDocument::fromJson(t.toUtf8()).object();
        });
        phone->socket.open(QUrl("ws://127.0.0.1:" + QString::number(server.Port()) + "/live"));
        (void)QTest::qWaitFor([&] { return phone->socket.state() == QAbstractSocket::ConnectedState; }, kWaitMs);
        return phone;
    }
    // Sends `text` and waits for the next answer of type other than "state".
    QJsonObject Say(CPhone& phone, const QByteArray& text)
    {
        const qsizetype before = phone.received.size();
        phone.socket.sendTextMessage(QString::fromUtf8(text));
        QJsonObject answer;
        (void)QTest::qWaitFor(
            [&] {
                for (qsizetype i = before; i < phone.received.size(); ++i)
                    if (phone.received[i].value("type") != "state") {
                        answer = phone.received[i];
                        return true;
                    }
                return false;
            },
            kWaitMs);
        return answer;
    }
    QByteArray Pair(CPhone& phone)
    {
        const QJsonObject answer =
            Say(phone, R"({"type":"pair","code":")" + pairing.Code().toLatin1() + R"(","name":"Anna"})");
        return answer.value("token").toString().toLatin1();
    }

    qint64 now = 0;
    CRecordingShow show;
    CPairing pairing;
    CRemoteServer server{show, show, pairing};
};

}  // namespace

TEST_F(RemoteServerTest, ServesThePageAndRefusesEveryOtherRequest)
{
    const QByteArray page = Http("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_TRUE(page.startsWith("HTTP/1.1 200 OK\r\n")) << page.left(80).toStdString();
    EXPECT_TRUE(page.contains("<title>Glimmerbox Remote</title>"));
    EXPECT_TRUE(Http("GET /remote.js HTTP/1.1\r\n\r\n").contains("text/javascript"));
    const struct {
        QByteArray request;
        const char* status;
    } cases[] = {
        {"GET /colors.txt HTTP/1.1\r\n\r\n", "404"},
        {"GET /../remote.cfg HTTP/1.1\r\n\r\n", "404"},
        {"POST / HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc", "405"},
        {"GET / HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc", "413"},
        {"GET / HTTP/1.1\r\nX: " + QByteArray(kMaxRequestHead, 'a') + "\r\n\r\n", "431"},
        {"HELLO\r\n\r\n", "400"},
        {"GET /live HTTP/1.1\r\nHost: 127.0.0.1:1\r\nOrigin: http://evil.example\r\nUpgrade: websocket\r\n"
         "Connection: Upgrade\r\n\r\n",
         "403"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Http(c.request).startsWith(QByteArray("HTTP/1.1 ") + c.status)) << c.status;
    EXPECT_EQ(server.Counters().refusedRequests, static_cast<int>(std::size(cases)));
}

TEST_F(RemoteServerTest, PeersOutsideTheLocalNetworksAreClosedAtOnce)
{
    server.SetPeerCheck([](const QHostAddress&) { return false; });
    EXPECT_EQ(Http("GET / HTTP/1.1\r\n\r\n"), QByteArray());
    EXPECT_EQ(server.Counters().refusedPeers, 1);
    EXPECT_TRUE(show.calls.isEmpty());
}

TEST_F(RemoteServerTest, OnlyAPairedPhoneMayPlayOrSeeTheShow)
{
    auto phone = Connect();
    ASSERT_EQ(phone->socket.state(), QAbstractSocket::ConnectedState);
    const QByteArray go = R"({"type":"cmd","client":"p1","seq":1,"op":"go"})";
    EXPECT_EQ(Say(*phone, go).value("reason"), "not paired");
    EXPECT_EQ(Say(*phone, R"({"type":"hello","token":"0123456789abcdef0123456789abcdef"})").value("reason"),
              "not paired");
    EXPECT_EQ(show.stateAsked, 0);  // an unpaired phone sees nothing of the show

    const QByteArray token = Pair(*phone);
    ASSERT_EQ(token.size(), 32);
    EXPECT_EQ(Say(*phone, go).value("type"), "ack");
    // Sent again after a reconnect, the same command is acknowledged but not run twice.
    auto again = Connect();
    EXPECT_EQ(Say(*again, R"({"type":"hello","token":")" + token + R"("})").value("type"), "welcome");
    EXPECT_EQ(Say(*again, go).value("type"), "ack");
    EXPECT_EQ(Say(*again, R"({"type":"cmd","client":"p1","seq":2,"op":"master","value":40})").value("type"), "ack");
    EXPECT_EQ(show.calls, QStringList({"go", "master 40"}));

    // Unknown, malformed, oversized and binary messages are refused and counted; the connection stays.
    const int before = server.Counters().refusedMessages;
    EXPECT_EQ(Say(*again, R"({"type":"cmd","client":"p1","seq":3,"op":"shutdown"})").value("reason"),
              "unknown command");
    EXPECT_EQ(Say(*again, "{not json").value("reason"), "not a JSON object");
    EXPECT_EQ(Say(*again, QByteArray(4000, 'x')).value("reason"), "too long");
    again->socket.sendBinaryMessage("go");
    (void)QTest::qWaitFor(
        [&] { return !again->received.isEmpty() && again->received.last().value("reason") == "binary message"; },
        kWaitMs);
    EXPECT_EQ(server.Counters().refusedMessages, before + 4);
    EXPECT_EQ(show.calls.size(), 2);

    // Forget All ends the pairing of every open page at once.
    server.ForgetAll();
    const QJsonObject afterForget = Say(*again, R"({"type":"cmd","client":"p1","seq":9,"op":"go"})");
    EXPECT_EQ(afterForget.value("reason"), "not paired") << QJsonDocument(afterForget).toJson().toStdString();
    EXPECT_EQ(show.calls.size(), 2);
}

TEST_F(RemoteServerTest, TheSixthWrongCodeIsLockedOutAndTheStateIsPushedOnChange)
{
    auto phone = Connect();
    const QByteArray wrong = pairing.Code() == "111111" ? "222222" : "111111";
    for (int i = 0; i < 5; ++i)
        Say(*phone, R"({"type":"pair","code":")" + wrong + R"(","name":"x"})");
    EXPECT_EQ(Say(*phone, R"({"type":"pair","code":")" + pairing.Code().toLatin1() + R"(","name":"x"})")
                  .value("reason"),
              "Locked out for a minute");
    EXPECT_EQ(server.Counters().lockouts, 1);
    now += CPairing::kLockoutMs;
    ASSERT_EQ(Pair(*phone).size(), 32);

    // Pushed when it changes, not again while it stays the same.
    show.state.running = true;
    show.state.cue = 3;
    show.state.cueName = "Finale";
    server.PushState();
    (void)QTest::qWaitFor([&] { return !phone->received.isEmpty() && phone->received.last().value("cue") == 3; },
                    kWaitMs);
    ASSERT_EQ(phone->received.last().value("cueName"), "Finale");
    const qsizetype count = phone->received.size();
    server.PushState();
    server.PushState();
    QTest::qWait(50);
    EXPECT_EQ(phone->received.size(), count);
}

TEST(RemoteSwitch, KeptOnAcrossRunsWithANewCodeEachTime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("remote.cfg");
    CRecordingShow show;
    CRemote::s_listenAddress = QHostAddress::LocalHost;
    QString firstCode;
    {
        CRemote remote(show, show, path);
        EXPECT_EQ(remote.StatusNote(), "");
        QString why;
        ASSERT_FALSE(remote.SetPort(0, nullptr));
        ASSERT_TRUE(remote.SetEnabled(true, &why)) << why.toStdString();
        EXPECT_EQ(remote.StatusNote(), " - Remote On");
        firstCode = remote.Pairing().Code();
        QByteArray token;
        remote.Pairing().TryCode("::1", firstCode, "Anna", 0, &token);
        emit remote.Server().PhonesChanged();
    }
    CRemote again(show, show, path);
    ASSERT_TRUE(again.Resume(nullptr));
    EXPECT_TRUE(again.Server().Listening());
    ASSERT_EQ(again.Pairing().Phones().size(), 1u);
    EXPECT_EQ(again.Pairing().Phones()[0].name, "Anna");
    again.SetEnabled(false, nullptr);
    EXPECT_FALSE(LoadRemoteSettings(path).enabled);
}
