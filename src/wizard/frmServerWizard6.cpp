#include "frmServerWizard6.h"

namespace {

// Box i stands for bit i of the server's featureban; nullptr marks a hidden box.
const BanPage::Design kDesign{
    "frmServerWizard6",
    "Setting the Feature Bans...",
    "fraFeatureBan",
    "Feature Bans for ",
    "cFeatureBan",
    "featureban",
    &ServerSettingsRecord::FeatureBan,
    {"Ban Bandolier", "Ban Ammo Pack", "Ban Silencer", "Ban Rebreather", "Ban Environment Suit",
     "Ban Adrenaline", "Ban Megahealth", "Ban Power Armor", nullptr, "Ban Decoy",
     "Ban Grappling Hook", "Ban Player ID", nullptr, "Ban Lasersight", nullptr, "Ban Nightvision",
     nullptr, nullptr, "Ban Zoom View"},
};

} // namespace

frmServerWizard6::frmServerWizard6(WizardController &wizard, QWidget *parent)
    : BanPage(wizard, kDesign, parent) {}
