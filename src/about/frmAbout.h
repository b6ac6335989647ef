#pragma once

#include <QDialog>

// The About window; each opening builds it afresh.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Shows the window modally; returns at once.
    void showModal();
};
