#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <QTimer>
#include <QUdpSocket>

// A Quake II player as small as a test needs: it asks a server on loopback
// for a challenge, connects, follows what the server asks of it (the server
// data, the configuration strings, the baselines, "begin") and enters the
// game. It sends no moves; it acknowledges what the server sends, which keeps
// it in the game.
class LoopbackClient {
public:
    LoopbackClient();
    ~LoopbackClient();

    // Starts connecting; the challenge is asked for again until the server
    // answers, so the server may still be starting.
    void connect(const QString &host, quint16 port, const QString &name);
    // Runs the event loop until the server sends game frames, or the time is up.
    bool waitInGame(int timeoutMs);
    // Leaves the server, which then drops the player at once.
    void disconnect();

private:
    enum class Stage { Idle, Challenge, Connecting, Connected, Begun, InGame };
    void tick();
    void received();
    void handleMessage(const QByteArray &message, bool reliable);
    void send(const QByteArray &commands);
    void sendOutOfBand(const QByteArray &text);

    QUdpSocket m_socket;
    QTimer m_ticks;
    QHostAddress m_host;
    quint16 m_port = 0;
    QString m_name;
    Stage m_stage = Stage::Idle;
    quint16 m_qport = 0;
    quint32 m_outgoing = 1;    // our next sequence number
    quint32 m_incoming = 0;    // the server's last sequence number we took
    quint32 m_reliableBit = 0; // flips with every reliable message taken
    QByteArray m_queued;       // commands for the next packet
};
