#pragma once

#include "WizardPage.h"

class QCheckBox;
class QComboBox;
class QLayout;

// Page 2: the game type, the default weapon, the ammunition and the randomizer.
class frmServerWizard3 : public WizardPage {
    Q_OBJECT
public:
    frmServerWizard3(WizardController &wizard, QWidget *parent);

    void Form_Load() override;

protected:
    bool storeAnswers() override;

private:
    QLayout *buildChoices();
    void cmbGameType_Click();
    void cWeaponRandomizer_Click();

    QComboBox *cmbGameType = nullptr;
    QComboBox *cmbglblWeapon = nullptr;
    QComboBox *cmbAmmo = nullptr;
    QCheckBox *cWeaponRandomizer = nullptr;
    QComboBox *cmbWeaponRandomizer = nullptr;
};
