// The module kestrune_udp: the only code of the program on Qt's network
// library, loaded by DatagramLink::open when the first question is asked.
#include "DatagramLink.h"
#include "OutOfBand.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {

class UdpLink : public QObject, public DatagramLink {
public:
    UdpLink(Events events, QObject *parent)
        : QObject(parent)
        , m_events(std::move(events)) {}

    void send(const QString &host, quint16 port, const QByteArray &datagram) override {
        m_host = host;
        m_port = port;
        m_datagram = datagram;
        QHostAddress literal;
        QString bare = host;
        if (bare.startsWith(u'[') && bare.endsWith(u']'))
            bare = bare.mid(1, bare.size() - 2);
        if (literal.setAddress(bare)) {
            sendTo(literal);
            return;
        }
        m_lookup = QHostInfo::lookupHost(host, this, [this](const QHostInfo &info) {
            m_lookup = -1;
            if (m_events.failed) // not closed meanwhile
                looked(info);
        });
    }

    void close() override {
        m_events = {};
        if (m_lookup >= 0)
            QHostInfo::abortHostLookup(m_lookup);
        m_lookup = -1;
        if (m_socket)
            m_socket->disconnect(this);
        deleteLater();
    }

private:
    void looked(const QHostInfo &info) {
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
            fail(QStringLiteral("The name %1 is not known: %2").arg(m_host, info.errorString()));
            return;
        }
        // IPv4 first where the name has both, as the game's own client does.
        QList<QHostAddress> addresses = info.addresses();
        std::stable_partition(addresses.begin(), addresses.end(), [](const QHostAddress &a) {
            return a.protocol() == QAbstractSocket::IPv4Protocol;
        });
        sendTo(addresses.first());
    }

    void sendTo(const QHostAddress &address) {
        m_address = address;
        m_socket = new QUdpSocket(this);
        connect(m_socket, &QUdpSocket::readyRead, this, &UdpLink::readDatagrams);
        const bool v6 = address.protocol() == QAbstractSocket::IPv6Protocol;
        if (!m_socket->bind(v6 ? QHostAddress(QHostAddress::AnyIPv6)
                               : QHostAddress(QHostAddress::AnyIPv4),
                            0) ||
            m_socket->writeDatagram(m_datagram, address, m_port) != m_datagram.size())
            fail(QStringLiteral("The question could not be sent to %1 port %2: %3")
                     .arg(m_host)
                     .arg(m_port)
                     .arg(m_socket->errorString()));
    }

    void readDatagrams() {
        while (m_events.received && m_socket->hasPendingDatagrams()) {
            // One byte more than the largest answer kept tells an oversized one.
            const QNetworkDatagram datagram = m_socket->receiveDatagram(OutOfBand::MaxDatagram + 1);
            if (datagram.senderPort() == m_port &&
                datagram.senderAddress().isEqual(m_address, QHostAddress::ConvertV4MappedToIPv4))
                std::function(m_events.received)(datagram.data()); // may close the link
        }
    }

    void fail(const QString &message) {
        if (const auto failed = m_events.failed)
            failed(message); // may close the link
    }

    Events m_events;
    QString m_host;
    quint16 m_port = 0;
    QByteArray m_datagram;
    int m_lookup = -1;
    QHostAddress m_address;
    QUdpSocket *m_socket = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT DatagramLink *kestruneMakeDatagramLink(DatagramLink::Events events,
                                                                QObject *parent) {
    return new UdpLink(std::move(events), parent);
}
