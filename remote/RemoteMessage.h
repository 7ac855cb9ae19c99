#pragma once
// The messages a phone sends over its live connection, JSON objects of an exact shape:
//   {"type":"pair","code":"123456","name":"Anna's phone"}
//   {"type":"hello","token":"<32 hex digits>"}
//   {"type":"cmd","client":"<id>","seq":17,"op":"go"}      ("value" with "master" 0..100 and "cue")
// Anything else, any other key, a wrong type or a message over kMaxRemoteMessage bytes is refused.

#include "remote/RemoteCommand.h"

#include <QByteArray>
#include <QString>

constexpr int kMaxRemoteMessage = 1024;

struct CRemoteMessage {
    enum class EKind { kPair, kHello, kCommand } kind = EKind::kHello;
    QString code;
    QString name;
    QByteArray token;
    QString client;
    qint64 seq = 0;
    CRemoteCommand command{ERemoteOp::kGo, 0};
};

// False with `why` said in a few words when the message is refused.
bool ParseRemoteMessage(const QByteArray& text, CRemoteMessage& out, QString* why);
