#pragma once

#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>

// What a Quake II server says in answer to "status": its server-info keys and
// one line per player. Read by a pure routine with hard limits, so that any
// datagram, however hostile, gives a bounded result or a plain refusal.
struct StatusPlayer {
    int frags = 0;
    int ping = 0;
    QString name;
    friend bool operator==(const StatusPlayer &, const StatusPlayer &) = default;
};

struct StatusReply {
    // The limits of what is kept; anything beyond them is left out and noted.
    static constexpr qsizetype MaxKeys = 64;
    static constexpr qsizetype MaxKeyLength = 64;
    static constexpr qsizetype MaxValueLength = 256;
    static constexpr qsizetype MaxPlayers = 256;
    static constexpr qsizetype MaxNameLength = 64;

    QList<QPair<QString, QString>> info; // in the server's order
    QList<StatusPlayer> players;
    bool truncated = false; // the datagram ended inside a line, or limits cut it
    QString error;          // not a status answer at all: why, in plain words

    bool ok() const { return error.isEmpty(); }
    QString value(QStringView key) const;
    QString hostname() const { return value(u"hostname"); }
    QString map() const { return value(u"mapname"); }
    // The game folder: a modification's own, else the base game's.
    QString game() const;
    QString maxClients() const { return value(u"maxclients"); }
};

// The datagram as received, prefix included.
StatusReply parseStatusReply(QByteArrayView datagram);

// Text from the network as the window may show it: Latin-1, the high bit the
// server's second font uses dropped, control characters as "?" (line feeds
// kept where `lines` is set), cut at `limit`.
QString networkText(QByteArrayView bytes, qsizetype limit, bool lines = false);
