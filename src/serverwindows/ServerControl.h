#pragma once

#include "liveserver/ServerComparer.h"
#include "liveserver/ServerRunner.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class frmRemoteConsole;
class frmServerConsole;
class frmServerStatus;

// The server the tool runs and the windows that watch and command servers.
// The main window and the command-line creator reach them through here.
class ServerControl : public QObject {
    Q_OBJECT
public:
    // What the command-line creator last chose: the program, the game folder
    // of the modification, the port.
    struct Choice {
        QString program;
        QString gameFolder;
        QString port = QStringLiteral("27910");
    };

    // saveServerFile asks for a name and writes the text, as File, Save does.
    ServerControl(std::function<void()> saveServerFile, QWidget *window);
    ~ServerControl() override;

    void setChoice(const Choice &choice) { m_choice = choice; }
    const Choice &choice() const { return m_choice; }

    // Saves an unsaved file first, after asking; refuses a file the engine
    // cannot find; then starts the server and shows its console.
    bool startServer();
    void stopServer();
    void showStatus();
    void showRemoteConsole();
    void compareLocal();

    // Before the tool closes: true when it may, after asking about a running server.
    bool confirmClose();

    ServerRunner &runner() { return m_runner; }
    frmServerConsole *console() const;
    frmServerStatus *status() const;
    frmRemoteConsole *remoteConsole() const;

private:
    frmServerConsole *ensureConsole();
    void tell(const QString &message);

    std::function<void()> m_saveServerFile;
    QWidget *m_window;
    Choice m_choice;
    ServerRunner m_runner;
    ServerComparer m_comparer;
    QString m_runningText; // the file the running server was started with
    QPointer<frmServerConsole> m_console;
    QPointer<frmServerStatus> m_status;
    QPointer<frmRemoteConsole> m_remote;
};
