#pragma once

#include <QString>

#include <array>
#include <span>

// The four fixed lists the administrator picks from. The tables never change.
namespace ChoiceTables {

struct GameTypeEntry {
    int code;
    const char *text;
    bool teamGame;
    bool preset; // rail only: no weapon, ammo or randomizer; ban frames hidden
};

struct CodedEntry {
    int code;
    const char *text;
};

std::span<const GameTypeEntry> gameTypes();
std::span<const char *const> weapons(); // the code is the position
std::span<const CodedEntry> ammoLevels();
std::span<const CodedEntry> randomizerModes();

bool isTeamGame(int gameTypePosition);
bool isPreset(int gameTypePosition);

} // namespace ChoiceTables
