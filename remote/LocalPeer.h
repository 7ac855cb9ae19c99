#pragma once
// Which peers the remote talks to: the machine itself and the local networks
// (loopback, private IPv4, link-local, IPv6 unique-local, and their IPv4-mapped
// forms). Everyone else is closed at once.

#include <QHostAddress>
#include <functional>

bool IsLocalPeer(const QHostAddress& address);

// The check a server applies; tests put their own in its place.
using CPeerCheck = std::function<bool(const QHostAddress&)>;
