#pragma once

#include "BanPage.h"

// Page 5: the weapon bans.
class frmServerWizard5 : public BanPage {
    Q_OBJECT
public:
    frmServerWizard5(WizardController &wizard, QWidget *parent);

    const CheckBoxArray &cWeaponBan() const { return boxes(); }
};
