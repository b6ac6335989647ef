#pragma once

#include "platform/FileDialog.h"

#include <QDialog>

class LimitedTextEdit;
class QLabel;
class WizardController;

// The message-of-the-day editor. Only hidden between uses, so its text lasts
// for the whole run.
class frmCreateMOTD : public QDialog {
    Q_OBJECT
public:
    // The most the box holds, in bytes of the file: a line break counts two.
    static constexpr int MaxBytes = 500;

    explicit frmCreateMOTD(WizardController &wizard, QWidget *parent = nullptr);

    // Shows the editor modally; returns at once, the editor hides itself.
    void showModal();

    // The text as it is written: line breaks as CR LF, nothing added.
    QString motdText() const;

private:
    void cmdSaveMOTD_Click();
    void txtMOTD_Change();
    void txtMOTD_Cut(int charactersLeftOut);

    WizardController &m_wizard;
    LimitedTextEdit *txtMOTD = nullptr;
    QLabel *lblLeft = nullptr;
    FileDialog m_dialog;
};
