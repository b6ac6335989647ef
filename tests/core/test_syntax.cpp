#include "serverfile/ServerFileFormat.h"
#include "serverfile/ServerFileSyntax.h"

#include <QTest>

using namespace ServerFileSyntax;

namespace {

// The letter of each kind: raw code, comment, command, variable, value, string.
const QString kKinds = QStringLiteral("RCKVAS");

// The kinds of a line's spans with their texts, as "K:text" words.
QStringList described(QStringView line) {
    QStringList out;
    for (const Span &span : spans(line, Place::AfterRawCode))
        out.append(kKinds[int(span.kind)] + u':' + line.sliced(span.start, span.length).toString());
    return out;
}

// The kind of each line's first span ("-" for none), each line's place worked
// out from the top as the text area does.
QString firstKinds(const QStringList &lines) {
    QString out;
    Place place = Place::FirstLine;
    for (const QString &line : lines) {
        const QList<Span> found = spans(line, place);
        out += found.isEmpty() ? u'-' : kKinds[int(found[0].kind)];
        place = nextPlace(line, place);
    }
    return out;
}

} // namespace

class TestSyntax : public QObject {
    Q_OBJECT

private slots:
    void commandsAndTheirWords() {
        const auto row = [](const char *line, const QStringList &expected) {
            const QStringList got = described(QString::fromLatin1(line));
            QVERIFY2(got == expected, qPrintable(QLatin1String(line) + u'=' + got.join(u',')));
        };
        row("set email \"rex@example.net\" s",
            {"K:set", "V:email", "S:\"rex@example.net\"", "A:s"});
        // Slashes inside quotes are no comment.
        row("set website \"http://x.invalid/\"", {"K:set", "V:website", "S:\"http://x.invalid/\""});
        row("set gametype 1   // Kestrune DM Teamplay",
            {"K:set", "V:gametype", "A:1", "C:// Kestrune DM Teamplay"});
        row("  \t// note", {"C:// note"});
        row("map q2dm1", {"K:map", "A:q2dm1"}); // only set has a variable
        row("SET a 1", {"K:SET", "V:a", "A:1"});
        row("set a \"x; y\"", {"K:set", "V:a", "S:\"x; y\""});
        // The console splits a line at semicolons before it looks for "//".
        row("set a 1 // was 2; map q2dm1",
            {"K:set", "V:a", "A:1", "C:// was 2", "K:map", "A:q2dm1"});
        row("// note; map q2dm1", {"C:// note", "K:map", "A:q2dm1"});
        // A quote inside a word starts no string, but counts for semicolons.
        row("say a\"b; map q2dm1", {"K:say", "A:a\"b;", "A:map", "A:q2dm1"});
        row("set\va\f1", {"K:set", "V:a", "A:1"}); // control characters are blanks
        row("set hostname \"open // end", {"K:set", "V:hostname", "S:\"open // end"});
        row("set a /", {"K:set", "V:a", "A:/"});
        row("map q2dm1\r", {"K:map", "A:q2dm1"}); // a trailing CR is left plain
        row("   ", {});
    }

    // The raw-code block runs from the marker on the first line to its end
    // line, as the reader takes it, or to the end of the file; the marker
    // anywhere else, or not exact, is a comment, and so is a second end line.
    void rawCodeBlock() {
        const QString marker = ServerFileFormat::Marker;
        const QString end = ServerFileFormat::RawCodeEnd;
        const std::pair<QStringList, const char *> rows[] = {
            {{marker, "//a \"b\"; map x // y", "set a 1", end, "set b 2", end}, "RRRRKC"},
            {{"map x", marker, "//a", end}, "KCCC"},
            {{marker + u' ', "//a", end}, "CCC"},
            {{marker.toLower(), "//a", end}, "CCC"},
            {{marker + u'\r', "//a", end + u'\r', "map x"}, "RRRK"},
            {{marker, "//a", "map x"}, "RRR"},
        };
        for (const auto &[lines, kinds] : rows)
            QCOMPARE(firstKinds(lines), QString::fromLatin1(kinds));
    }
};

QTEST_GUILESS_MAIN(TestSyntax)
#include "test_syntax.moc"
