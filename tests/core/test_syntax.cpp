#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileFormat.h"
#include "serverfile/ServerFileSyntax.h"
#include "settings/ServerSettings.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ServerFileSyntax;

namespace {

// The kinds of a line's spans with their texts, as "Kind:text" words.
QStringList described(QStringView line, Place place = Place::AfterRawCode) {
    static const char *const names[] = {"RawCode",  "Comment", "Command",
                                        "Variable", "Value",   "String"};
    QStringList out;
    for (const Span &span : spans(line, place))
        out.append(QLatin1String(names[int(span.kind)]) + u':' +
                   line.sliced(span.start, span.length).toString());
    return out;
}

// Each line's place, worked out from the top as the text area does.
QList<Place> placesOf(const QStringList &lines) {
    QList<Place> places;
    Place place = Place::FirstLine;
    for (const QString &line : lines) {
        places.append(place);
        place = nextPlace(line, place);
    }
    return places;
}

} // namespace

class TestSyntax : public QObject {
    Q_OBJECT

private slots:
    void commandsAndTheirWords() {
        const auto row = [](const char *name, const char *line, const QStringList &expected) {
            const QStringList got = described(QString::fromLatin1(line));
            QVERIFY2(got == expected, qPrintable(QLatin1String(name) + u'=' + got.join(u',')));
        };
        row("set with a quoted value and a flag", "set email \"rex@example.net\" s",
            {"Command:set", "Variable:email", "String:\"rex@example.net\"", "Value:s"});
        row("slashes inside quotes are no comment", "set website \"http://x.invalid/\" s",
            {"Command:set", "Variable:website", "String:\"http://x.invalid/\"", "Value:s"});
        row("trailing comment", "set gametype 1   // Kestrune DM Teamplay",
            {"Command:set", "Variable:gametype", "Value:1", "Comment:// Kestrune DM Teamplay"});
        row("comment line", "// Begin admin ident section.",
            {"Comment:// Begin admin ident section."});
        row("indented comment", "  \t// note", {"Comment:// note"});
        row("commented-out command", "//setmaster a b", {"Comment://setmaster a b"});
        row("command without set", "map q2dm1", {"Command:map", "Value:q2dm1"});
        row("words after a command's name", "allow_download_maps 1",
            {"Command:allow_download_maps", "Value:1"});
        row("set in capitals", "SET a 1", {"Command:SET", "Variable:a", "Value:1"});
        row("semicolon starts a command", "set a 1; map q2dm1",
            {"Command:set", "Variable:a", "Value:1", "Command:map", "Value:q2dm1"});
        row("semicolon inside quotes", "set a \"x; y\"",
            {"Command:set", "Variable:a", "String:\"x; y\""});
        // The console splits a line at semicolons before it looks for "//".
        row("semicolon ends a comment", "set a 1 // was 2; map q2dm1",
            {"Command:set", "Variable:a", "Value:1", "Comment:// was 2", "Command:map",
             "Value:q2dm1"});
        row("comment line with a semicolon", "// note; map q2dm1",
            {"Comment:// note", "Command:map", "Value:q2dm1"});
        row("a quote inside a word counts for semicolons", "say a\"b; map q2dm1",
            {"Command:say", "Value:a\"b;", "Value:map", "Value:q2dm1"});
        row("control characters are blanks", "set\va\f1", {"Command:set", "Variable:a", "Value:1"});
        row("empty quotes", "set rcon_password \"\"",
            {"Command:set", "Variable:rcon_password", "String:\"\""});
        row("unclosed quote runs to the end", "set hostname \"open // end",
            {"Command:set", "Variable:hostname", "String:\"open // end"});
        row("a quote inside a word is part of it", "a\"b c\" d",
            {"Command:a\"b", "Value:c\"", "Value:d"});
        row("single slash is a word", "set a /", {"Command:set", "Variable:a", "Value:/"});
        row("trailing CR is left plain", "map q2dm1\r", {"Command:map", "Value:q2dm1"});
        row("blank line", "   ", {});
        row("empty line", "", {});
        row("setmaster and its servers", "setmaster a.example b.example",
            {"Command:setmaster", "Value:a.example", "Value:b.example"});
    }

    // The block runs from the marker on the first line to its end line, as
    // the reader takes it; the marker anywhere else, or not exact, is a comment.
    void rawCodeBlock() {
        const QString marker = ServerFileFormat::Marker;
        const QString end = ServerFileFormat::RawCodeEnd;
        QStringList lines{marker, "//a@b", "set a 1", end, "set b 2"};
        QList<Place> places = placesOf(lines);
        QCOMPARE(described(lines[0], places[0]), QStringList{"RawCode:" + marker});
        QCOMPARE(described(lines[2], places[2]), QStringList{"RawCode:set a 1"});
        QCOMPARE(described(lines[3], places[3]), QStringList{"RawCode:" + end});
        QCOMPARE(described(lines[4], places[4]),
                 (QStringList{"Command:set", "Variable:b", "Value:2"}));

        lines = QStringList{"map x", marker, "//a", end};
        places = placesOf(lines);
        QCOMPARE(places[2], Place::AfterRawCode);
        QCOMPARE(described(lines[1], places[1]), QStringList{"Comment:" + marker});

        QCOMPARE(nextPlace(marker + u' ', Place::FirstLine), Place::AfterRawCode);
        QCOMPARE(nextPlace(marker.toLower(), Place::FirstLine), Place::AfterRawCode);
        QCOMPARE(nextPlace(marker + u'\r', Place::FirstLine), Place::InRawCode);
        QCOMPARE(nextPlace(end + u'\r', Place::InRawCode), Place::AfterRawCode);
        // Without its end line the block runs to the end of the file; a second
        // marker or end line later on is only a comment.
        QCOMPARE(nextPlace(QStringLiteral("map x"), Place::InRawCode), Place::InRawCode);
        QCOMPARE(nextPlace(marker, Place::AfterRawCode), Place::AfterRawCode);
        QCOMPARE(nextPlace(end, Place::AfterRawCode), Place::AfterRawCode);
    }

    // Every line of a composed file: the first 27 are the raw-code block and
    // every other one is a comment, a command or empty.
    void composedFile() {
        ServerSettingsRecord s;
        s.Hostname = QStringLiteral("My \"quoted\" host; with // slashes");
        s.PublicServer = 1;
        const QStringList lines =
            composeServerFile(s, QStringLiteral("T")).split(ServerFileFormat::LineBreak);
        const QList<Place> places = placesOf(lines);
        for (int i = 0; i < lines.size(); ++i) {
            const QList<Span> found = spans(lines[i], places[i]);
            if (i < 27) {
                QCOMPARE(found.size(), 1);
                QCOMPARE(found[0].kind, Kind::RawCode);
                QCOMPARE(found[0].length, lines[i].size());
            } else if (!lines[i].isEmpty()) {
                QVERIFY2(found[0].kind == Kind::Comment || found[0].kind == Kind::Command,
                         qPrintable(lines[i]));
            }
        }
    }

    // Spans lie inside their line, in order, never empty and never overlapping,
    // whatever the line holds.
    void spansStayInsideTheLine() {
        const QString alphabet = QStringLiteral(" \t;\"/ab\r");
        QRandomGenerator random(12345);
        for (int round = 0; round < 20000; ++round) {
            QString line;
            for (int i = random.bounded(12); i > 0; --i)
                line += alphabet[random.bounded(int(alphabet.size()))];
            qsizetype end = 0;
            for (const Span &span : spans(line, Place::AfterRawCode)) {
                QVERIFY2(span.start >= end && span.length > 0, qPrintable(line));
                end = span.start + span.length;
                QVERIFY2(end <= line.size(), qPrintable(line));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSyntax)
#include "test_syntax.moc"
