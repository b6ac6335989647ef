#pragma once

#include <QAnyStringView>
#include <QLatin1StringView>
#include <QList>
#include <QStringView>
#include <QVarLengthArray>

#include <span>

// How the Quake II server's console reads a script, as Yamagi Quake II 8.20's
// dedicated server does it: the one place in the program that knows where a
// command ends, what a word is and what "set" accepts.
namespace QuakeConsole {

// The server's limits, measured against the real one.
inline constexpr qsizetype CommandLimit = 1023;   // a longer command is cut here
inline constexpr qsizetype FileLimit = 32767;     // a longer file is not run at all
inline constexpr qsizetype InfoValueLimit = 63;   // longer server-info values stay out of it
inline constexpr qsizetype InfoStringLimit = 511; // the whole server-info string

// The console reads bytes as signed characters: control characters and
// every letter beyond ASCII end a word, as a blank does.
inline bool isBlank(QChar c) {
    return c.unicode() <= u' ' || c.unicode() >= 0x80;
}

struct Word {
    qsizetype start = 0; // in the line, the opening quote included
    qsizetype length = 0;
    bool quoted = false;
    QStringView text; // without the quotes
};

// One command of a line, as the server runs it.
struct Command {
    qsizetype start = 0;           // in the line
    qsizetype end = 0;             // before the ";" or the line's end that ends it
    bool cut = false;              // longer than CommandLimit: the server reads only its start
    qsizetype unmatchedQuote = -1; // an odd count of quotes: the server discards it
    qsizetype macro = -1;          // a "$" outside quotes: the server expands it
    qsizetype comment = -1;        // where "//" turns the rest into a comment
    QVarLengthArray<Word, 8> words;
    QStringView name() const { return words.isEmpty() ? QStringView() : words.front().text; }
};

// The commands of one line (a text between line feeds), in the order the
// server runs them; a command of blanks alone is left out, one that is only a
// comment is not. A command is split off at each ";" that an even number of
// quotes precedes, comments and words included; a quoted word runs to the next
// quote, any other word to the next blank.
QList<Command> commands(QStringView line);

// The same one at a time: the next command from `from` on, which moves past
// it; false when the line holds no more.
bool nextCommand(QStringView line, qsizetype &from, Command &command);

// Where the command that begins at `from` ends: at the next ";" outside quotes,
// or the line's end.
qsizetype commandEnd(QStringView line, qsizetype from);

// The next word of line[from, end) after blanks, or a word of length 0 at `end`
// when none is left; a "//" where a word begins ends the command, and `comment`
// then tells where.
Word nextWord(QStringView line, qsizetype &from, qsizetype end, qsizetype *comment = nullptr);

// Names as the server compares them: command words in any letter case,
// variable names exactly ("HostName" is another variable than "hostname").
bool sameCommand(QAnyStringView a, QAnyStringView b);
bool sameVariable(QAnyStringView a, QAnyStringView b);

// The lines of a script as the server reads them: each ends at a line feed;
// a carriage return before it is a blank to the server and is left out here.
// Positions in a line are those of the text from the line's start.
struct Line {
    qsizetype start = 0; // in the text
    QStringView text;    // without its line end
};
QList<Line> lines(QStringView text);

// What "set" accepts: a name and a value, or a name, a value and the flag u or s.
enum class SetForm { Accepted, TooFewWords, TooManyWords, BadFlag };
SetForm setForm(const Command &command);

// Whether the command loads a map: "map" or "gamemap" with one name.
bool loadsMap(const Command &command);
// Whether an "alias" command makes an alias that loads a map when it runs.
bool aliasLoadsMap(const Command &command);

// A variable the server keeps in its server info, which every player sees.
bool isServerInfo(QStringView variable);

// A variable or command the dedicated server knows before a game is loaded:
// commands in any letter case, variables exactly.
bool knownAtStart(QStringView name);
bool isCommandAtStart(QStringView name);

// A variable the server keeps as it is: "set" on it changes nothing.
bool isWriteProtected(QStringView variable);

// The server-info entries the server has before a script runs, in its own order.
struct InfoEntry {
    QLatin1StringView key;
    QLatin1StringView value;
};
std::span<const InfoEntry> serverOwnInfo();

// The entries a map adds when it loads the game, besides "mapname": those of
// the stock game (baseq2); a modification's own may differ.
std::span<const InfoEntry> gameOwnInfo();

// How the server reads a variable's text as a number: C's strtod in the C
// locale, kept as a float.
struct NumberReading {
    double exact = 0;   // what strtod reads
    float value = 0;    // what the server keeps, and a game reads
    bool whole = false; // strtod read the whole text
};
NumberReading readNumber(QStringView text);

} // namespace QuakeConsole
