#include "frmShortcut.h"

frmShortcut::frmShortcut(QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmShortcut"));
    setWindowTitle(QStringLiteral("Kestrune - Shortcut Creator"));
    setAttribute(Qt::WA_DeleteOnClose);
}

void frmShortcut::showModal() {
    setModal(true);
    show();
}
