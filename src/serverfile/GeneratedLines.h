#pragma once

#include "settings/ServerSettings.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>
#include <variant>

// What the composer knows about the commands it writes: one table, in file
// order, that composing, recognising generated lines in a text and tracing a
// line back to the wizard answer it carries all read.
namespace GeneratedLines {

// Where the record holds the answer a command carries: as text, or as a
// number kept as text; nothing for a fixed line.
using Field = std::variant<std::monostate, QString ServerSettingsRecord::*,
                           SettingNumber ServerSettingsRecord::*>;

// How a command's value is written.
enum class Form {
    Box,       // a number, 0 or 1 alone
    Number,    // the server reads it as a number
    Quoted,    // in double quotes
    Info,      // in double quotes and with the flag s: every player can read it
    Arguments, // the arguments of a command that sets no variable (setmaster, map)
};

// When the composer writes a command.
enum class When {
    Always,
    Randomizer,    // the randomizer was chosen and the game type is no preset
    DefaultWeapon, // no randomizer and no preset game type
    NoPreset,      // the game type is no preset
};

struct Command {
    QLatin1StringView word;     // the command word: "set", "setmaster", "allow_download_maps"...
    QLatin1StringView variable; // the variable that "set" names; empty for other commands
    Field field;
    QLatin1StringView fixedValue; // the value of a fixed line
    Form form;
    When when;
    int rawCodeLine;          // the raw-code line that repeats the answer (2 to 26), or 0
    QLatin1StringView answer; // the wizard answer, named as the admin sees it

    bool fixed() const { return std::holds_alternative<std::monostate>(field); }
    template <typename T> bool holds(T ServerSettingsRecord::*member) const {
        return field == Field(member);
    }
    bool quoted() const { return form == Form::Quoted || form == Form::Info; }
    bool serverInfo() const { return form == Form::Info; }
    bool number() const { return form == Form::Box || form == Form::Number; }
    bool box() const { return form == Form::Box; }
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

// The command that carries this answer.
const Command &commandFor(Field field);

// The command that carries the same answer as value line `index` (0 to 24)
// of the raw-code block, or nothing.
const Command *rawCodeCommand(int index);

// The text the record holds for a field (the whole line for the high scorer),
// and the same field set from a text.
QString fieldText(const ServerSettingsRecord &settings, Field field);
void setField(ServerSettingsRecord &settings, Field field, const QString &value);

// The comment lines the composer writes, which are not commands.
inline constexpr QLatin1StringView AdminSectionBegin{"// Begin admin ident section."};
inline constexpr QLatin1StringView AdminSectionEnd{"// End admin ident section."};
inline constexpr QLatin1StringView CreatedPrefix{"// Kestrune Server File - Created "};
inline constexpr QLatin1StringView GameTypeNameSeparator{"   // "};
inline constexpr QLatin1StringView PrivateMasterPrefix{"//"}; // setmaster of a private server

} // namespace GeneratedLines

// The raw-code block: its lines 2 to 26 repeat 25 answers, one per line, in
// the order the table above gives them.
namespace RawCode {
inline constexpr int FieldCount = 25;
inline constexpr int BlockLines = FieldCount + 2; // with the marker and the end line
QStringList values(const ServerSettingsRecord &settings);
void restore(ServerSettingsRecord &settings, const QStringList &values);
} // namespace RawCode
