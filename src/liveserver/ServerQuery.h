#pragma once

#include "StatusReply.h"

#include <QObject>
#include <QTimer>

class DatagramLink;

// One question to a Quake II server over UDP: "status", or a command by
// remote console. A host name is looked up without blocking; the answer must
// come from the address and port asked, within the time limit. Asking again
// drops the question before.
class ServerQuery : public QObject {
    Q_OBJECT
public:
    static constexpr int TimeoutMs = 2000;

    explicit ServerQuery(QObject *parent = nullptr);
    ~ServerQuery() override;

    void askStatus(const QString &host, quint16 port);
    void askRcon(const QString &host, quint16 port, const QString &password,
                 const QString &command);
    void cancel();
    bool busy() const { return m_busy; }

signals:
    void statusAnswered(const StatusReply &reply);
    // The remote console's answer as the server printed it.
    void rconAnswered(const QString &text);
    // The server refused the password with its own words.
    void rconRefused(const QString &text);
    // No answer, a name that does not resolve, an answer that is no answer:
    // in plain words.
    void failed(const QString &message);

private:
    void ask(const QString &host, quint16 port, const QByteArray &datagram);
    void received(const QByteArray &bytes);
    void fail(const QString &message);
    void finish();

    DatagramLink *m_link = nullptr; // the question's; none between questions
    QTimer m_timeout;
    QTimer m_settle; // more datagrams of a long rcon answer
    bool m_busy = false;
    bool m_status = false;
    QString m_host;
    quint16 m_port = 0;
    QByteArray m_collected; // an rcon answer so far
};
