#include "ServerFileSyntax.h"

#include "ServerFileFormat.h"

namespace ServerFileSyntax {

namespace {

QStringView withoutCr(QStringView line) {
    return line.endsWith(u'\r') ? line.chopped(1) : line;
}

// The console takes every control character as a blank, as it does a space.
bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

// Quake II's "set name value [u|s]" gives a variable its value.
bool namesVariable(QStringView command) {
    return command.compare(QLatin1StringView("set"), Qt::CaseInsensitive) == 0;
}

// The words of one command, line[begin, end): words end at a blank; a word
// that begins with a quote ends at the closing quote (or the command's end);
// "//" where a word begins comments out the rest of the command.
void wordSpans(QStringView line, qsizetype begin, qsizetype end, QList<Span> &out) {
    int word = 0;
    bool variableFollows = false;
    qsizetype i = begin;
    while (i < end) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == u'/' && i + 1 < end && line[i + 1] == u'/') {
            out.append({i, end - i, Kind::Comment});
            return;
        }
        const qsizetype start = i;
        Kind kind = Kind::Value;
        if (line[i] == u'"') {
            const qsizetype close = line.sliced(0, end).indexOf(u'"', i + 1);
            i = close < 0 ? end : close + 1;
            kind = Kind::String;
        } else {
            while (i < end && !isBlank(line[i]))
                ++i;
        }
        if (word == 0) {
            kind = Kind::Command;
            variableFollows = namesVariable(line.sliced(start, i - start));
        } else if (word == 1 && variableFollows) {
            kind = Kind::Variable;
        }
        out.append({start, i - start, kind});
        ++word;
    }
}

// The console's own reading: a line is split into commands at each
// semicolon that an even number of quotes precedes (quotes inside words and
// comments count too), before any word or comment is looked at.
void commandSpans(QStringView line, QList<Span> &out) {
    qsizetype begin = 0;
    int quotes = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            ++quotes;
        else if (line[i] == u';' && quotes % 2 == 0) {
            wordSpans(line, begin, i, out);
            begin = i + 1;
        }
    }
    wordSpans(line, begin, line.size(), out);
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
