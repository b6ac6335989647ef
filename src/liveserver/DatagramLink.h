#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QObject;

// The network under a question to a server: looks up the host, sends one
// datagram to it and hands on every datagram that comes back from that
// address and port. It lives in a module of its own (kestrune_udp), loaded
// when the first question is asked, so that starting the program does not
// load Qt's network library and the libraries that library needs.
class DatagramLink {
public:
    struct Events {
        std::function<void(const QByteArray &)> received;
        std::function<void(const QString &)> failed; // in plain words
    };

    // A link from the module, a child of `parent`, or nothing with `why` set
    // when the module cannot be loaded.
    static DatagramLink *open(Events events, QObject *parent, QString *why);

    // Looks `host` up (an address in digits, or in brackets, is taken as it
    // stands; IPv4 first where a name has both) and sends the datagram.
    virtual void send(const QString &host, quint16 port, const QByteArray &datagram) = 0;
    // No event comes after this; the link goes when its own events are done.
    virtual void close() = 0;

protected:
    virtual ~DatagramLink() = default;
};

// What the module exports, by this name.
using MakeDatagramLink = DatagramLink *(*)(DatagramLink::Events events, QObject *parent);
inline constexpr char MakeDatagramLinkName[] = "kestruneMakeDatagramLink";
