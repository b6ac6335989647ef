#pragma once

#include "ServerComparison.h"
#include "ServerRunner.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class ServerQuery;

// Asks a running server for every variable its file sets, through the local
// server's console or by remote console, and reports the differences.
class ServerComparer : public QObject {
    Q_OBJECT
public:
    static constexpr int ConsoleTimeoutMs = 5000;

    explicit ServerComparer(QObject *parent = nullptr);

    // The file's text and the local server that runs it.
    void compareLocal(const QString &fileText, ServerRunner *runner);
    // The file's text and a server reached by remote console.
    void compareRemote(const QString &fileText, const QString &host, quint16 port,
                       const QString &password);

signals:
    void compared(const QList<ServerComparison::Difference> &differences, int asked);
    void failed(const QString &message);

private:
    void consoleLine(const QString &line);
    void sendNextChunk();
    void askNextRemote();
    void done();

    QString m_text;
    QList<ServerComparison::Expectation> m_expected;
    QHash<QString, QString> m_held;
    QPointer<ServerRunner> m_runner;
    QString m_marker;
    int m_round = 0;
    QList<QStringList> m_chunks; // questions that the engine reads whole at once
    qsizetype m_chunk = 0;
    QTimer m_timeout;
    ServerQuery *m_query = nullptr;
    qsizetype m_next = 0;
    QString m_host;
    quint16 m_port = 0;
    QString m_password;
};
