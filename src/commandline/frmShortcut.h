#pragma once

#include "platform/FileDialog.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class ServerControl;

// The command-line creator. Done discards it, so each opening starts afresh.
class frmShortcut : public QDialog {
    Q_OBJECT
public:
    // With a server control, Start runs the server the boxes describe.
    explicit frmShortcut(QWidget *parent = nullptr, ServerControl *server = nullptr);

    // Shows the window modally; returns at once.
    void showModal();

private:
    void placeControls();
    void connectControls();
    void Command2_Click();
    void cmdLocateConfig_Click();
    void cmdCreate_Click();
    void showWholeLine();
    void cmdStartServer_Click();

    QLineEdit *txtQuakeLocation = nullptr;
    QLineEdit *txtGameFolder = nullptr; // empty: the game's own folder
    QLineEdit *txtConfigName = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *txtShortCut = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *cmdLocateConfig = nullptr;
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdCopy = nullptr;
    QPushButton *cmdDone = nullptr;
    QPushButton *cmdStartServer = nullptr;
    FileDialog m_dialog; // shared by both Locate buttons
    ServerControl *m_server = nullptr;
};
