#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

// How a line of the server's console reads to the administrator.
enum class ConsoleLineKind { Plain, Warning, Error };
ConsoleLineKind classifyConsoleLine(QStringView line);

// What starts the server: the program with its arguments, no shell between.
struct ServerStart {
    QString program;
    QStringList arguments;
    QString workingFolder;
    quint16 port = 0;
};

// Runs a dedicated server as a child process: its output line by line, its
// console fed from standard input, a stop that asks before it forces, and a
// plain report of how it ended.
class ServerRunner : public QObject {
    Q_OBJECT
public:
    static constexpr int QuitWaitMs = 3000;      // after "quit", before terminating
    static constexpr int TerminateWaitMs = 3000; // after terminating, before killing
    static constexpr int AtOnceMs = 2000;        // an end this soon after the start
    static constexpr qsizetype MaxLineLength = 4096;
    static constexpr qint64 ReadSliceBytes = 64 * 1024; // read in one go
    static constexpr int LastLines = 12;
    // The engine reads its standard input in pieces of this many bytes and
    // runs each piece: a line cut between two pieces runs as two commands.
    static constexpr qsizetype ConsoleReadBytes = 256;

    explicit ServerRunner(QObject *parent = nullptr);
    ~ServerRunner() override;

    // Checks the program first; false and problem() when it cannot start.
    bool start(const ServerStart &start);
    void stop();
    // A console command; false when no server runs or the line is longer
    // than the engine reads at once.
    bool send(const QString &command);
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 processId() const { return m_process.processId(); }

    // Why a program cannot be started, or nothing.
    static QString programProblem(const QString &program);

signals:
    void lineRead(const QString &line, ConsoleLineKind kind);
    void started();
    // How the server ended, with its last lines.
    void ended(const QString &report);
    // Something the administrator must act on, in plain words.
    void problem(const QString &message);

private:
    void readOutput();
    void takeLine(QByteArrayView bytes);
    void finished(int code, QProcess::ExitStatus status);
    void failedToStart(QProcess::ProcessError error);

    QProcess m_process;
    QTimer m_terminate;
    QTimer m_kill;
    QElapsedTimer m_since;
    QByteArray m_partial;
    QStringList m_last;
    ServerStart m_start;
    bool m_stopping = false;
    bool m_terminated = false;
    bool m_killed = false;
    bool m_portTaken = false;
    bool m_moreToRead = false; // a read of the rest is queued
};
