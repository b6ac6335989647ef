#pragma once

#include "CheckBoxArray.h"
#include "WizardPage.h"

#include <memory>

class MaskValueLabel;
class QGroupBox;

// Page 4: the deathmatch flags.
class frmServerWizard4 : public WizardPage {
    Q_OBJECT
public:
    frmServerWizard4(WizardController &wizard, QWidget *parent);
    ~frmServerWizard4() override;

    void Form_Load() override;
    void Form_Activate() override;
    const CheckBoxArray &cDMFlag() const { return *m_cDMFlag; }
    // The ticks, as the mask, into the record.
    void storeMask();

protected:
    bool storeAnswers() override;
    void cmdBack_Click() override;

private:
    QGroupBox *fraDMFlags = nullptr;
    MaskValueLabel *m_value = nullptr;
    std::unique_ptr<CheckBoxArray> m_cDMFlag;
};
