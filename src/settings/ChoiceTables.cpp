#include "ChoiceTables.h"

namespace ChoiceTables {
namespace {

// Entry 3 keeps its trailing blank and its unhyphenated "Rail Only".
constexpr std::array<GameTypeEntry, 6> kGameTypes{{
    {0, "Kestrune DM Free for All (FFA)", false, false},
    {1, "Kestrune DM Teamplay", true, false},
    {2, "Kestrune Extinction", true, false},
    {3, "Kestrune Rail Only Extinction ", true, true},
    {4, "Kestrune Rail-Only Insta-Gib FFA", false, true},
    {5, "Kestrune Rail-Only Insta-Gib Teamplay", true, true},
}};

// The two reserved rows differ in the case of their middle word.
constexpr std::array<const char *, 20> kWeapons{
    "Blaster",
    "Superblaster",
    "Shotgun",
    "Sniper",
    "Supershotgun",
    "Freezer",
    "RMG",
    "Machinegun",
    "Chaingun",
    "Streetsweeper",
    "Grenades",
    "RESERVED for BETA RELEASE",
    "Grenade Launcher",
    "Bazooka",
    "Rocket Launcher",
    "Guided Rocket Launcher",
    "Hyperblaster",
    "Plasma Rifle",
    "RESERVED FOR BETA RELEASE",
    "Ultra Railgun",
};

constexpr std::array<CodedEntry, 3> kAmmoLevels{{
    {1, "1 Stingy"},
    {2, "2 Normal"},
    {3, "3 Generous"},
}};

constexpr std::array<CodedEntry, 2> kRandomizerModes{{
    {1, "1 - Different Weapon each Map"},
    {2, "2 - Different Weapon each Respawn"},
}};

} // namespace

std::span<const GameTypeEntry> gameTypes() {
    return kGameTypes;
}
std::span<const char *const> weapons() {
    return kWeapons;
}
std::span<const CodedEntry> ammoLevels() {
    return kAmmoLevels;
}
std::span<const CodedEntry> randomizerModes() {
    return kRandomizerModes;
}

bool isTeamGame(int position) {
    return position >= 0 && position < int(kGameTypes.size()) && kGameTypes[position].teamGame;
}

bool isPreset(int position) {
    return position >= 0 && position < int(kGameTypes.size()) && kGameTypes[position].preset;
}

} // namespace ChoiceTables
