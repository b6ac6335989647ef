#pragma once

#include "Procedures.h"
#include "platform/FileDialog.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QPlainTextEdit;
class QPushButton;
class frmShortcut;

// The main window: the row of buttons, the server file text and the menus.
class frmOutput : public QMainWindow {
    Q_OBJECT
public:
    frmOutput();
    ~frmOutput() override;

    Procedures &procedures() { return m_procedures; }

    // Where the text in the text area came from: composed text is composed
    // afresh before a save from the unsaved-changes prompt, other text is not.
    enum class TextOrigin { Composed, Opened };
    void showServerText(const QString &text, TextOrigin origin);
    bool textHoldsHandWork() const;

    // The size that brings the text area into view; nothing makes it small again.
    void enlarge();

    QPushButton *cmdStartConfig = nullptr;
    QPushButton *Command1 = nullptr; // "Save As..."
    QPushButton *cmdCreateShortcut = nullptr;
    QPlainTextEdit *txtOutput = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuAbout = nullptr;
    FileDialog CD0; // shared by Open and Save

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cmdStartConfig_Click();
    void cmdCreateShortcut_Click();
    void mnuOpen_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void txtOutput_Change();
    void textChanged(const QString &text);

    QWidget *m_client = nullptr;
    bool m_handWork = false;    // typed or opened since the text was last composed
    bool m_settingText = false; // the program itself is replacing the text
    QPointer<frmShortcut> m_shortcut;
    Procedures m_procedures; // last: it refers to the window's controls
};
