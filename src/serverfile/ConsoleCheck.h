#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringView>

// Reads a server file the way the Quake II server's console reads it and
// tells, line by line, where the server will not do what the text seems to
// say. It only reads: nothing is changed and nothing is refused.
namespace ConsoleCheck {

enum class Rule {
    CommandSplit,   // a ";" outside quotes starts a command of its own
    QuoteBreak,     // a quote ends a quoted value early, or one is left open
    Refused,        // "set" or a variable without the words it takes
    MapRefused,     // "map" without a name, with more than one word, or a name in ".bsp"
    InfoCharacter,  // "\", ";" or a quote in a server-info value
    InfoTooLong,    // a server-info value, or the whole string, over the server's limit
    NotANumber,     // a number field the game reads as another number
    NotAscii,       // letters the server's font shows differently
    BlankLetter,    // a letter beyond ASCII outside quotes, which ends a word
    Macro,          // a "$" the server replaces by a variable's value
    CommandCut,     // a command longer than the server reads
    ExtraWords,     // a variable takes its first word and drops the rest
    UnknownAtStart, // a name the server does not know before the first map loads the game
    AfterMap,       // after the map line: run when the first player enters the game
    FileTooLong,    // the server runs nothing of a file this long
    NulCharacter,   // the server reads nothing after it
};

// What becomes of what the line says.
enum class Effect {
    NotSet,  // the server does not do it: a variable keeps what it had
    Changed, // the server sets or runs something else than the text says
    ReadAs,  // the server keeps the text, and the game reads it as another number
    ShownAs, // the server keeps it, and shows it differently
    LeftOut, // the server keeps it, and leaves it out of the server info
    Later,   // the server does it when the first player enters the game
};
Effect effectOf(Rule rule);

struct Finding {
    int line = 0;        // counted from 0, lines ending at each line feed
    qsizetype start = 0; // the part of the line the finding is about
    qsizetype length = 0;
    Rule rule = Rule::CommandSplit;
    QLatin1StringView answer; // the wizard answer the line carries, or empty
    QString detail;           // the command that runs, the number read, the text shown
    QString message;          // in plain words, for the administrator
    friend bool operator==(const Finding &, const Finding &) = default;
};

QList<Finding> check(QStringView text);

} // namespace ConsoleCheck

Q_DECLARE_TYPEINFO(ConsoleCheck::Finding, Q_RELOCATABLE_TYPE);
