#include "ServerFileSyntax.h"

#include "QuakeConsole.h"
#include "ServerFileFormat.h"

namespace ServerFileSyntax {

namespace {

QStringView withoutCr(QStringView line) {
    return line.endsWith(u'\r') ? line.chopped(1) : line;
}

// Quake II's "set name value [u|s]" gives a variable its value.
bool namesVariable(QStringView command) {
    return QuakeConsole::sameCommand(command, u"set");
}

// The words of one command, line[begin, end), as the console reads them; a
// comment runs to the command's end.
void wordSpans(QStringView line, qsizetype begin, qsizetype end, QList<Span> &out) {
    int word = 0;
    bool variableFollows = false;
    qsizetype at = begin;
    qsizetype comment = -1;
    for (QuakeConsole::Word w = QuakeConsole::nextWord(line, at, end, &comment); w.length > 0;
         w = QuakeConsole::nextWord(line, at, end, &comment)) {
        Kind kind = w.quoted ? Kind::String : Kind::Value;
        if (word == 0) {
            kind = Kind::Command;
            variableFollows = namesVariable(line.sliced(w.start, w.length));
        } else if (word == 1 && variableFollows) {
            kind = Kind::Variable;
        }
        out.append({w.start, w.length, kind});
        ++word;
    }
    if (comment >= 0)
        out.append({comment, end - comment, Kind::Comment});
}

// The console's own reading: the line split into commands first, then each
// command into its words.
void commandSpans(QStringView line, QList<Span> &out) {
    for (qsizetype begin = 0; begin <= line.size();) {
        const qsizetype end = QuakeConsole::commandEnd(line, begin);
        wordSpans(line, begin, end, out);
        begin = end + 1;
    }
}

} // namespace

Place nextPlace(QStringView line, Place place) {
    line = withoutCr(line);
    switch (place) {
    case Place::FirstLine:
        return line == ServerFileFormat::Marker ? Place::InRawCode : Place::AfterRawCode;
    case Place::InRawCode:
        return line == ServerFileFormat::RawCodeEnd ? Place::AfterRawCode : Place::InRawCode;
    case Place::AfterRawCode:
        break;
    }
    return Place::AfterRawCode;
}

QList<Span> spans(QStringView line, Place place) {
    line = withoutCr(line);
    QList<Span> out;
    if (line.isEmpty())
        return out;
    const bool rawCode = place == Place::InRawCode ||
                         (place == Place::FirstLine && line == ServerFileFormat::Marker);
    if (rawCode)
        out.append({0, line.size(), Kind::RawCode});
    else
        commandSpans(line, out);
    return out;
}

} // namespace ServerFileSyntax
