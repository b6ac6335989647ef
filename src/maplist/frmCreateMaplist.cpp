#include "frmCreateMaplist.h"

frmCreateMaplist::frmCreateMaplist(WizardController &wizard, QWidget *parent)
    : QDialog(parent)
    , m_wizard(wizard) {
    setObjectName(QStringLiteral("frmCreateMaplist"));
    setWindowTitle(QStringLiteral("Kestrune - Create Maplist"));
}

void frmCreateMaplist::showModal() {
    setModal(true);
    show();
}
