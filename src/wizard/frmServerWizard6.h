#pragma once

#include "BanPage.h"

// Page 6: the feature bans.
class frmServerWizard6 : public BanPage {
    Q_OBJECT
public:
    frmServerWizard6(WizardController &wizard, QWidget *parent);

    const CheckBoxArray &cFeatureBan() const { return boxes(); }
};
