#pragma once

#include "WizardPage.h"
#include "platform/FileDialog.h"

class QLineEdit;
class QPushButton;

// Page 3: the maplist and message-of-the-day files.
class frmServerWizard2 : public WizardPage {
    Q_OBJECT
public:
    frmServerWizard2(WizardController &wizard, QWidget *parent);

    void Form_Load() override;

    // The editors put the names of the files they saved here.
    QLineEdit *txtMaplist = nullptr;
    QLineEdit *txtMOTD = nullptr;

protected:
    bool storeAnswers() override;

private:
    void cmdSelect_Click();
    void cmdSelectMotd_Click();
    void cmdCreateMaplist_Click();
    void cmdCreateMOTD_Click();

    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCreateMaplist = nullptr;
    QPushButton *cmdSelectMotd = nullptr;
    QPushButton *cmdCreateMOTD = nullptr;
    FileDialog CD1;  // the maplist
    FileDialog CD1a; // the message of the day
};
