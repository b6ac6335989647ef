#pragma once

#include "platform/FileDialog.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The command-line creator. Done discards it, so each opening starts afresh.
class frmShortcut : public QDialog {
    Q_OBJECT
public:
    explicit frmShortcut(QWidget *parent = nullptr);

    // Shows the window modally; returns at once.
    void showModal();

private:
    void placeControls();
    void connectControls();
    void Command2_Click();
    void cmdLocateConfig_Click();
    void cmdCreate_Click();

    QLineEdit *txtQuakeLocation = nullptr;
    QLineEdit *txtGameFolder = nullptr; // empty: the game's own folder
    QLineEdit *txtConfigName = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *txtShortCut = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *cmdLocateConfig = nullptr;
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdDone = nullptr;
    FileDialog m_dialog; // shared by both Locate buttons
};
