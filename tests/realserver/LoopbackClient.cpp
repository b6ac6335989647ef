#include "LoopbackClient.h"

#include <QEventLoop>
#include <QNetworkDatagram>
#include <QtEndian>

namespace {

// What the server answered the probes with, byte by byte.
constexpr char kStringCommand = 4; // from the player: a console command
constexpr char kStuffText = 11;    // from the server: a command for the player's console
constexpr char kFrame = 20; // from the server: a game frame, sent only to players in the game
constexpr int kProtocol = 34;

QByteArray stringCommand(const QByteArray &text) {
    return kStringCommand + text + '\0';
}

// The null-terminated text at `from`, or nothing when the message ends first.
QByteArray textAt(const QByteArray &message, qsizetype from) {
    const qsizetype end = message.indexOf('\0', from);
    return end < 0 ? QByteArray() : message.sliced(from, end - from);
}

} // namespace

LoopbackClient::LoopbackClient() {
    m_socket.bind(QHostAddress::LocalHost, 0);
    m_qport = quint16(m_socket.localPort());
    QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { received(); });
    // A player sends a packet every frame; this one does ten times a second,
    // which answers every reliable message quickly enough.
    m_ticks.setInterval(100);
    QObject::connect(&m_ticks, &QTimer::timeout, [this] { tick(); });
}

LoopbackClient::~LoopbackClient() {
    disconnect();
}

void LoopbackClient::connect(const QString &host, quint16 port, const QString &name) {
    m_host = QHostAddress(host);
    m_port = port;
    m_name = name;
    m_stage = Stage::Challenge;
    m_ticks.start();
    tick();
}

bool LoopbackClient::waitInGame(int timeoutMs) {
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (m_stage == Stage::InGame)
            loop.quit();
    });
    deadline.start(timeoutMs);
    check.start(10);
    if (m_stage != Stage::InGame)
        loop.exec();
    return m_stage == Stage::InGame;
}

void LoopbackClient::disconnect() {
    if (m_stage >= Stage::Connected)
        for (int i = 0; i < 3; ++i) // as players do: the packets carry no guarantee
            send(stringCommand("disconnect"));
    m_stage = Stage::Idle;
    m_ticks.stop();
}

void LoopbackClient::tick() {
    switch (m_stage) {
    case Stage::Challenge:
        sendOutOfBand("getchallenge\n");
        break;
    case Stage::Connected:
    case Stage::Begun:
    case Stage::InGame:
        send(QByteArray());
        break;
    default:
        break;
    }
}

void LoopbackClient::sendOutOfBand(const QByteArray &text) {
    m_socket.writeDatagram(QByteArray(4, '\xff') + text, m_host, m_port);
}

// The channel's header: our sequence, the server's last sequence with the
// reliable bit we have taken, and our port number for the server to know us by.
void LoopbackClient::send(const QByteArray &commands) {
    QByteArray packet(10, '\0');
    qToLittleEndian<quint32>(m_outgoing++, packet.data());
    qToLittleEndian<quint32>(m_incoming | (m_reliableBit << 31), packet.data() + 4);
    qToLittleEndian<quint16>(m_qport, packet.data() + 8);
    m_socket.writeDatagram(packet + m_queued + commands, m_host, m_port);
    m_queued.clear();
}

void LoopbackClient::received() {
    while (m_socket.hasPendingDatagrams()) {
        const QByteArray packet = m_socket.receiveDatagram().data();
        if (packet.size() < 8)
            continue;
        const quint32 sequence = qFromLittleEndian<quint32>(packet.constData());
        if (sequence == 0xffffffff) {
            const QByteArray text = packet.sliced(4);
            if (m_stage == Stage::Challenge && text.startsWith("challenge ")) {
                const QByteArray challenge = text.split(' ').value(1);
                m_stage = Stage::Connecting;
                sendOutOfBand(QStringLiteral("connect %1 %2 %3 \"\\name\\%4\"\n")
                                  .arg(kProtocol)
                                  .arg(m_qport)
                                  .arg(QString::fromLatin1(challenge), m_name)
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
        if (reliable)
            m_reliableBit ^= 1;
        handleMessage(packet.sliced(8), reliable);
        send(QByteArray()); // acknowledges at once
    }
}

// The server says what it wants next in commands for the player's console:
// "cmd X" sends X back, "precache N" means everything is there and asks for
// "begin N". The rest of the message is not read, only searched for them.
void LoopbackClient::handleMessage(const QByteArray &message, bool reliable) {
    if (m_stage == Stage::Begun && !reliable && message.startsWith(kFrame))
        m_stage = Stage::InGame;
    for (qsizetype at = message.indexOf(kStuffText); at >= 0;
         at = message.indexOf(kStuffText, at + 1)) {
        const QByteArray text = textAt(message, at + 1);
        if (text.startsWith("cmd ") && text.endsWith('\n'))
            m_queued += stringCommand(text.sliced(4).chopped(1));
        else if (text.startsWith("precache ") && text.endsWith('\n')) {
            m_queued += stringCommand("begin " + text.sliced(9).chopped(1));
            m_stage = Stage::Begun;
        }
    }
}
