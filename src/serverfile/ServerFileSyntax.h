#pragma once

#include <QList>
#include <QStringView>

// The parts of a server file's lines, for colouring them: the raw-code block
// at the top, comments, and the console commands with their words. Reading a
// line never changes it.
namespace ServerFileSyntax {

enum class Kind {
    RawCode,  // the block from the marker on the first line to its end line
    Comment,  // "//" where a word could begin, to the end of its command
    Command,  // the first word of a command
    Variable, // the name that "set" gives a value to
    Value,    // any other word
    String,   // a quoted word, quotes included
};
inline constexpr int KindCount = 6;

struct Span {
    qsizetype start = 0;
    qsizetype length = 0;
    Kind kind = Kind::Value;
    friend bool operator==(const Span &, const Span &) = default;
};

// Where a line stands with respect to the raw-code block.
enum class Place {
    FirstLine,   // the file's first line: the block begins here if it is the marker
    InRawCode,   // after the marker and not yet past the block's end line
    AfterRawCode // anywhere else
};

// The place of the line that follows `line`.
Place nextPlace(QStringView line, Place place);

// The spans of one line, in order and without overlaps; blanks, semicolons
// and unquoted text outside words belong to none. A trailing CR is ignored.
QList<Span> spans(QStringView line, Place place);

} // namespace ServerFileSyntax
