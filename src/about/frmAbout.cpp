#include "frmAbout.h"

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Kestrune Server Utility"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void frmAbout::showModal() {
    setModal(true);
    show();
}
