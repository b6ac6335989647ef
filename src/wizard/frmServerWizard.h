#pragma once

#include "WizardPage.h"

class QLineEdit;

// Page 1: the administrator's details.
class frmServerWizard : public WizardPage {
    Q_OBJECT
public:
    frmServerWizard(WizardController &wizard, QWidget *parent);

    void Form_Load() override;

protected:
    bool storeAnswers() override;

private:
    QLineEdit *txtName = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLineEdit *txtLocation = nullptr;
    QLineEdit *txtWebsite = nullptr;
};
