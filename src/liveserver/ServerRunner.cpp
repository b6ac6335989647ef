#include "ServerRunner.h"

#include "StatusReply.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <array>
#include <csignal>
#include <cstring>

namespace {

struct ConsoleWord {
    QLatin1StringView text;
    ConsoleLineKind kind;
};

// The engine's own words, in the letter cases it prints them.
constexpr ConsoleWord kConsoleWords[] = {
    {QLatin1StringView("rror"), ConsoleLineKind::Error},
    {QLatin1StringView("ERROR"), ConsoleLineKind::Error},
    {QLatin1StringView("Couldn't load"), ConsoleLineKind::Error},
    {QLatin1StringView("Can't find"), ConsoleLineKind::Error},
    {QLatin1StringView("overflow"), ConsoleLineKind::Error},
    {QLatin1StringView("Address already in use"), ConsoleLineKind::Error},
    {QLatin1StringView("arning"), ConsoleLineKind::Warning},
    {QLatin1StringView("WARNING"), ConsoleLineKind::Warning},
    {QLatin1StringView("ouldn't"), ConsoleLineKind::Warning},
    {QLatin1StringView("USAGE:"), ConsoleLineKind::Warning},
    {QLatin1StringView("Bad "), ConsoleLineKind::Warning},
    {QLatin1StringView("bad "), ConsoleLineKind::Warning},
    {QLatin1StringView("Unknown command"), ConsoleLineKind::Warning},
    {QLatin1StringView("discarded"), ConsoleLineKind::Warning},
};

// Which ASCII letters begin a word.
constexpr std::array<bool, 128> kWordStarts = [] {
    std::array<bool, 128> starts{};
    for (const ConsoleWord &word : kConsoleWords)
        starts[word.text.front().unicode()] = true;
    return starts;
}();

} // namespace

// One pass over the line, comparing only where a word could begin: the
// console may see a hundred thousand lines a second, and a search for each
// word in turn was most of the time it took to read them.
ConsoleLineKind classifyConsoleLine(QStringView line) {
    ConsoleLineKind kind = ConsoleLineKind::Plain;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (c >= 128 || !kWordStarts[c])
            continue;
        for (const ConsoleWord &word : kConsoleWords) {
            if (word.text.front().unicode() != c || !line.sliced(i).startsWith(word.text))
                continue;
            if (word.kind == ConsoleLineKind::Error)
                return word.kind;
            kind = word.kind;
        }
    }
    return kind;
}

ServerRunner::ServerRunner(QObject *parent)
    : QObject(parent) {
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_terminate.setSingleShot(true);
    m_kill.setSingleShot(true);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &ServerRunner::readOutput);
    connect(&m_process, &QProcess::finished, this, &ServerRunner::finished);
    connect(&m_process, &QProcess::errorOccurred, this, &ServerRunner::failedToStart);
    connect(&m_process, &QProcess::started, this, &ServerRunner::started);
    connect(&m_terminate, &QTimer::timeout, this, [this] {
        m_terminated = true;
        m_process.terminate();
        m_kill.start(TerminateWaitMs);
    });
    connect(&m_kill, &QTimer::timeout, this, [this] {
        m_killed = true;
        m_process.kill();
    });
}

// The tool does not leave its server behind: asked to end first, so that a
// program that starts the engine as its child passes it on, then killed.
ServerRunner::~ServerRunner() {
    if (!running())
        return;
    m_process.disconnect(this);
    m_process.terminate();
    if (!m_process.waitForFinished(TerminateWaitMs)) {
        m_process.kill();
        m_process.waitForFinished(TerminateWaitMs);
    }
}

QString ServerRunner::programProblem(const QString &program) {
    if (program.trimmed().isEmpty())
        return QStringLiteral("Choose the game's program first (Location of Quake in the "
                              "command-line creator).");
    const QFileInfo info(program);
    if (!info.exists())
        return QStringLiteral("The program %1 does not exist.").arg(program);
    if (!info.isFile())
        return QStringLiteral("%1 is not a program but a folder or a device.").arg(program);
    if (!info.isExecutable())
        return QStringLiteral("%1 is not executable: it lacks the permission to run.").arg(program);
    return QString();
}

bool ServerRunner::start(const ServerStart &start) {
    if (running()) {
        emit problem(QStringLiteral("The server is already running."));
        return false;
    }
    if (const QString why = programProblem(start.program); !why.isEmpty()) {
        emit problem(why);
        return false;
    }
    m_start = start;
    m_stopping = m_terminated = m_killed = m_portTaken = false;
    m_partial.clear();
    m_last.clear();
    // The engine writes its console through C's stdio, which holds back a
    // pipe's output in blocks: stdbuf makes it hand over every line at once.
    const QString stdbuf = QStandardPaths::findExecutable(QStringLiteral("stdbuf"));
    if (stdbuf.isEmpty()) {
        m_process.setProgram(start.program);
        m_process.setArguments(start.arguments);
    } else {
        m_process.setProgram(stdbuf);
        m_process.setArguments(
            QStringList{QStringLiteral("-oL"), QStringLiteral("-eL"), start.program} +
            start.arguments);
    }
    m_process.setWorkingDirectory(start.workingFolder);
    m_since.start();
    m_process.start(QIODevice::ReadWrite);
    return true;
}

void ServerRunner::stop() {
    if (!running() || m_stopping)
        return;
    m_stopping = true;
    m_process.write("quit\n");
    m_terminate.start(QuitWaitMs);
}

bool ServerRunner::send(const QString &command) {
    if (m_process.state() != QProcess::Running)
        return false;
    // One command a line: a line feed inside would start a second one.
    QString line = command;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    const QByteArray bytes = line.toLatin1() + '\n';
    if (bytes.size() >= ConsoleReadBytes)
        return false;
    m_process.write(bytes);
    return true;
}

// A slice at a time, the rest after the events that wait: a server that
// prints faster than the window shows cannot hold the window up.
void ServerRunner::readOutput() {
    const QByteArray bytes = m_process.read(ReadSliceBytes);
    qsizetype from = 0;
    for (qsizetype end; (end = bytes.indexOf('\n', from)) >= 0; from = end + 1) {
        m_partial += QByteArrayView(bytes).sliced(from, end - from);
        takeLine(m_partial);
        m_partial.clear();
    }
    m_partial += QByteArrayView(bytes).sliced(from);
    // A line without end is shown in pieces rather than held without bound.
    while (m_partial.size() > MaxLineLength) {
        takeLine(QByteArrayView(m_partial).first(MaxLineLength));
        m_partial.remove(0, MaxLineLength);
    }
    if (m_process.bytesAvailable() > 0 && !m_moreToRead && running()) {
        m_moreToRead = true;
        QTimer::singleShot(0, this, [this] {
            m_moreToRead = false;
            readOutput();
        });
    }
}

void ServerRunner::takeLine(QByteArrayView bytes) {
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    const QString line = networkText(bytes, MaxLineLength);
    m_last.append(line);
    if (m_last.size() > LastLines)
        m_last.removeFirst();
    const ConsoleLineKind kind = classifyConsoleLine(line);
    emit lineRead(line, kind);
    if (!m_portTaken && kind == ConsoleLineKind::Error &&
        line.contains(QLatin1StringView("Address already in use"))) {
        m_portTaken = true;
        emit problem(QStringLiteral("Port %1 is already in use by another program or server: "
                                    "this server cannot take it and stops. Stop the other one "
                                    "or choose another port.")
                         .arg(m_start.port));
        stop();
    }
}

void ServerRunner::failedToStart(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart)
        return;
    emit problem(QStringLiteral("%1 could not be started: %2")
                     .arg(m_start.program, m_process.errorString()));
}

void ServerRunner::finished(int code, QProcess::ExitStatus status) {
    m_terminate.stop();
    m_kill.stop();
    // What the server printed last is shown before its end, a slice at a time.
    if (m_process.bytesAvailable() > 0) {
        readOutput();
        QTimer::singleShot(0, this, [this, code, status] { finished(code, status); });
        return;
    }
    if (!m_partial.isEmpty()) {
        takeLine(m_partial);
        m_partial.clear();
    }
    QString how;
    if (status == QProcess::NormalExit) {
        how = QStringLiteral("The server ended with exit code %1.").arg(code);
    } else {
        // A crash exit carries the number of the signal that ended the process.
        const QString name = QString::fromLocal8Bit(strsignal(code));
        if (m_killed)
            how =
                QStringLiteral("The server did not end when asked and was killed (signal %1, %2).")
                    .arg(code)
                    .arg(name);
        else if (m_terminated)
            how = QStringLiteral("The server did not quit when asked and was terminated "
                                 "(signal %1, %2).")
                      .arg(code)
                      .arg(name);
        else if (code == SIGSEGV || code == SIGABRT || code == SIGBUS || code == SIGFPE ||
                 code == SIGILL)
            how = QStringLiteral("The server crashed (signal %1, %2).").arg(code).arg(name);
        else
            how = QStringLiteral("The server was ended from outside (signal %1, %2).")
                      .arg(code)
                      .arg(name);
    }
    const bool atOnce = !m_stopping && m_since.elapsed() < AtOnceMs;
    if (atOnce)
        how = QStringLiteral("The server ended at once, before it could serve. ") + how;
    const QString report = m_last.isEmpty()
                               ? how + QStringLiteral(" It printed nothing.")
                               : how + QStringLiteral(" Its last lines:\n") + m_last.join(u'\n');
    m_stopping = false;
    if (atOnce)
        emit problem(report);
    emit ended(report);
}
