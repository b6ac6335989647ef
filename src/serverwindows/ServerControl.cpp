#include "ServerControl.h"

#include "DifferencesView.h"
#include "frmRemoteConsole.h"
#include "frmServerConsole.h"
#include "frmServerStatus.h"
#include "liveserver/GameFolders.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <utility>

ServerControl::ServerControl(std::function<void()> saveServerFile, QWidget *window)
    : QObject(window)
    , m_saveServerFile(std::move(saveServerFile))
    , m_window(window) {
    connect(&m_runner, &ServerRunner::problem, this, &ServerControl::tell);
    connect(&m_runner, &ServerRunner::lineRead, this,
            [this](const QString &line, ConsoleLineKind kind) {
                if (m_console)
                    m_console->appendLine(line, kind);
            });
    connect(&m_runner, &ServerRunner::started, this, [this] {
        if (m_console)
            m_console->setState(QStringLiteral("The server runs (process %1) on port %2.")
                                    .arg(m_runner.processId())
                                    .arg(m_choice.port));
    });
    connect(&m_runner, &ServerRunner::ended, this, [this](const QString &report) {
        if (m_console)
            m_console->showEnd(report);
    });
    connect(&m_comparer, &ServerComparer::compared, this,
            [this](const QList<ServerComparison::Difference> &differences, int asked) {
                if (!m_console)
                    return;
                m_console->lblCompared->setText(ServerComparison::summary(differences, asked));
                m_console->lstDifferences->showDifferences(differences);
                m_console->lstDifferences->setVisible(!differences.isEmpty());
            });
    connect(&m_comparer, &ServerComparer::failed, this, [this](const QString &message) {
        if (m_console)
            m_console->lblCompared->setText(message);
    });
}

ServerControl::~ServerControl() {
    delete m_console.data();
    delete m_status.data();
    delete m_remote.data();
}

frmServerConsole *ServerControl::console() const {
    return m_console;
}
frmServerStatus *ServerControl::status() const {
    return m_status;
}
frmRemoteConsole *ServerControl::remoteConsole() const {
    return m_remote;
}

void ServerControl::tell(const QString &message) {
    MessageBox::inform(m_console && m_console->isVisible() ? static_cast<QWidget *>(m_console)
                                                           : m_window,
                       message);
}

frmServerConsole *ServerControl::ensureConsole() {
    if (!m_console) {
        m_console = new frmServerConsole(m_runner, m_window);
        connect(m_console, &frmServerConsole::compareRequested, this, &ServerControl::compareLocal);
    }
    m_console->show();
    m_console->raise();
    return m_console;
}

bool ServerControl::startServer() {
    if (m_runner.running()) {
        ensureConsole();
        tell(QStringLiteral("The server is already running."));
        return false;
    }
    if (const QString why = ServerRunner::programProblem(m_choice.program); !why.isEmpty()) {
        tell(why);
        return false;
    }
    bool ok = false;
    const uint port = m_choice.port.trimmed().toUInt(&ok);
    if (!ok || port == 0 || port > 65535) {
        tell(QStringLiteral("The port must be a number from 1 to 65535."));
        return false;
    }
    if (!PublicVars::Saved) {
        if (MessageBox::askOkCancel(m_window,
                                    QStringLiteral("The server file has unsaved changes. The "
                                                   "server runs the saved file: save it now?")) !=
            MessageBox::Answer::Ok)
            return false;
        m_saveServerFile();
        if (!PublicVars::Saved)
            return false;
    }
    if (PublicVars::SavePath.isEmpty()) {
        tell(QStringLiteral("There is no saved server file yet: build one with the wizard, or "
                            "open one, and save it into the game's folder."));
        return false;
    }
    const QStringList folders =
        GameFolders::folders(m_choice.program, m_choice.gameFolder, QDir::homePath());
    const std::optional<QString> exec = GameFolders::execName(PublicVars::SavePath, folders);
    if (!exec) {
        tell(GameFolders::notFoundMessage(PublicVars::SavePath, folders));
        return false;
    }
    ServerStart start;
    start.program = m_choice.program;
    if (!m_choice.gameFolder.trimmed().isEmpty())
        start.arguments << QStringLiteral("+set") << QStringLiteral("game")
                        << m_choice.gameFolder.trimmed();
    start.arguments << QStringLiteral("+set") << QStringLiteral("dedicated") << QStringLiteral("1")
                    << QStringLiteral("+exec") << *exec << QStringLiteral("+set")
                    << QStringLiteral("port") << QString::number(port);
    start.workingFolder = QFileInfo(m_choice.program).absolutePath();
    start.port = quint16(port);
    m_runningText = PublicVars::OutputText;
    frmServerConsole *console = ensureConsole();
    console->txtConsole->clear();
    console->lblCompared->clear();
    console->lstDifferences->hide();
    console->setState(QStringLiteral("Starting %1...").arg(start.program));
    if (m_status)
        m_status->setLocalPort(QString::number(port));
    return m_runner.start(start);
}

void ServerControl::stopServer() {
    if (!m_runner.running()) {
        tell(QStringLiteral("No server of the tool's runs."));
        return;
    }
    m_runner.stop();
}

void ServerControl::showStatus() {
    if (!m_status) {
        m_status = new frmServerStatus(m_window);
        m_status->setLocalPort(m_choice.port.trimmed());
        m_status->chkLocal->setChecked(m_runner.running());
    }
    m_status->show();
    m_status->raise();
}

void ServerControl::showRemoteConsole() {
    if (!m_remote) {
        m_remote = new frmRemoteConsole(m_window);
        // The password the file gives the server, read from the file's text only.
        QString password;
        for (const ServerComparison::Expectation &e :
             ServerComparison::expectations(PublicVars::OutputText))
            if (e.variable == QLatin1StringView("rcon_password"))
                password = e.value;
        m_remote->prefill(m_choice.port.trimmed(), password);
    }
    m_remote->show();
    m_remote->raise();
}

void ServerControl::compareLocal() {
    ensureConsole()->lblCompared->setText(QStringLiteral("Asking the server..."));
    // The file the server was started with; a text changed since is not what it ran.
    m_comparer.compareLocal(m_runningText, &m_runner);
}

bool ServerControl::confirmClose() {
    if (!m_runner.running())
        return true;
    if (MessageBox::askOkCancel(
            m_window, QStringLiteral("The server the tool started is still running. "
                                     "Stop it and close the tool?")) != MessageBox::Answer::Ok)
        return false;
    m_runner.stop();
    return true;
}
