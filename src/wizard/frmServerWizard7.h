#pragma once

#include "WizardPage.h"

class QCheckBox;
class QGroupBox;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
struct ServerSettingsRecord;

// Page 7: the general server settings; Finish composes the server file.
class frmServerWizard7 : public WizardPage {
    Q_OBJECT
public:
    frmServerWizard7(WizardController &wizard, QWidget *parent);

    void Form_Load() override;

    // The composer takes the page's values into the record before every run.
    void copyInto(ServerSettingsRecord &settings) const;

protected:
    void cmdFinish_Click() override;

private:
    // The builders, one per group of controls.
    QLayout *buildLeftColumn();
    QGroupBox *buildGeneralFrame();
    QLayout *buildRightColumn();
    QGroupBox *buildDownloadsFrame();
    void setTabOrders();
    void cpublic_Click();
    void callowdl_Click();

    QLineEdit *txtHostname = nullptr;
    QLineEdit *txtMaxclients = nullptr;
    QLineEdit *txtFraglimit = nullptr;
    QLineEdit *txtTimelimit = nullptr;
    QLineEdit *txtIniMap = nullptr;
    QLineEdit *txtIdle = nullptr;
    QLineEdit *txtRcon = nullptr;
    QCheckBox *cpublic = nullptr;
    QPlainTextEdit *txtMasterServers = nullptr;
    QCheckBox *callowdl = nullptr;
    QCheckBox *cplayersdl = nullptr;
    QCheckBox *cmodelsdl = nullptr;
    QCheckBox *csoundsdl = nullptr;
    QCheckBox *cmapsdl = nullptr;
    QCheckBox *cHighScorer = nullptr;
};
