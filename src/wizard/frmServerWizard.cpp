#include "frmServerWizard.h"

#include "settings/FirstAnswers.h"
#include "settings/PublicVars.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmServerWizard::frmServerWizard(WizardController &wizard, QWidget *parent)
    : WizardPage(wizard, QStringLiteral("frmServerWizard"), QStringLiteral("Let's get started!"),
                 Buttons::FirstPage, parent) {
    auto *fraAbout = new QGroupBox(QStringLiteral("Admin Details"), this);
    fraAbout->setObjectName(QStringLiteral("fraAbout"));
    auto *form = new QFormLayout(fraAbout);

    auto addRow = [&](const char *labelName, const char *caption, const char *boxName,
                      const char *initial) {
        auto *label = new QLabel(QString::fromLatin1(caption), fraAbout);
        label->setObjectName(QString::fromLatin1(labelName));
        auto *box = new QLineEdit(QString::fromLatin1(initial), fraAbout);
        box->setObjectName(QString::fromLatin1(boxName));
        box->setMinimumWidth(300);
        label->setBuddy(box);
        form->addRow(label, box);
        return box;
    };
    txtName = addRow("Label3", "Name:", "txtName", FirstAnswers::AdminName);
    txtEmail = addRow("Label4", "E-mail:", "txtEmail", FirstAnswers::AdminEmail);
    txtLocation = addRow("Label5", "Location:", "txtLocation", FirstAnswers::AdminLocation);
    txtWebsite = addRow("Label6", "Website:", "txtWebsite", FirstAnswers::AdminWebsite);
    body()->addWidget(fraAbout);

    body()->addWidget(headingLabel(QStringLiteral("Label7"),
                                   QStringLiteral("This will appear in the server file, so only "
                                                  "disclose things you want others to see."),
                                   9, this));

    setTabOrder(txtName, txtEmail);
    setTabOrder(txtEmail, txtLocation);
    setTabOrder(txtLocation, txtWebsite);
}

void frmServerWizard::Form_Load() {
    if (!PublicVars::LoadedFromFile)
        return;
    const ServerSettingsRecord &s = PublicVars::ServerSettings;
    txtName->setText(s.AdminName);
    txtEmail->setText(s.AdminEmail);
    txtLocation->setText(s.AdminLocation);
    txtWebsite->setText(s.AdminWebsite);
}

bool frmServerWizard::storeAnswers() {
    ServerSettingsRecord &s = PublicVars::ServerSettings;
    s.AdminName = txtName->text();
    s.AdminEmail = txtEmail->text();
    s.AdminLocation = txtLocation->text();
    s.AdminWebsite = txtWebsite->text();
    return true;
}
