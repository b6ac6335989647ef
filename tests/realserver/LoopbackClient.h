#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <QtEndian>

// A Quake II player as small as a test needs: it asks a server on loopback
// for a challenge, connects, follows what the server asks of it (the server
// data, the configuration strings, the baselines, "begin") and enters the
// game. It sends no moves; it acknowledges what the server sends, which keeps
// it in the game.
class LoopbackClient {
public:
    LoopbackClient() {
        m_socket.bind(QHostAddress::LocalHost, 0);
        m_qport = quint16(m_socket.localPort());
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { received(); });
        // A player sends a packet every frame; this one does ten times a
        // second, which answers every reliable message quickly enough.
        m_ticks.setInterval(100);
        QObject::connect(&m_ticks, &QTimer::timeout, [this] {
            if (m_stage == Stage::Challenge)
                sendOutOfBand("getchallenge\n");
            else if (m_stage >= Stage::Connected)
                send(QByteArray());
        });
    }

    // Starts connecting; the challenge is asked for again until the server
    // answers, so the server may still be starting.
    void connect(quint16 port, const QString &name) {
        m_port = port;
        m_name = name;
        m_stage = Stage::Challenge;
        m_ticks.start();
        sendOutOfBand("getchallenge\n");
    }
    // Runs the event loop until the server sends game frames, or the time is up.
    bool waitInGame(int timeoutMs) {
        return QTest::qWaitFor([this] { return m_stage == Stage::InGame; }, timeoutMs);
    }

private:
    enum class Stage { Idle, Challenge, Connecting, Connected, Begun, InGame };
    // What the server answered the probes with, byte by byte.
    static constexpr char kStringCommand = 4; // from the player: a console command
    static constexpr char kStuffText = 11;    // from the server: a command for the player's console
    static constexpr char kFrame = 20; // from the server: a game frame, sent only to players in it

    static QByteArray stringCommand(const QByteArray &text) { return kStringCommand + text + '\0'; }
    void sendOutOfBand(const QByteArray &text) {
        m_socket.writeDatagram(QByteArray(4, '\xff') + text, m_host, m_port);
    }
    // The channel's header: our sequence, the server's last sequence with the
    // reliable bit we have taken, and our port number for the server to know us by.
    void send(const QByteArray &commands) {
        QByteArray packet(10, '\0');
        qToLittleEndian<quint32>(m_outgoing++, packet.data());
        qToLittleEndian<quint32>(m_incoming | (m_reliableBit << 31), packet.data() + 4);
        qToLittleEndian<quint16>(m_qport, packet.data() + 8);
        m_socket.writeDatagram(packet + m_queued + commands, m_host, m_port);
        m_queued.clear();
    }

    void received() {
        while (m_socket.hasPendingDatagrams()) {
            const QByteArray packet = m_socket.receiveDatagram().data();
            if (packet.size() < 8)
                continue;
            const quint32 sequence = qFromLittleEndian<quint32>(packet.constData());
            if (sequence == 0xffffffff) {
                const QByteArray text = packet.sliced(4);
                if (m_stage == Stage::Challenge && text.startsWith("challenge ")) {
                    m_stage = Stage::Connecting;
                    sendOutOfBand(QStringLiteral("connect 34 %1 %2 \"\\name\\%3\"\n") // protocol 34
                                      .arg(m_qport)
                                      .arg(QString::fromLatin1(text.split(' ').value(1)), m_name)
                                      .toLatin1());
                } else if (m_stage == Stage::Connecting && text.startsWith("client_connect")) {
                    m_stage = Stage::Connected;
                    send(stringCommand("new"));
                }
                continue;
            }
            if (m_stage < Stage::Connected || (sequence & 0x7fffffff) <= m_incoming)
                continue; // late or repeated
            m_incoming = sequence & 0x7fffffff;
            const bool reliable = sequence >> 31;
            m_reliableBit ^= quint32(reliable);
            // The server says what it wants next in commands for the player's
            // console: "cmd X" sends X back, "precache N" means everything is
            // there and asks for "begin N". The rest of the message is not
            // read, only searched for them.
            const QByteArray message = packet.sliced(8);
            if (m_stage == Stage::Begun && !reliable && message.startsWith(kFrame))
                m_stage = Stage::InGame;
            for (qsizetype at = message.indexOf(kStuffText); at >= 0;
                 at = message.indexOf(kStuffText, at + 1)) {
                const QByteArray text = message.sliced(at + 1).split('\0').first();
                if (text.startsWith("cmd ") && text.endsWith('\n'))
                    m_queued += stringCommand(text.sliced(4).chopped(1));
                else if (text.startsWith("precache ") && text.endsWith('\n')) {
                    m_queued += stringCommand("begin " + text.sliced(9).chopped(1));
                    m_stage = Stage::Begun;
                }
            }
            send(QByteArray()); // acknowledges at once
        }
    }

    QUdpSocket m_socket;
    QTimer m_ticks;
    const QHostAddress m_host{QHostAddress::LocalHost};
    quint16 m_port = 0;
    QString m_name;
    Stage m_stage = Stage::Idle;
    quint16 m_qport = 0;
    quint32 m_outgoing = 1;    // our next sequence number
    quint32 m_incoming = 0;    // the server's last sequence number we took
    quint32 m_reliableBit = 0; // flips with every reliable message taken
    QByteArray m_queued;       // commands for the next packet
};
