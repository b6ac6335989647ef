#include "ServerQuery.h"

#include "OutOfBand.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {
// An rcon answer longer than one datagram comes in several, close together.
constexpr int SettleMs = 150;
// The longest rcon answer kept.
constexpr qsizetype MaxRconText = 256 * 1024;
} // namespace

ServerQuery::ServerQuery(QObject *parent)
    : QObject(parent) {
    m_timeout.setSingleShot(true);
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        const bool partial = !m_collected.isEmpty();
        if (partial) {
            finish();
            return;
        }
        cancel();
        emit failed(
            QStringLiteral("No answer within 2 s from %1 port %2.").arg(m_host).arg(m_port));
    });
    connect(&m_settle, &QTimer::timeout, this, &ServerQuery::finish);
}

ServerQuery::~ServerQuery() {
    cancel();
}

void ServerQuery::cancel() {
    m_busy = false;
    m_timeout.stop();
    m_settle.stop();
    if (m_lookup >= 0)
        QHostInfo::abortHostLookup(m_lookup);
    m_lookup = -1;
    ++m_request;
    m_collected.clear();
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->deleteLater();
        m_socket = nullptr;
    }
}

void ServerQuery::askStatus(const QString &host, quint16 port) {
    m_status = true;
    ask(host, port, OutOfBand::statusRequest());
}

void ServerQuery::askRcon(const QString &host, quint16 port, const QString &password,
                          const QString &command) {
    const std::optional<QByteArray> datagram = OutOfBand::rconRequest(password, command);
    if (!datagram) {
        cancel();
        emit failed(QStringLiteral("A password with a quote, or a command of several lines, "
                                   "cannot be sent by remote console."));
        return;
    }
    m_status = false;
    ask(host, port, *datagram);
}

void ServerQuery::ask(const QString &host, quint16 port, const QByteArray &datagram) {
    cancel();
    m_busy = true;
    m_host = host.trimmed();
    m_port = port;
    m_datagram = datagram;
    // The whole question, look-up included, has its time limit.
    m_timeout.start(TimeoutMs);
    QHostAddress literal;
    QString bare = m_host;
    if (bare.startsWith(u'[') && bare.endsWith(u']'))
        bare = bare.mid(1, bare.size() - 2);
    if (literal.setAddress(bare)) {
        send(literal);
        return;
    }
    if (m_host.isEmpty()) {
        cancel();
        emit failed(QStringLiteral("Type the address of the server."));
        return;
    }
    const int request = m_request;
    m_lookup = QHostInfo::lookupHost(
        m_host, this, [this, request](const QHostInfo &info) { looked(request, info); });
}

void ServerQuery::looked(int request, const QHostInfo &info) {
    if (request != m_request)
        return;
    m_lookup = -1;
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        cancel();
        emit failed(QStringLiteral("The name %1 is not known: %2").arg(m_host, info.errorString()));
        return;
    }
    // IPv4 first where the name has both, as the game's own client does.
    QList<QHostAddress> addresses = info.addresses();
    std::stable_partition(addresses.begin(), addresses.end(), [](const QHostAddress &a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol;
    });
    send(addresses.first());
}

void ServerQuery::send(const QHostAddress &address) {
    m_address = address;
    m_socket = new QUdpSocket(this);
    connect(m_socket, &QUdpSocket::readyRead, this, &ServerQuery::readDatagrams);
    const bool v6 = address.protocol() == QAbstractSocket::IPv6Protocol;
    if (!m_socket->bind(
            v6 ? QHostAddress(QHostAddress::AnyIPv6) : QHostAddress(QHostAddress::AnyIPv4), 0) ||
        m_socket->writeDatagram(m_datagram, address, m_port) != m_datagram.size()) {
        const QString why = m_socket->errorString();
        cancel();
        emit failed(QStringLiteral("The question could not be sent to %1 port %2: %3")
                        .arg(m_host)
                        .arg(m_port)
                        .arg(why));
    }
}

void ServerQuery::readDatagrams() {
    while (m_socket && m_socket->hasPendingDatagrams()) {
        // One byte more than the largest answer kept tells an oversized one.
        const QNetworkDatagram datagram = m_socket->receiveDatagram(OutOfBand::MaxDatagram + 1);
        if (datagram.senderPort() != m_port ||
            !datagram.senderAddress().isEqual(m_address, QHostAddress::ConvertV4MappedToIPv4))
            continue; // not from the server asked
        const QByteArray bytes = datagram.data();
        if (m_status) {
            StatusReply reply = parseStatusReply(bytes);
            cancel();
            if (reply.ok())
                emit statusAnswered(reply);
            else
                emit failed(reply.error);
            return;
        }
        const std::optional<QByteArray> text = OutOfBand::printText(bytes);
        if (!text || bytes.size() > OutOfBand::MaxDatagram) {
            cancel();
            emit failed(QStringLiteral("The answer is not a Quake II remote console answer."));
            return;
        }
        if (m_collected.size() + text->size() <= MaxRconText)
            m_collected += *text;
        m_settle.start();
    }
}

void ServerQuery::finish() {
    const QString text = networkText(m_collected, MaxRconText, true);
    const bool refused = m_collected == OutOfBand::BadPassword;
    cancel();
    if (refused)
        emit rconRefused(text.trimmed());
    else
        emit rconAnswered(text);
}
