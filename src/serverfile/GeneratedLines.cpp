#include "GeneratedLines.h"

#include "QuakeConsole.h"
#include "ServerFileFormat.h"

#include <array>
#include <variant>

namespace GeneratedLines {

namespace {

using L = QLatin1StringView;

// clang-format off
constexpr std::array kCommands{
    //       word                        variable              field                         fixed   quoted serverInfo number when                answer
    Command{L("set"),                    L("email"),           Field::AdminEmail,            L(),    true,  true,  false, When::Always,        L("E-mail")},
    Command{L("set"),                    L("website"),         Field::AdminWebsite,          L(),    true,  true,  false, When::Always,        L("Website")},
    Command{L("set"),                    L("location"),        Field::AdminLocation,         L(),    true,  true,  false, When::Always,        L("Location")},
    Command{L("set"),                    L("admin"),           Field::AdminName,             L(),    true,  true,  false, When::Always,        L("Name")},
    Command{L("set"),                    L("gametype"),        Field::GameType,              L(),    false, false, true,  When::Always,        L("Game Type")},
    Command{L("set"),                    L("public"),          Field::PublicServer,          L(),    false, false, true,  When::Always,        L("Set Public?")},
    Command{L("set"),                    L("hostname"),        Field::Hostname,              L(),    true,  false, false, When::Always,        L("Host Name")},
    Command{L("set"),                    L("rcon_password"),   Field::RconPassword,          L(),    true,  false, false, When::Always,        L("Rcon Password")},
    Command{L("set"),                    L("highscorer"),      Field::HighScorer,            L(),    false, false, true,  When::Always,        L("Enable High Scorer")},
    Command{L("setmaster"),              L(),                  Field::MasterServers,         L(),    false, false, false, When::Always,        L("List of servers to report to")},
    Command{L("set"),                    L("randomize_weapon"),Field::RandomizerType,        L(),    false, false, true,  When::Randomizer,    L("Randomizer Type")},
    Command{L("set"),                    L("default_weapon"),  Field::DefaultWeapon,         L(),    false, false, true,  When::DefaultWeapon, L("Player Respawns With...")},
    Command{L("set"),                    L("ammo_given"),      Field::AmmoGiven,             L(),    false, false, true,  When::NoPreset,      L("Ammo Given")},
    Command{L("set"),                    L("dmflags"),         Field::DMFlags,               L(),    false, false, true,  When::Always,        L("DM Flags")},
    Command{L("set"),                    L("weaponban"),       Field::WeaponBan,             L(),    false, false, true,  When::Always,        L("Weapon Bans")},
    Command{L("set"),                    L("featureban"),      Field::FeatureBan,            L(),    false, false, true,  When::Always,        L("Feature Bans")},
    Command{L("set"),                    L("fragban"),         Field::None,                  L("0"), false, false, true,  When::Always,        L()},
    Command{L("set"),                    L("fraglimit"),       Field::Fraglimit,             L(),    false, false, true,  When::Always,        L("Frag Limit")},
    Command{L("set"),                    L("timelimit"),       Field::Timelimit,             L(),    false, false, true,  When::Always,        L("Time Limit")},
    Command{L("set"),                    L("maxclients"),      Field::Maxclients,            L(),    false, false, true,  When::Always,        L("Max Clients")},
    Command{L("set"),                    L("allow_download"),  Field::AllowDownload,         L(),    false, false, true,  When::Always,        L("Allow Download")},
    Command{L("allow_download_players"), L(),                  Field::AllowDownloadPlayers,  L(),    false, false, true,  When::Always,        L("Players (downloads)")},
    Command{L("allow_download_models"),  L(),                  Field::AllowDownloadModels,   L(),    false, false, true,  When::Always,        L("Models (downloads)")},
    Command{L("allow_download_sounds"),  L(),                  Field::AllowDownloadSounds,   L(),    false, false, true,  When::Always,        L("Sounds (downloads)")},
    Command{L("allow_download_maps"),    L(),                  Field::AllowDownloadMaps,     L(),    false, false, true,  When::Always,        L("Maps (downloads)")},
    Command{L("set"),                    L("idledetect"),      Field::IdleDetect,            L(),    false, false, true,  When::Always,        L("Max Idle Time:")},
    Command{L("set"),                    L("maplist"),         Field::None,                  L("1"), false, false, true,  When::Always,        L()},
    Command{L("set"),                    L("maplistfile"),     Field::MaplistFile,           L(),    true,  false, false, When::Always,        L("Maplist File:")},
    Command{L("set"),                    L("motdfile"),        Field::MotdFile,              L(),    true,  false, false, When::Always,        L("MOTD:")},
    Command{L("map"),                    L(),                  Field::InitialMap,            L(),    false, false, false, When::Always,        L("Initial Map")},
};
// clang-format on

// The answers of the raw-code block's value lines, in the order they repeat
// them (the order of RawCode::values).
constexpr std::array kRawCodeFields{
    Field::AdminEmail,
    Field::AdminWebsite,
    Field::AdminLocation,
    Field::AdminName,
    Field::GameType,
    Field::AmmoGiven,
    Field::PublicServer,
    Field::MasterServers,
    Field::Hostname,
    Field::RconPassword,
    Field::DMFlags,
    Field::WeaponBan,
    Field::FeatureBan,
    Field::Fraglimit,
    Field::Timelimit,
    Field::Maxclients,
    Field::AllowDownload,
    Field::AllowDownloadPlayers,
    Field::AllowDownloadModels,
    Field::AllowDownloadSounds,
    Field::AllowDownloadMaps,
    Field::IdleDetect,
    Field::MaplistFile,
    Field::MotdFile,
    Field::InitialMap,
};
static_assert(kRawCodeFields.size() == RawCode::FieldCount);

} // namespace

std::span<const Command> commands() {
    return kCommands;
}

QLatin1StringView variableOf(const Command &command) {
    if (!command.variable.isEmpty())
        return command.variable;
    const bool isCommand =
        command.field == Field::MasterServers || command.field == Field::InitialMap;
    return isCommand ? QLatin1StringView() : command.word;
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
                                     (command->field == Field::IdleDetect && !isSet));
    if (!written || (commentedOut && command->field != Field::MasterServers))
        return {};
    return {command, word(isSet ? 2 : 1)};
}

const Command *commandOf(QStringView line) {
    return parse(line).command;
}

const Command *rawCodeCommand(int index) {
    if (index < 0 || index >= int(kRawCodeFields.size()))
        return nullptr;
    for (const Command &command : kCommands)
        if (command.field == kRawCodeFields[std::size_t(index)])
            return &command;
    return nullptr;
}

bool isGenerated(QStringView line) {
    if (line.trimmed().isEmpty() || line == AdminSectionBegin || line == AdminSectionEnd ||
        line.startsWith(CreatedPrefix) || line == ServerFileFormat::EndLine)
        return true;
    return commandOf(line) != nullptr;
}

namespace {

// Where the record holds a field: as text, or as a number kept as text.
using FieldPlace = std::variant<std::monostate, QString *, SettingNumber *>;

FieldPlace placeOf(ServerSettingsRecord &s, Field field) {
    switch (field) {
    case Field::None:
        return {};
    case Field::AdminEmail:
        return &s.AdminEmail;
    case Field::AdminWebsite:
        return &s.AdminWebsite;
    case Field::AdminLocation:
        return &s.AdminLocation;
    case Field::AdminName:
        return &s.AdminName;
    case Field::GameType:
        return &s.GameType;
    case Field::PublicServer:
        return &s.PublicServer;
    case Field::Hostname:
        return &s.Hostname;
    case Field::RconPassword:
        return &s.RconPassword;
    case Field::HighScorer:
        return &s.HighScorerLine;
    case Field::MasterServers:
        return &s.MasterServers;
    case Field::RandomizerType:
        return &s.RandomizerType;
    case Field::DefaultWeapon:
        return &s.DefaultWeapon;
    case Field::AmmoGiven:
        return &s.AmmoGiven;
    case Field::DMFlags:
        return &s.DMFlags;
    case Field::WeaponBan:
        return &s.WeaponBan;
    case Field::FeatureBan:
        return &s.FeatureBan;
    case Field::Fraglimit:
        return &s.Fraglimit;
    case Field::Timelimit:
        return &s.Timelimit;
    case Field::Maxclients:
        return &s.Maxclients;
    case Field::AllowDownload:
        return &s.AllowDownload;
    case Field::AllowDownloadPlayers:
        return &s.AllowDownloadPlayers;
    case Field::AllowDownloadModels:
        return &s.AllowDownloadModels;
    case Field::AllowDownloadSounds:
        return &s.AllowDownloadSounds;
    case Field::AllowDownloadMaps:
        return &s.AllowDownloadMaps;
    case Field::IdleDetect:
        return &s.IdleDetect;
    case Field::MaplistFile:
        return &s.MaplistFile;
    case Field::MotdFile:
        return &s.MotdFile;
    case Field::InitialMap:
        return &s.InitialMap;
    }
    return {};
}

} // namespace

QString fieldText(const ServerSettingsRecord &s, Field field) {
    const FieldPlace place = placeOf(const_cast<ServerSettingsRecord &>(s), field);
    if (const auto text = std::get_if<QString *>(&place))
        return **text;
    if (const auto number = std::get_if<SettingNumber *>(&place))
        return (*number)->text();
    return {};
}

void setField(ServerSettingsRecord &s, Field field, const QString &value) {
    const FieldPlace place = placeOf(s, field);
    if (const auto text = std::get_if<QString *>(&place))
        **text = value;
    else if (const auto number = std::get_if<SettingNumber *>(&place))
        **number = SettingNumber::fromText(value);
}

} // namespace GeneratedLines
