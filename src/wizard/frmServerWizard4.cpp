#include "frmServerWizard4.h"

#include "MaskValueLabel.h"
#include "settings/PublicVars.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Box i stands for bit i of the server's dmflags; nullptr marks a hidden box.
const QList<const char *> kDMFlagCaptions{
    "No Health",
    "No Items",
    "Weapons Stay",
    "No Falling",
    "Instant Items",
    "Same Level",
    "Teamplay by Skin",
    "Teamplay by Model",
    "No Friendly Fire",
    "Spawn Farthest",
    "Force Respawn",
    "No Armor",
    "Allow Exit",
    nullptr,
    "Quad Drop",
    "Fixed Field of View",
    nullptr,
    "CTF Force-Join",
    "Armor Protect",
    "Team Rebalance",
};
constexpr int kFirstTeamFlag = 17;

} // namespace

frmServerWizard4::frmServerWizard4(WizardController &wizard, QWidget *parent)
    : WizardPage(wizard, QStringLiteral("frmServerWizard4"),
                 QStringLiteral("Setting the DM Flags..."), Buttons::MiddlePage, parent) {
    fraDMFlags = new QGroupBox(this);
    fraDMFlags->setObjectName(QStringLiteral("fraDMFlags"));
    auto *grid = new QGridLayout(fraDMFlags);
    grid->setHorizontalSpacing(24);
    m_cDMFlag = std::make_unique<CheckBoxArray>(QStringLiteral("cDMFlag"), kDMFlagCaptions,
                                                fraDMFlags, grid, 3);
    m_value = new MaskValueLabel(*m_cDMFlag, QStringLiteral("dmflags"), fraDMFlags);
    grid->addWidget(m_value, grid->rowCount(), 0, 1, grid->columnCount());
    body()->addWidget(fraDMFlags);

    setTabOrder(finishButton(), cancelButton());
    setTabOrder(cancelButton(), backButton());
    setTabOrder(backButton(), nextButton());
    QWidget *previous = nextButton();
    for (QCheckBox *box : m_cDMFlag->boxes()) {
        setTabOrder(previous, box);
        previous = box;
    }
}

frmServerWizard4::~frmServerWizard4() = default;

// An opened file's flags come back as ticks.
void frmServerWizard4::Form_Load() {
    if (!PublicVars::LoadedFromFile)
        return;
    m_cDMFlag->restore(PublicVars::ServerSettings.DMFlags);
    m_value->refresh();
}

void frmServerWizard4::Form_Activate() {
    fraDMFlags->setTitle(QStringLiteral("DM Flags for ") + PublicVars::ServerSettings.GameTypeName);
    for (int i = kFirstTeamFlag; i < m_cDMFlag->size(); ++i)
        m_cDMFlag->box(i)->setEnabled(PublicVars::ServerSettings.TeamGameType);
}

void frmServerWizard4::storeMask() {
    PublicVars::ServerSettings.DMFlags = m_cDMFlag->mask();
}

bool frmServerWizard4::storeAnswers() {
    storeMask();
    return true;
}

void frmServerWizard4::cmdBack_Click() {
    PublicVars::ServerSettings.TeamGameType = false;
    WizardPage::cmdBack_Click();
}
