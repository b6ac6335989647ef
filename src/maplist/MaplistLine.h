#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// One line of a maplist file: map, lower and upper player bound, and where
// overrides are on the ammunition and weapon codes, separated by one blank.
struct MapOverrides {
    int ammoCode;   // 1 to 3
    int weaponCode; // 0 to 19
};

// The map box's text less a final ".bsp" or ".BSP"; any other case stays.
QString mapName(const QString &mapBoxText);

// Why the map name would not stay the first word of its line: it holds a
// blank, a tab, a line break, another control character or a ";" (the game
// splits its lines there). A message naming the name, or empty.
QString splittingMapName(const QString &mapBoxText);

QString maplistLine(const QString &mapBoxText, const QString &minPlayers, const QString &maxPlayers,
                    std::optional<MapOverrides> overrides);

// A line's five fields for showing: map, bounds, ammo and weapon, split at
// each single blank (two blanks in a row hold an empty field). Fields a line
// lacks are empty; what a line has beyond five stays with the weapon.
QStringList maplistFields(const QString &line);
