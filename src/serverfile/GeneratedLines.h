#pragma once

#include "settings/ServerSettings.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <span>

// What the composer knows about the commands it writes: one table, in file
// order, that composing, recognising generated lines in a text and tracing a
// line back to the wizard answer it carries all read.
namespace GeneratedLines {

// The answer a command carries.
enum class Field {
    None, // a fixed line
    AdminEmail,
    AdminWebsite,
    AdminLocation,
    AdminName,
    GameType, // followed by the game type's name as a comment
    PublicServer,
    Hostname,
    RconPassword,
    HighScorer, // the record holds the whole line
    MasterServers,
    RandomizerType,
    DefaultWeapon,
    AmmoGiven,
    DMFlags,
    WeaponBan,
    FeatureBan,
    Fraglimit,
    Timelimit,
    Maxclients,
    AllowDownload,
    AllowDownloadPlayers,
    AllowDownloadModels,
    AllowDownloadSounds,
    AllowDownloadMaps,
    IdleDetect,
    MaplistFile,
    MotdFile,
    InitialMap,
};

// When the composer writes a command.
enum class When {
    Always,
    Randomizer,    // the randomizer was chosen and the game type is no preset
    DefaultWeapon, // no randomizer and no preset game type
    NoPreset,      // the game type is no preset
};

struct Command {
    QLatin1StringView word;     // the command word: "set", "setmaster", "idledetect"...
    QLatin1StringView variable; // the variable that "set" names; empty for other commands
    Field field;
    QLatin1StringView fixedValue; // the value of a fixed line
    bool quoted;                  // the value stands in double quotes
    bool serverInfo;              // "set" with the flag s: a value every player can read
    bool number;                  // the server reads the value as a number
    When when;
    QLatin1StringView answer; // the wizard answer, named as the admin sees it
};

// Every command of the server file, in the order the composer writes them.
std::span<const Command> commands();

// The variable a command sets, by "set" or by its bare name; empty for the
// commands that set none (setmaster, map).
QLatin1StringView variableOf(const Command &command);

// The command that does what this command word (and, for "set", this
// variable) does, or nothing: a variable is found whether it is set with
// "set" or by its bare name. Letter case counts as the console counts it:
// not in command words, fully in variable names.
const Command *find(QStringView word, QStringView variable);

// The command a line of a server file begins with, when it is one the
// composer writes, in the form it writes it (or, for the idle time, once
// wrote it): the first word and, after "set", the variable, split as the
// console splits them. A commented-out setmaster line counts as setmaster.
const Command *commandOf(QStringView line);

// The same, with the word that follows as the command's value.
struct ParsedLine {
    const Command *command = nullptr;
    QStringView value;
};
ParsedLine parse(QStringView line);

// Whether the composer writes this line, outside the raw-code block: one of
// its commands, one of its comment lines, or an empty line.
bool isGenerated(QStringView line);

// The command that carries the same answer as value line `index` (0 to 24)
// of the raw-code block, or nothing.
const Command *rawCodeCommand(int index);

// The text the record holds for a field (the whole line for HighScorer), and
// the same field set from a text.
QString fieldText(const ServerSettingsRecord &settings, Field field);
void setField(ServerSettingsRecord &settings, Field field, const QString &value);

// The comment lines the composer writes, which are not commands.
inline constexpr QLatin1StringView AdminSectionBegin{"// Begin admin ident section."};
inline constexpr QLatin1StringView AdminSectionEnd{"// End admin ident section."};
inline constexpr QLatin1StringView CreatedPrefix{"// Kestrune Server File - Created "};
inline constexpr QLatin1StringView GameTypeNameSeparator{"   // "};
inline constexpr QLatin1StringView PrivateMasterPrefix{"//"}; // setmaster of a private server

} // namespace GeneratedLines
