#include "ServerFileSyntax.h"

#include "ServerFileFormat.h"

namespace ServerFileSyntax {

namespace {

QStringView withoutCr(QStringView line) {
    return line.endsWith(u'\r') ? line.chopped(1) : line;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Quake II's "set name value [u|s]" gives a variable its value.
bool namesVariable(QStringView command) {
    return command.compare(QLatin1StringView("set"), Qt::CaseInsensitive) == 0;
}

// The console's own reading: commands end at a semicolon outside quotes and
// words at a blank; a word that begins with a quote ends at the closing quote
// (or the line's end); "//" where a word begins comments out the rest.
void commandSpans(QStringView line, QList<Span> &out) {
    qsizetype i = 0;
    int wordInCommand = 0;
    bool variableFollows = false;
    const qsizetype n = line.size();
    while (i < n) {
        const QChar c = line[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == u';') {
            wordInCommand = 0;
            variableFollows = false;
            ++i;
            continue;
        }
        if (c == u'/' && i + 1 < n && line[i + 1] == u'/') {
            out.append({i, n - i, Kind::Comment});
            return;
        }
        const qsizetype start = i;
        Kind kind;
        if (c == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            i = close < 0 ? n : close + 1;
            kind = Kind::String;
        } else {
            while (i < n && !isBlank(line[i]) && line[i] != u';')
                ++i;
            kind = Kind::Value;
        }
        if (wordInCommand == 0) {
            kind = Kind::Command;
            variableFollows = namesVariable(line.sliced(start, i - start));
        } else if (wordInCommand == 1 && variableFollows) {
            kind = Kind::Variable;
        }
        out.append({start, i - start, kind});
        ++wordInCommand;
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
