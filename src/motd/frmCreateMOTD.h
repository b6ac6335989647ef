#pragma once

#include "platform/FileDialog.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class WizardController;

// The message-of-the-day editor. Only hidden between uses, so its text lasts
// for the whole run.
class frmCreateMOTD : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLength = 500;

    explicit frmCreateMOTD(WizardController &wizard, QWidget *parent = nullptr);

    // Shows the editor modally; returns at once, the editor hides itself.
    void showModal();

    // The text as it is written: line breaks as CR LF, nothing added.
    QString motdText() const;

private:
    void cmdSaveMOTD_Click();
    void txtMOTD_Change();

    WizardController &m_wizard;
    QPlainTextEdit *txtMOTD = nullptr;
    QLabel *lblLeft = nullptr;
    FileDialog m_dialog;
};
