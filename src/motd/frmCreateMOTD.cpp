#include "frmCreateMOTD.h"

frmCreateMOTD::frmCreateMOTD(WizardController &wizard, QWidget *parent)
    : QDialog(parent)
    , m_wizard(wizard) {
    setObjectName(QStringLiteral("frmCreateMOTD"));
    setWindowTitle(QStringLiteral("Kestrune - Create MOTD"));
}

void frmCreateMOTD::showModal() {
    setModal(true);
    show();
}
