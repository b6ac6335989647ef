#pragma once

#include <QDialog>

class WizardController;

// The message-of-the-day editor. Only hidden between uses, so its text lasts
// for the whole run.
class frmCreateMOTD : public QDialog {
    Q_OBJECT
public:
    explicit frmCreateMOTD(WizardController &wizard, QWidget *parent = nullptr);

    // Shows the editor modally; returns at once, the editor hides itself.
    void showModal();

private:
    WizardController &m_wizard;
};
