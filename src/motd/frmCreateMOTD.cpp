#include "frmCreateMOTD.h"

#include "LimitedTextEdit.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmCreateMOTD::frmCreateMOTD(QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmCreateMOTD"));
    setWindowTitle(QStringLiteral("Kestrune - Create MOTD"));

    auto *label1 = new QLabel(QStringLiteral("Enter Message of the Day:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    txtMOTD = new LimitedTextEdit(MaxBytes, this);
    txtMOTD->setObjectName(QStringLiteral("txtMOTD"));
    txtMOTD->setTabChangesFocus(true);
    txtMOTD->setMinimumSize(420, 200);
    label1->setBuddy(txtMOTD);
    lblLeft = new QLabel(this);
    lblLeft->setObjectName(QStringLiteral("lblLeft"));
    auto *cmdSaveMOTD = new QPushButton(QStringLiteral("&Save"), this);
    cmdSaveMOTD->setObjectName(QStringLiteral("cmdSaveMOTD"));
    cmdSaveMOTD->setAutoDefault(false);
    auto *command1 = new QPushButton(QStringLiteral("&Cancel"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 12);
    grid->addWidget(label1, 0, 0, 1, 3);
    grid->addWidget(txtMOTD, 1, 0, 1, 3);
    grid->addWidget(lblLeft, 2, 0);
    grid->addWidget(cmdSaveMOTD, 2, 1);
    grid->addWidget(command1, 2, 2);
    grid->setColumnStretch(0, 1);
    // The text takes what room the window is given beyond its least size.
    grid->setRowStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetMinimumSize);

    connect(cmdSaveMOTD, &QPushButton::clicked, this, &frmCreateMOTD::cmdSaveMOTD_Click);
    connect(command1, &QPushButton::clicked, this, &QWidget::hide);
    connect(txtMOTD, &QPlainTextEdit::textChanged, this, &frmCreateMOTD::txtMOTD_Change);
    connect(txtMOTD, &LimitedTextEdit::cut, this, &frmCreateMOTD::txtMOTD_Cut);
    txtMOTD_Change();
}

void frmCreateMOTD::showModal() {
    setModal(true);
    show();
}

QString frmCreateMOTD::motdText() const {
    return txtMOTD->toPlainText().replace(u'\n', QLatin1String("\r\n"));
}

void frmCreateMOTD::txtMOTD_Change() {
    lblLeft->setText(QStringLiteral("%1 characters left").arg(txtMOTD->bytesLeft()));
}

void frmCreateMOTD::txtMOTD_Cut(int charactersLeftOut) {
    MessageBox::inform(this, QStringLiteral("The message of the day holds at most %1 characters, a "
                                            "line break counting as two: the last %2 characters "
                                            "of the inserted text were left out.")
                                 .arg(MaxBytes)
                                 .arg(charactersLeftOut));
}

void frmCreateMOTD::cmdSaveMOTD_Click() {
    m_dialog.setFilter(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    if (!m_dialog.showSave(this))
        return;
    const TextFile::WriteResult written = TextFile::write(m_dialog.fileName(), motdText());
    if (!written.ok()) {
        MessageBox::inform(this, written.error);
        return;
    }
    emit saved(m_dialog.fileTitle());
    hide();
}
