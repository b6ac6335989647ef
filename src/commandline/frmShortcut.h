#pragma once

#include <QDialog>

// The command-line creator. Done discards it, so each opening starts afresh.
class frmShortcut : public QDialog {
    Q_OBJECT
public:
    explicit frmShortcut(QWidget *parent = nullptr);

    // Shows the window modally; returns at once.
    void showModal();
};
