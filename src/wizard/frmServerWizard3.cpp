#include "frmServerWizard3.h"

#include "CheckBoxArray.h"
#include "WizardController.h"
#include "frmServerWizard5.h"
#include "frmServerWizard6.h"
#include "platform/CheckBoxSignal.h"
#include "platform/MessageBox.h"
#include "settings/ChoiceTables.h"
#include "settings/PublicVars.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QComboBox *choiceList(const char *name, const char *prompt, QWidget *parent) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setPlaceholderText(QString::fromLatin1(prompt));
    combo->setAccessibleName(combo->placeholderText()); // what a screen reader reads
    combo->setMinimumWidth(260);
    return combo;
}

// Selects the entry at a stored position; a position outside the list, or a
// text that is no number, selects nothing.
void selectStored(QComboBox *combo, std::optional<qint64> position) {
    if (position && *position >= 0 && *position < combo->count())
        combo->setCurrentIndex(int(*position));
}

} // namespace

frmServerWizard3::frmServerWizard3(WizardController &wizard, QWidget *parent)
    : WizardPage(wizard, QStringLiteral("frmServerWizard3"),
                 QStringLiteral("Choose your Global Options..."), Buttons::MiddlePage, parent) {
    auto *lbl = new QLabel(QStringLiteral("These are the settings you want every map to use, the "
                                          "default weapon you spawn with, and the default amount "
                                          "of ammo givin on each map."),
                           this);
    lbl->setObjectName(QStringLiteral("lbl"));
    lbl->setWordWrap(true);
    body()->addWidget(lbl);

    body()->addLayout(buildChoices());

    body()->addWidget(headingLabel(
        QStringLiteral("Label3"),
        QStringLiteral("* Ammo Given:   This option allows the server admin to set the amount of "
                       "ammo given for each ammo clip or weapon picked up.  1 corresponds to "
                       "\"Stingy\", 2 to \"Normal\" and 3 to \"Generous\"."),
        8, this));

    setTabOrder(cmbGameType, cmbglblWeapon);
    setTabOrder(cmbglblWeapon, cmbAmmo);
    setTabOrder(cmbAmmo, cWeaponRandomizer);
    setTabOrder(cWeaponRandomizer, cmbWeaponRandomizer);

    // Every choice applies its preset, also a choice of the entry already chosen.
    connect(cmbGameType, &QComboBox::activated, this, &frmServerWizard3::cmbGameType_Click);
    connect(cWeaponRandomizer, checkBoxStateChanged, this,
            &frmServerWizard3::cWeaponRandomizer_Click);
}

// The game type, the weapon, the ammunition and the randomizer, in a grid.
QLayout *frmServerWizard3::buildChoices() {
    cmbGameType = choiceList("cmbGameType", "Choose a Game Type", this);
    cmbGameType->setToolTip(
        QStringLiteral("This is where you select the game type, please choose one!"));
    for (const auto &entry : ChoiceTables::gameTypes())
        cmbGameType->addItem(QString::fromLatin1(entry.text), entry.code);

    cmbglblWeapon = choiceList("cmbglblWeapon", "Player Respawns With...", this);
    cmbglblWeapon->setToolTip(QStringLiteral(
        "Default Weapon you spawn with;  This sets the weapon every player will be spawned with "
        "throughout the game.  As with the ammo, you will be given a chance to override this on a "
        "map by map basis."));
    for (const char *weapon : ChoiceTables::weapons())
        cmbglblWeapon->addItem(QString::fromLatin1(weapon));

    cmbAmmo = choiceList("cmbAmmo", "Ammo Given", this);
    cmbAmmo->setToolTip(QStringLiteral(
        "Here is the default ammo given throughout the game, you will be given a chance to "
        "override this on an individual basis when you pick your maps."));
    for (const auto &entry : ChoiceTables::ammoLevels())
        cmbAmmo->addItem(QString::fromLatin1(entry.text), entry.code);

    cWeaponRandomizer = new QCheckBox(QStringLiteral("Enable Weapon Randomizer"), this);
    cWeaponRandomizer->setObjectName(QStringLiteral("cWeaponRandomizer"));
    cWeaponRandomizer->setToolTip(QStringLiteral("Check this to enable random weapons"));

    cmbWeaponRandomizer = choiceList("cmbWeaponRandomizer", "Randomizer Type", this);
    for (const auto &entry : ChoiceTables::randomizerModes())
        cmbWeaponRandomizer->addItem(QString::fromLatin1(entry.text), entry.code);
    cmbWeaponRandomizer->setEnabled(false);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->addWidget(cmbGameType, 0, 0);
    grid->addWidget(cmbglblWeapon, 0, 1);
    grid->addWidget(cmbAmmo, 1, 0);
    grid->addWidget(cWeaponRandomizer, 1, 1);
    grid->addWidget(cmbWeaponRandomizer, 2, 1);
    return grid;
}

void frmServerWizard3::Form_Load() {
    ServerSettingsRecord &s = PublicVars::ServerSettings;
    s.TeamGameType = false;
    if (PublicVars::LoadedFromFile) {
        // The weapon or the randomizer first, so that a preset game type
        // then switches both off as a choice does.
        if (s.RandomizerChosen) {
            cWeaponRandomizer->setChecked(true);
            const auto mode = SettingNumber::fromText(s.RandomizerType).value();
            selectStored(cmbWeaponRandomizer, mode ? std::optional<qint64>(*mode - 1) : mode);
        } else {
            selectStored(cmbglblWeapon, SettingNumber::fromText(s.DefaultWeapon).value());
        }
        selectStored(cmbGameType, s.GameType.value());
        cmbGameType_Click(); // the preset, as a choice runs it
        const auto ammo = s.AmmoGiven.value();
        selectStored(cmbAmmo, ammo ? std::optional<qint64>(*ammo - 1) : std::nullopt);
    }
}

void frmServerWizard3::cmbGameType_Click() {
    const int position = cmbGameType->currentIndex();
    if (position < 0)
        return;
    ServerSettingsRecord &s = PublicVars::ServerSettings;
    const bool preset = ChoiceTables::isPreset(position);
    if (preset) {
        for (QWidget *w : std::initializer_list<QWidget *>{cmbAmmo, cmbglblWeapon,
                                                           cWeaponRandomizer, cmbWeaponRandomizer})
            w->setEnabled(false);
    }
    wizard().weaponBanPage().showBans(!preset);
    wizard().featureBanPage().showBans(!preset);
    s.PresetGameType = preset;
    if (!preset) {
        cmbAmmo->setEnabled(true);
        // The list that the randomizer box does not switch off comes back;
        // the other keeps whatever state it had.
        if (checkValue(cWeaponRandomizer) == 1)
            cmbWeaponRandomizer->setEnabled(true);
        else
            cmbglblWeapon->setEnabled(true);
        cWeaponRandomizer->setEnabled(true);
    }
    s.TeamGameType = ChoiceTables::isTeamGame(position);
}

void frmServerWizard3::cWeaponRandomizer_Click() {
    const bool ticked = checkValue(cWeaponRandomizer) == 1;
    cmbglblWeapon->setEnabled(!ticked);
    cmbWeaponRandomizer->setEnabled(ticked);
}

bool frmServerWizard3::storeAnswers() {
    ServerSettingsRecord &s = PublicVars::ServerSettings;
    if (cmbGameType->currentIndex() < 0) {
        MessageBox::inform(this, QStringLiteral("Please select a game type!"));
        return false;
    }
    const auto storeGameType = [&] {
        s.GameTypeName = cmbGameType->currentText();
        s.GameType = cmbGameType->currentData().toInt();
    };
    if (s.PresetGameType) {
        storeGameType();
        return true;
    }
    if (cmbAmmo->currentIndex() < 0) {
        MessageBox::inform(this, QStringLiteral("Please select an ammo given!"));
        return false;
    }
    if (checkValue(cWeaponRandomizer) != 1) {
        if (cmbglblWeapon->currentIndex() < 0) {
            MessageBox::inform(this, QStringLiteral("Please select a default weapon!"));
            return false;
        }
        storeGameType();
        s.AmmoGiven = cmbAmmo->currentData().toInt();
        s.DefaultWeapon = QString::number(cmbglblWeapon->currentIndex());
        s.RandomizerChosen = false;
    } else {
        if (cmbWeaponRandomizer->currentIndex() < 0) {
            MessageBox::inform(this, QStringLiteral("Please choose a valid weapon randomizer!"));
            return false;
        }
        storeGameType();
        s.AmmoGiven = cmbAmmo->currentData().toInt();
        s.RandomizerType = QString::number(cmbWeaponRandomizer->currentData().toInt());
        s.RandomizerChosen = true;
    }
    return true;
}
