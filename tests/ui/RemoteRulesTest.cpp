// The remote's rules that need no network: who counts as local, the message and
// OSC packet shapes, the pairing and its lockout, the settings file.
#include "remote/LocalPeer.h"
#include "remote/OscPacket.h"
#include "remote/Pairing.h"
#include "remote/RemoteMessage.h"
#include "remote/RemoteSettings.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

TEST(RemoteLocalPeer, OnlyLoopbackAndLocalNetworks)
{
    const struct {
        const char* address;
        bool local;
    } cases[] = {
        {"127.0.0.1", true},      {"10.20.30.40", true},        {"172.16.0.1", true},
        {"172.31.255.255", true}, {"172.32.0.1", false},        {"192.168.1.7", true},
        {"192.169.1.7", false},   {"169.254.3.4", true},        {"8.8.8.8", false},
        {"100.64.0.1", false},    {"::1", true},                {"fe80::1", true},
        {"febf::1", true},        {"fec0::1", false},           {"fd12:3456::1", true},
        {"fc00::1", true},        {"2001:db8::1", false},       {"::ffff:192.168.0.9", true},
        {"::ffff:8.8.4.4", false}, {"0.0.0.0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsLocalPeer(QHostAddress(QString::fromLatin1(c.address))), c.local) << c.address;
    EXPECT_FALSE(IsLocalPeer(QHostAddress()));
}

TEST(RemoteMessages, StrictShapesOnly)
{
    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        {R"({"type":"pair","code":"012345","name":"Anna"})", true},
        {R"({"type":"pair","code":"12345","name":"Anna"})", false},
        {R"({"type":"pair","code":12345,"name":"Anna"})", false},
        {R"({"type":"pair","code":"012345","name":"Anna","admin":true})", false},
        {R"({"type":"hello","token":"0123456789abcdef0123456789abcdef"})", true},
        {R"({"type":"hello","token":"0123456789ABCDEF0123456789abcdef"})", false},
        {R"({"type":"hello","token":"../../etc/passwd"})", false},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"go"})", true},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"go","value":3})", false},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"master","value":55})", true},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"master","value":101})", false},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"master","value":5.5})", false},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"master"})", false},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"cue","value":7})", true},
        {R"({"type":"cmd","client":"c1","seq":0,"op":"go"})", false},
        {R"({"type":"cmd","client":"c1","seq":"1","op":"go"})", false},
        {R"({"type":"cmd","client":"a b","seq":1,"op":"go"})", false},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"reboot"})", false},
        {R"({"type":"cmd","client":"c1","seq":1,"op":"save"})", false},
        {R"({"type":"upload","file":"x"})", false},
        {R"(["go"])", false},
        {R"({"type":"cmd",)", false},
        {"", false},
    };
    for (const auto& c : cases) {
        CRemoteMessage message;
        QString why;
        EXPECT_EQ(ParseRemoteMessage(QByteArray(c.text), message, &why), c.ok) << c.text;
        EXPECT_EQ(why.isEmpty(), c.ok) << c.text;
    }
    const QByteArray padded = R"({"type":"hello","token":"0123456789abcdef0123456789abcdef"})" +
                              QByteArray(kMaxRemoteMessage, ' ');
    CRemoteMessage message;
    QString why;
    EXPECT_FALSE(ParseRemoteMessage(padded, message, &why));
    EXPECT_EQ(why, "too long");
}

namespace {

// OSC building blocks: a padded string, a big-endian int or float.
QByteArray Str(const char* s)
{
    QByteArray b(s);
    b.append('\0');
    while (b.size() % 4)
        b.append('\0');
    return b;
}
QByteArray Int(qint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}
QByteArray Float(float f)
{
    quint32 bits;
    std::memcpy(&bits, &f, 4);
    return Int(static_cast<qint32>(bits));
}
QByteArray Bundle(const std::vector<QByteArray>& parts)
{
    QByteArray b = Str("#bundle") + QByteArray(8, '\0');
    for (const QByteArray& p : parts)
        b += Int(static_cast<qint32>(p.size())) + p;
    return b;
}

}  // namespace

TEST(RemoteOsc, PacketsAndTheirCommands)
{
    const struct {
        const char* what;
        QByteArray packet;
        int commands;  // -1: the packet is refused
        ERemoteOp op;
        int value;
    } cases[] = {
        {"go", Str("/glimmerbox/go") + Str(","), 1, ERemoteOp::kGo, 0},
        {"blackout", Str("/glimmerbox/blackout") + Str(","), 1, ERemoteOp::kBlackout, 0},
        {"master", Str("/glimmerbox/master") + Str(",f") + Float(0.25f), 1, ERemoteOp::kMaster, 25},
        {"cue", Str("/glimmerbox/cue") + Str(",i") + Int(12), 1, ERemoteOp::kCue, 12},
        {"bundle", Bundle({Str("/glimmerbox/stop") + Str(","), Str("/glimmerbox/back") + Str(",")}), 2,
         ERemoteOp::kBack, 0},
        {"master above 1", Str("/glimmerbox/master") + Str(",f") + Float(1.5f), 0, ERemoteOp::kGo, 0},
        {"master NaN", Str("/glimmerbox/master") + Str(",f") + Float(NAN), 0, ERemoteOp::kGo, 0},
        {"cue as float", Str("/glimmerbox/cue") + Str(",f") + Float(2.0f), 0, ERemoteOp::kGo, 0},
        {"go with argument", Str("/glimmerbox/go") + Str(",i") + Int(1), 0, ERemoteOp::kGo, 0},
        {"other address", Str("/other/go") + Str(","), 0, ERemoteOp::kGo, 0},
        {"no type tags", Str("/glimmerbox/go"), -1, ERemoteOp::kGo, 0},
        {"argument cut short", Str("/glimmerbox/cue") + Str(",i") + Int(12).left(2), -1, ERemoteOp::kGo, 0},
        {"argument missing", Str("/glimmerbox/cue") + Str(",i"), -1, ERemoteOp::kGo, 0},
        {"address unpadded", QByteArray("/glimmerbox/go\0,\0\0\0", 19), -1, ERemoteOp::kGo, 0},
        {"string type", Str("/glimmerbox/go") + Str(",s") + Str("x"), -1, ERemoteOp::kGo, 0},
        {"trailing bytes", Str("/glimmerbox/go") + Str(",") + Int(0), -1, ERemoteOp::kGo, 0},
        {"bundle size past end", Str("#bundle") + QByteArray(8, '\0') + Int(400) + Str("/glimmerbox/go"), -1,
         ERemoteOp::kGo, 0},
        {"empty", QByteArray(), -1, ERemoteOp::kGo, 0},
    };
    for (const auto& c : cases) {
        std::vector<COscMessage> messages;
        const bool parsed = ParseOscPacket(c.packet, messages);
        EXPECT_EQ(parsed, c.commands >= 0) << c.what;
        int commands = 0;
        CRemoteCommand last{ERemoteOp::kGo, 0};
        for (const COscMessage& m : messages) {
            CRemoteCommand command{ERemoteOp::kGo, 0};
            if (OscCommand(m, command)) {
                ++commands;
                last = command;
            }
        }
        if (c.commands > 0) {
            EXPECT_EQ(commands, c.commands) << c.what;
            EXPECT_EQ(last.op, c.op) << c.what;
            EXPECT_EQ(last.value, c.value) << c.what;
        } else {
            EXPECT_EQ(commands, 0) << c.what;
        }
    }
    // Every cut of a good packet short of its end is refused, none read past it.
    const QByteArray whole = Bundle({Str("/glimmerbox/master") + Str(",f") + Float(0.5f)});
    for (int n = 0; n < whole.size(); ++n) {
        if (n == 16)
            continue;  // "#bundle" and its time tag alone: a whole bundle with nothing in it
        std::vector<COscMessage> messages;
        EXPECT_FALSE(ParseOscPacket(whole.left(n), messages)) << n;
    }
}

TEST(RemotePairing, FiveWrongCodesLockAnAddressOutForAMinute)
{
    CPairing pairing;
    const QString wrong = pairing.Code() == "000000" ? "000001" : "000000";
    qint64 now = 1000;
    QByteArray token;
    for (int i = 0; i < CPairing::kTriesBeforeLockout; ++i)
        EXPECT_EQ(pairing.TryCode("10.0.0.5", wrong, "x", now, &token), EPairResult::kWrongCode) << i;
    // The sixth try is locked out, the right code too; another address is not.
    EXPECT_EQ(pairing.TryCode("10.0.0.5", pairing.Code(), "x", now, &token), EPairResult::kLockedOut);
    EXPECT_EQ(pairing.LockedAddresses(now), std::vector<QString>{"10.0.0.5"});
    EXPECT_EQ(pairing.TryCode("10.0.0.6", pairing.Code(), "Anna's phone", now, &token), EPairResult::kPaired);
    now += CPairing::kLockoutMs - 1;
    EXPECT_TRUE(pairing.LockedOut("10.0.0.5", now));
    now += 1;
    EXPECT_FALSE(pairing.LockedOut("10.0.0.5", now));
    EXPECT_EQ(pairing.TryCode("10.0.0.5", pairing.Code(), "Bob", now, &token), EPairResult::kPaired);
}

TEST(RemotePairing, TokensAreRandomKeptHashedAndForgotten)
{
    CPairing pairing;
    QByteArray first, second;
    ASSERT_EQ(pairing.TryCode("::1", pairing.Code(), "  Anna\t\n phone|x  ", 0, &first), EPairResult::kPaired);
    ASSERT_EQ(pairing.TryCode("::1", pairing.Code(), "", 0, &second), EPairResult::kPaired);
    EXPECT_EQ(first.size(), 32);  // 128 bits in hex
    EXPECT_NE(first, second);
    EXPECT_EQ(pairing.PhoneOf(first), "Anna phone x");
    EXPECT_EQ(pairing.PhoneOf(second), "Phone");
    EXPECT_TRUE(pairing.PhoneOf(QByteArray(32, '0')).isNull());
    for (const CPairedPhone& phone : pairing.Phones())
        EXPECT_NE(phone.tokenHash, first);
    const QString oldCode = pairing.Code();
    pairing.NewCode();
    EXPECT_EQ(pairing.Code().size(), 6);
    pairing.ForgetAll();
    EXPECT_TRUE(pairing.PhoneOf(first).isNull());
    EXPECT_TRUE(pairing.Phones().empty());
}

TEST(RemoteSettingsFile, KeptAcrossRunsAndBadLinesSkipped)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("remote.cfg");
    CRemoteSettings settings;
    EXPECT_FALSE(LoadRemoteSettings(path).enabled);  // missing: off
    settings.enabled = true;
    settings.port = 9050;
    settings.oscEnabled = true;
    settings.phones.push_back({CPairing::HashToken("abc"), "Anna"});
    QString why;
    ASSERT_TRUE(SaveRemoteSettings(path, settings, &why)) << why.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("remote|1|99999|\nphone|nothex|Eve|\nphone|" + QByteArray(64, 'a') + "|Carl|\n");
    file.close();
    const CRemoteSettings back = LoadRemoteSettings(path);
    EXPECT_TRUE(back.enabled);
    EXPECT_EQ(back.port, 9050);
    EXPECT_TRUE(back.oscEnabled);
    ASSERT_EQ(back.phones.size(), 2u);
    EXPECT_EQ(back.phones[0].tokenHash, CPairing::HashToken("abc"));
    EXPECT_EQ(back.phones[1].name, "Carl");
}
