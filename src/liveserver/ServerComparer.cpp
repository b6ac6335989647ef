#include "ServerComparer.h"

#include "ServerQuery.h"

ServerComparer::ServerComparer(QObject *parent)
    : QObject(parent)
    , m_query(new ServerQuery(this)) {
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        if (m_runner)
            m_runner->disconnect(this);
        emit failed(QStringLiteral("The server did not answer the questions within 5 s."));
    });
    connect(m_query, &ServerQuery::rconAnswered, this, [this](const QString &text) {
        const QString &variable = m_expected[m_next].variable;
        for (const QString &line : text.split(u'\n'))
            if (const auto value = ServerComparison::consoleAnswer(line, variable))
                m_held.insert(variable, *value);
        ++m_next;
        askNextRemote();
    });
    connect(m_query, &ServerQuery::rconRefused, this,
            [this](const QString &text) { emit failed(text); });
    connect(m_query, &ServerQuery::failed, this, &ServerComparer::failed);
}

void ServerComparer::compareLocal(const QString &fileText, ServerRunner *runner) {
    m_text = fileText;
    m_expected = ServerComparison::expectations(fileText);
    m_held.clear();
    if (m_runner)
        m_runner->disconnect(this);
    m_runner = runner;
    if (!runner || !runner->running()) {
        emit failed(QStringLiteral("No server of the tool's runs."));
        return;
    }
    // The console answers a name only when it knows the variable: a marker
    // after each piece of questions says that its answers are in. No piece is
    // longer than the engine reads at once, and the next goes only when the
    // one before is answered, so no question is ever cut in two.
    ++m_round;
    m_chunks = {QStringList()};
    qsizetype bytes = 0;
    constexpr qsizetype room = ServerRunner::ConsoleReadBytes - 40; // the marker's line
    for (const ServerComparison::Expectation &e : std::as_const(m_expected)) {
        const QString question = ServerComparison::question(e.variable);
        if (question.size() + 1 > room)
            continue; // a name this long is no variable the server could hold
        if (bytes + question.size() + 1 > room) {
            m_chunks.append(QStringList());
            bytes = 0;
        }
        m_chunks.last().append(question);
        bytes += question.size() + 1;
    }
    m_chunk = 0;
    connect(runner, &ServerRunner::lineRead, this, &ServerComparer::consoleLine);
    m_timeout.start(ConsoleTimeoutMs);
    sendNextChunk();
}

void ServerComparer::sendNextChunk() {
    m_marker = QStringLiteral("kestrune-compared-%1-%2").arg(m_round).arg(m_chunk);
    for (const QString &question : std::as_const(m_chunks[m_chunk]))
        m_runner->send(question);
    m_runner->send(QStringLiteral("echo ") + m_marker);
}

void ServerComparer::consoleLine(const QString &line) {
    // The console's echo ends its words with a blank.
    if (line.trimmed() == m_marker) {
        if (++m_chunk < m_chunks.size()) {
            sendNextChunk();
            return;
        }
        m_runner->disconnect(this);
        done();
        return;
    }
    for (const ServerComparison::Expectation &e : std::as_const(m_expected))
        if (const auto value = ServerComparison::consoleAnswer(line, e.variable))
            m_held.insert(e.variable, *value);
}

void ServerComparer::compareRemote(const QString &fileText, const QString &host, quint16 port,
                                   const QString &password) {
    m_text = fileText;
    m_expected = ServerComparison::expectations(fileText);
    m_held.clear();
    m_host = host;
    m_port = port;
    m_password = password;
    m_next = 0;
    askNextRemote();
}

// One variable a question: the server runs an rcon command whole, without ";".
void ServerComparer::askNextRemote() {
    if (m_next >= m_expected.size()) {
        done();
        return;
    }
    m_query->askRcon(m_host, m_port, m_password,
                     ServerComparison::question(m_expected[m_next].variable));
}

void ServerComparer::done() {
    m_timeout.stop();
    emit compared(ServerComparison::differences(m_text, m_held), int(m_expected.size()));
}
