#pragma once

#include "Procedures.h"
#include "platform/FileDialog.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QHBoxLayout;
class QLayout;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class FindingsList;
class ServerControl;
class frmShortcut;

// The main window: the row of buttons, the server file text and the menus.
class frmOutput : public QMainWindow {
    Q_OBJECT
public:
    frmOutput();
    ~frmOutput() override;

    Procedures &procedures() { return m_procedures; }
    ServerControl &server() { return *m_server; }

    // Replaces the whole text as one undo step: Ctrl+Z brings back what was
    // there. It counts as a change, as typing does.
    void replaceServerText(const QString &text);
    // The text as the program last put it there, composed or opened.
    const QString &programText() const { return m_programText; }
    // A line of news in the status line of the grown window.
    void tell(const QString &news);

    // The first time: grows to the size it had when last grown (or else to
    // the size that brings the text area into view, inside the screen), and
    // can be resized from then on. Later calls leave the user's size alone.
    void enlarge();

    // The file the text belongs to (empty: none yet), shown in the title bar
    // with the mark of unsaved changes.
    void setFile(const QString &path);
    void showSaved(); // the mark follows PublicVars::Saved

    QPushButton *cmdStartConfig = nullptr;
    QPushButton *Command1 = nullptr; // "Save As..."
    QPushButton *cmdCreateShortcut = nullptr;
    QPlainTextEdit *txtOutput = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuImport = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuStartServer = nullptr;
    QAction *mnuStopServer = nullptr;
    QAction *mnuServerStatus = nullptr;
    QAction *mnuRemoteConsole = nullptr;
    FileDialog CD0; // shared by Open and Save
    inline static const QString ConfigFilter =
        QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*");

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The builders, one per group of controls.
    QHBoxLayout *buildButtons();
    QLayout *buildTextArea();
    void buildMenus();
    void connectControls();

    void cmdStartConfig_Click();
    void cmdCreateShortcut_Click();
    void mnuOpen_Click();
    void mnuImport_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void txtOutput_Change();
    void textChanged(const QString &text);

    void rememberPlace();

    QWidget *m_client = nullptr;
    QSplitter *m_splitter = nullptr;    // the text over the findings, shown once grown
    FindingsList *m_findings = nullptr; // made when first needed
    bool m_grown = false;
    bool m_settingText = false; // the program itself is replacing the text
    QString m_programText;
    QPointer<frmShortcut> m_shortcut;
    ServerControl *m_server = nullptr;
    Procedures m_procedures; // last: it refers to the window's controls
};
