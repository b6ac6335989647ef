#include "GeneratedLines.h"

#include "QuakeConsole.h"
#include "ServerFileFormat.h"

#include <algorithm>
#include <array>

namespace GeneratedLines {

namespace {

using L = QLatin1StringView;
using S = ServerSettingsRecord;
using enum Form;
using enum When;

// clang-format off
constexpr std::array kCommands{
    //       word                        variable              field (the answer)        fixed   form       when           raw  answer, as the admin sees it
    Command{L("set"),                    L("email"),           &S::AdminEmail,           L(),    Info,      Always,        2,   L("E-mail")},
    Command{L("set"),                    L("website"),         &S::AdminWebsite,         L(),    Info,      Always,        3,   L("Website")},
    Command{L("set"),                    L("location"),        &S::AdminLocation,        L(),    Info,      Always,        4,   L("Location")},
    Command{L("set"),                    L("admin"),           &S::AdminName,            L(),    Info,      Always,        5,   L("Name")},
    Command{L("set"),                    L("gametype"),        &S::GameType,             L(),    Number,    Always,        6,   L("Game Type")},
    Command{L("set"),                    L("public"),          &S::PublicServer,         L(),    Box,       Always,        8,   L("Set Public?")},
    Command{L("set"),                    L("hostname"),        &S::Hostname,             L(),    Quoted,    Always,        10,  L("Host Name")},
    Command{L("set"),                    L("rcon_password"),   &S::RconPassword,         L(),    Quoted,    Always,        11,  L("Rcon Password")},
    Command{L("set"),                    L("highscorer"),      &S::HighScorerLine,       L(),    Box,       Always,        0,   L("Enable High Scorer")},
    Command{L("setmaster"),              L(),                  &S::MasterServers,        L(),    Arguments, Always,        9,   L("List of servers to report to")},
    Command{L("set"),                    L("randomize_weapon"),&S::RandomizerType,       L(),    Number,    Randomizer,    0,   L("Randomizer Type")},
    Command{L("set"),                    L("default_weapon"),  &S::DefaultWeapon,        L(),    Number,    DefaultWeapon, 0,   L("Player Respawns With...")},
    Command{L("set"),                    L("ammo_given"),      &S::AmmoGiven,            L(),    Number,    NoPreset,      7,   L("Ammo Given")},
    Command{L("set"),                    L("dmflags"),         &S::DMFlags,              L(),    Number,    Always,        12,  L("DM Flags")},
    Command{L("set"),                    L("weaponban"),       &S::WeaponBan,            L(),    Number,    Always,        13,  L("Weapon Bans")},
    Command{L("set"),                    L("featureban"),      &S::FeatureBan,           L(),    Number,    Always,        14,  L("Feature Bans")},
    Command{L("set"),                    L("fragban"),         Field(),                  L("0"), Number,    Always,        0,   L()},
    Command{L("set"),                    L("fraglimit"),       &S::Fraglimit,            L(),    Number,    Always,        15,  L("Frag Limit")},
    Command{L("set"),                    L("timelimit"),       &S::Timelimit,            L(),    Number,    Always,        16,  L("Time Limit")},
    Command{L("set"),                    L("maxclients"),      &S::Maxclients,           L(),    Number,    Always,        17,  L("Max Clients")},
    Command{L("set"),                    L("allow_download"),  &S::AllowDownload,        L(),    Box,       Always,        18,  L("Allow Download")},
    Command{L("allow_download_players"), L(),                  &S::AllowDownloadPlayers, L(),    Box,       Always,        19,  L("Players (downloads)")},
    Command{L("allow_download_models"),  L(),                  &S::AllowDownloadModels,  L(),    Box,       Always,        20,  L("Models (downloads)")},
    Command{L("allow_download_sounds"),  L(),                  &S::AllowDownloadSounds,  L(),    Box,       Always,        21,  L("Sounds (downloads)")},
    Command{L("allow_download_maps"),    L(),                  &S::AllowDownloadMaps,    L(),    Box,       Always,        22,  L("Maps (downloads)")},
    Command{L("set"),                    L("idledetect"),      &S::IdleDetect,           L(),    Number,    Always,        23,  L("Max Idle Time:")},
    Command{L("set"),                    L("maplist"),         Field(),                  L("1"), Number,    Always,        0,   L()},
    Command{L("set"),                    L("maplistfile"),     &S::MaplistFile,          L(),    Quoted,    Always,        24,  L("Maplist File:")},
    Command{L("set"),                    L("motdfile"),        &S::MotdFile,             L(),    Quoted,    Always,        25,  L("MOTD:")},
    Command{L("map"),                    L(),                  &S::InitialMap,           L(),    Arguments, Always,        26,  L("Initial Map")},
};
// clang-format on

// The rows in the order of the raw-code block's value lines.
constexpr auto kRawCodeOrder = [] {
    std::array<const Command *, RawCode::FieldCount> order{};
    for (const Command &command : kCommands)
        if (command.rawCodeLine != 0)
            order[std::size_t(command.rawCodeLine - 2)] = &command;
    return order;
}();
// Every value line is some row's, and no row shares one.
static_assert(std::ranges::none_of(kRawCodeOrder, [](const Command *c) { return c == nullptr; }));
static_assert(std::ranges::count_if(kCommands, [](const Command &c) {
                  return c.rawCodeLine != 0;
              }) == RawCode::FieldCount);

} // namespace

std::span<const Command> commands() {
    return kCommands;
}

QLatin1StringView variableOf(const Command &command) {
    if (!command.variable.isEmpty())
        return command.variable;
    return command.form == Form::Arguments ? QLatin1StringView() : command.word;
}

const Command *find(QStringView word, QStringView variable) {
    using QuakeConsole::sameCommand;
    using QuakeConsole::sameVariable;
    const bool isSet = sameCommand(word, u"set");
    for (const Command &command : kCommands) {
        const QLatin1StringView name = variableOf(command);
        if (isSet            ? sameVariable(name, variable)
            : name.isEmpty() ? sameCommand(command.word, word)
                             : sameVariable(name, word))
            return &command;
    }
    return nullptr;
}

// The first command of the line, split into words as the console splits it.
ParsedLine parse(QStringView line) {
    QStringView rest = line;
    while (!rest.isEmpty() && QuakeConsole::isBlank(rest.front()))
        rest = rest.sliced(1);
    const bool commentedOut = rest.startsWith(PrivateMasterPrefix);
    if (commentedOut)
        rest = rest.sliced(PrivateMasterPrefix.size());
    const QList<QuakeConsole::Command> commands = QuakeConsole::commands(rest);
    if (commands.isEmpty() || commands.front().words.isEmpty())
        return {};
    const auto &words = commands.front().words;
    const auto word = [&words](qsizetype i) {
        return i < words.size() ? words[i].text : QStringView();
    };
    const bool isSet = QuakeConsole::sameCommand(word(0), u"set");
    const Command *command = find(word(0), isSet ? word(1) : QStringView());
    // Only the form the composer writes, or once wrote ("idledetect" without
    // "set"): a variable set in its other form is a line of the administrator.
    const bool written = command && (isSet == !command->variable.isEmpty() ||
                                     (command->holds(&S::IdleDetect) && !isSet));
    if (!written || (commentedOut && !command->holds(&S::MasterServers)))
        return {};
    return {command, word(isSet ? 2 : 1)};
}

const Command *commandOf(QStringView line) {
    return parse(line).command;
}

const Command &commandFor(Field field) {
    const auto found = std::ranges::find(kCommands, field, &Command::field);
    Q_ASSERT(found != kCommands.end());
    return *found;
}

const Command *rawCodeCommand(int index) {
    if (index < 0 || index >= RawCode::FieldCount)
        return nullptr;
    return kRawCodeOrder[std::size_t(index)];
}

bool isGenerated(QStringView line) {
    if (line.trimmed().isEmpty() || line == AdminSectionBegin || line == AdminSectionEnd ||
        line.startsWith(CreatedPrefix) || line == ServerFileFormat::EndLine)
        return true;
    return commandOf(line) != nullptr;
}

QString fieldText(const ServerSettingsRecord &s, Field field) {
    if (const auto text = std::get_if<QString S::*>(&field))
        return s.**text;
    if (const auto number = std::get_if<SettingNumber S::*>(&field))
        return (s.**number).text();
    return {};
}

void setField(ServerSettingsRecord &s, Field field, const QString &value) {
    if (const auto text = std::get_if<QString S::*>(&field))
        s.**text = value;
    else if (const auto number = std::get_if<SettingNumber S::*>(&field))
        s.**number = SettingNumber::fromText(value);
}

} // namespace GeneratedLines

namespace RawCode {

QStringList values(const ServerSettingsRecord &s) {
    QStringList values;
    values.reserve(FieldCount);
    for (const GeneratedLines::Command *command : GeneratedLines::kRawCodeOrder)
        values.append(GeneratedLines::fieldText(s, command->field));
    return values;
}

void restore(ServerSettingsRecord &s, const QStringList &values) {
    Q_ASSERT(values.size() == FieldCount);
    for (int i = 0; i < FieldCount; ++i)
        GeneratedLines::setField(s, GeneratedLines::kRawCodeOrder[std::size_t(i)]->field,
                                 values[i]);
}

} // namespace RawCode
