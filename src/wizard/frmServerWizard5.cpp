#include "frmServerWizard5.h"

namespace {

// Box i stands for bit i of the server's weaponban; nullptr marks a hidden box.
const BanPage::Design kDesign{
    "frmServerWizard5",
    "Setting the Weapon Bans...",
    "fraWeaponban",
    "Weapon Bans for ",
    "cWeaponBan",
    "weaponban",
    &ServerSettingsRecord::WeaponBan,
    {"Ban Super Blaster",
     "Ban Shotgun",
     "Ban Sniper",
     "Ban Super Shotgun",
     "Ban Freezer",
     "Ban Standard Machinegun",
     "Ban Machine Rocket Gun",
     "Ban Burstfire Machinegun",
     "Ban Chaingun",
     "Ban Streetsweeper",
     "Ban Grenades",
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     "Ban Grenade Launcher",
     "Ban Bazooka",
     "Ban Rocket Launcher",
     "Ban Guided Rockets",
     "Ban Hyperblaster",
     "Ban Plasma Rifile",
     "Ban Railgun"},
};

} // namespace

frmServerWizard5::frmServerWizard5(WizardController &wizard, QWidget *parent)
    : BanPage(wizard, kDesign, parent) {}
