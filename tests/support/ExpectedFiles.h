#pragma once

// Server files written out by hand, line by line, from the file's format;
// the code under test does not produce them.

#include "settings/FirstAnswers.h"

#include <QString>
#include <QStringList>

namespace Expected {

inline const QString kMasters = QStringLiteral(
    "master1.example.net master2.example.net master3.example.net master4.example.net "
    "master5.example.net");

// The record after a run through the wizard that changes nothing but picks
// "Kestrune DM Free for All (FFA)", "2 Normal" and "Blaster".
inline ServerSettingsRecord wizardDefaults() {
    ServerSettingsRecord s = FirstAnswers::record();
    s.GameType = 0;
    s.GameTypeName = QStringLiteral("Kestrune DM Free for All (FFA)");
    s.AmmoGiven = 2;
    s.DefaultWeapon = QStringLiteral("0");
    return s;
}

inline QString wizardDefaultsFile(const QString &time) {
    // The 25 raw-code values, each on a line after "//".
    QStringList lines{"// Begining of Raw-Code - Do Not Alter The Following!"};
    const QString raw = "admin@example.invalid|http://www.example.invalid/|Sunny San Diego|Your "
                        "Name Here|0|2|0|" +
                        kMasters + "|[[  Kestrune Server  ]]||0|0|0|0|15|15|0|0|0|0|0|0|||q2dm8";
    for (const QString &value : raw.split(u'|'))
        lines.append("//" + value);
    return (lines +
            QStringList{
                "// End of Raw-Code",
                "",
                "// Begin admin ident section.",
                "set email \"admin@example.invalid\" s",
                "set website \"http://www.example.invalid/\" s",
                "set location \"Sunny San Diego\" s",
                "set admin \"Your Name Here\" s",
                "// End admin ident section.",
                "",
                "// Kestrune Server File - Created " + time,
                "",
                "set gametype 0   // Kestrune DM Free for All (FFA)",
                "set public 0",
                "set hostname \"[[  Kestrune Server  ]]\"",
                "set rcon_password \"\"",
                "set highscorer 0",
                "//setmaster " + kMasters,
                "set default_weapon 0",
                "set ammo_given 2",
                "set dmflags 0",
                "set weaponban 0",
                "set featureban 0",
                "set fragban 0",
                "set fraglimit 0",
                "set timelimit 15",
                "set maxclients 15",
                "set allow_download 0",
                "allow_download_players 0",
                "allow_download_models 0",
                "allow_download_sounds 0",
                "allow_download_maps 0",
                "set idledetect 0",
                "set maplist 1",
                "set maplistfile \"\"",
                "set motdfile \"\"",
                "map q2dm8",
                "",
                "//End of generated server file.",
            })
        .join(QStringLiteral("\r\n"));
}

} // namespace Expected
