#include "frmServerWizard2.h"

#include "WizardController.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "settings/PublicVars.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kTextFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
}

frmServerWizard2::frmServerWizard2(WizardController &wizard, QWidget *parent)
    : WizardPage(wizard, QStringLiteral("frmServerWizard2"), QStringLiteral("Of Maps && MOTD's..."),
                 Buttons::MiddlePage, parent) {
    auto *label7 = headingLabel(
        QStringLiteral("Label7"),
        QStringLiteral("Here we are setting up some of the files that will be used when running a "
                       "server.  This includes things like the maplist, and Message Of The Day."),
        9);
    body()->addWidget(label7);

    auto *fraFiles = new QGroupBox(QStringLiteral("Associated Files..."), this);
    fraFiles->setObjectName(QStringLiteral("fraFiles"));
    auto *grid = new QGridLayout(fraFiles);

    auto *label3 = new QLabel(QStringLiteral("Maplist File:"), fraFiles);
    label3->setObjectName(QStringLiteral("Label3"));
    txtMaplist = new QLineEdit(fraFiles);
    txtMaplist->setObjectName(QStringLiteral("txtMaplist"));
    cmdSelect = new QPushButton(QStringLiteral("Select &Maplist"), fraFiles);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdCreateMaplist = new QPushButton(QStringLiteral("&Create/Edit Maplist"), fraFiles);
    cmdCreateMaplist->setObjectName(QStringLiteral("cmdCreateMaplist"));

    auto *label4 = new QLabel(QStringLiteral("MOTD:"), fraFiles);
    label4->setObjectName(QStringLiteral("Label4"));
    txtMOTD = new QLineEdit(fraFiles);
    txtMOTD->setObjectName(QStringLiteral("txtMOTD"));
    cmdSelectMotd = new QPushButton(QStringLiteral("Select M&OTD"), fraFiles);
    cmdSelectMotd->setObjectName(QStringLiteral("cmdSelectMotd"));
    cmdCreateMOTD = new QPushButton(QStringLiteral("Create/Edit MO&TD"), fraFiles);
    cmdCreateMOTD->setObjectName(QStringLiteral("cmdCreateMOTD"));

    label3->setBuddy(txtMaplist);
    label4->setBuddy(txtMOTD);
    grid->addWidget(label3, 0, 0);
    grid->addWidget(txtMaplist, 0, 1);
    grid->addWidget(cmdSelect, 0, 2);
    grid->addWidget(cmdCreateMaplist, 0, 3);
    grid->addWidget(label4, 1, 0);
    grid->addWidget(txtMOTD, 1, 1);
    grid->addWidget(cmdSelectMotd, 1, 2);
    grid->addWidget(cmdCreateMOTD, 1, 3);
    grid->setColumnStretch(1, 1);
    for (auto *button : {cmdSelect, cmdCreateMaplist, cmdSelectMotd, cmdCreateMOTD})
        button->setAutoDefault(false);
    body()->addWidget(fraFiles);

    connect(cmdSelect, &QPushButton::clicked, this, &frmServerWizard2::cmdSelect_Click);
    connect(cmdSelectMotd, &QPushButton::clicked, this, &frmServerWizard2::cmdSelectMotd_Click);
    connect(cmdCreateMaplist, &QPushButton::clicked, this,
            &frmServerWizard2::cmdCreateMaplist_Click);
    connect(cmdCreateMOTD, &QPushButton::clicked, this, &frmServerWizard2::cmdCreateMOTD_Click);
}

void frmServerWizard2::Form_Load() {
    if (PublicVars::LoadedFromFile) {
        txtMaplist->setText(PublicVars::ServerSettings.MaplistFile);
        txtMOTD->setText(PublicVars::ServerSettings.MotdFile);
    }
}

// A cancelled dialog still hands over the name it remembers, or an empty one.
void frmServerWizard2::cmdSelect_Click() {
    CD1.setFilter(kTextFilter);
    CD1.showOpen(this);
    txtMaplist->setText(CD1.fileTitle());
}

void frmServerWizard2::cmdSelectMotd_Click() {
    CD1a.setFilter(kTextFilter);
    CD1a.showOpen(this);
    txtMOTD->setText(CD1a.fileTitle());
}

void frmServerWizard2::cmdCreateMaplist_Click() {
    wizard().maplistEditor().showModal();
}

void frmServerWizard2::cmdCreateMOTD_Click() {
    wizard().motdEditor().showModal();
}

bool frmServerWizard2::storeAnswers() {
    PublicVars::ServerSettings.MaplistFile = txtMaplist->text();
    PublicVars::ServerSettings.MotdFile = txtMOTD->text();
    return true;
}
