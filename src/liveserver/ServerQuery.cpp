#include "ServerQuery.h"

#include "DatagramLink.h"
#include "OutOfBand.h"

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
        fail(QStringLiteral("No answer within 2 s from %1 port %2.").arg(m_host).arg(m_port));
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
    m_collected.clear();
    if (m_link)
        std::exchange(m_link, nullptr)->close();
}

void ServerQuery::askStatus(const QString &host, quint16 port) {
    m_status = true;
    ask(host, port, OutOfBand::statusRequest());
}

void ServerQuery::askRcon(const QString &host, quint16 port, const QString &password,
                          const QString &command) {
    const std::optional<QByteArray> datagram = OutOfBand::rconRequest(password, command);
    if (!datagram) {
        fail(QStringLiteral("A password with a quote, or a command of several lines, "
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
    if (m_host.isEmpty()) {
        fail(QStringLiteral("Type the address of the server."));
        return;
    }
    QString why;
    m_link = DatagramLink::open({[this](const QByteArray &bytes) { received(bytes); },
                                 [this](const QString &message) { fail(message); }},
                                this, &why);
    if (!m_link) {
        fail(QStringLiteral("The network part of the program could not be loaded: %1").arg(why));
        return;
    }
    // The whole question, look-up included, has its time limit.
    m_timeout.start(TimeoutMs);
    m_link->send(m_host, m_port, datagram);
}

void ServerQuery::fail(const QString &message) {
    cancel();
    emit failed(message);
}

void ServerQuery::received(const QByteArray &bytes) {
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
        fail(QStringLiteral("The answer is not a Quake II remote console answer."));
        return;
    }
    if (m_collected.size() + text->size() <= MaxRconText)
        m_collected += *text;
    m_settle.start();
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
