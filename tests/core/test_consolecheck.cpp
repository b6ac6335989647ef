#include "serverfile/ConsoleCheck.h"
#include "serverfile/ServerFileComposer.h"
#include "settings/ChoiceTables.h"
#include "support/ExpectedFiles.h"

#include <QTest>

using namespace ConsoleCheck;

namespace {

const char *const kRuleNames[] = {
    "CommandSplit",   "QuoteBreak", "Refused",     "MapRefused",   "InfoCharacter", "InfoTooLong",
    "NotANumber",     "NotAscii",   "BlankLetter", "Macro",        "CommandCut",    "ExtraWords",
    "UnknownAtStart", "AfterMap",   "FileTooLong", "NulCharacter",
};
static_assert(std::size(kRuleNames) == std::size_t(Rule::NulCharacter) + 1);

// Each finding as "line Rule" (lines counted from 1), with its detail after a
// colon when it has one.
QStringList described(const QList<Finding> &findings) {
    QStringList out;
    for (const Finding &f : findings) {
        QString text = QString::number(f.line + 1) + u' ' + QLatin1String(kRuleNames[int(f.rule)]);
        if (!f.detail.isEmpty())
            text += u':' + f.detail;
        out.append(text);
    }
    return out;
}

QString latin1(const char *text) {
    return QString::fromLatin1(text);
}

} // namespace

class TestConsoleCheck : public QObject {
    Q_OBJECT

private slots:
    // One table for every rule: small texts, each from the way the server
    // reads a script, and the findings expected in them.
    void rules() {
        const auto row = [](const char *name, const QString &text, const QStringList &expected) {
            const QStringList got = described(check(text));
            QVERIFY2(got == expected, qPrintable(QLatin1String(name) + u'=' + got.join(u',')));
        };
        // A ";" outside quotes starts a command, also in a comment.
        row("semicolon in a comment line", latin1("//abc;set fraglimit 77"),
            {"1 CommandSplit:set fraglimit 77"});
        row("semicolon in a generated value", latin1("set public 1;set cheats 1"),
            {"1 CommandSplit:set cheats 1"});
        row("semicolon after a trailing comment", latin1("set fraglimit 5 // note;set cheats 1"),
            {"1 CommandSplit:set cheats 1"});
        row("semicolon inside quotes", latin1("set rcon_password \"a;b\""), {});
        row("a hand-written line of two commands", latin1("set a 1; set b 2"), {});
        // Quotes.
        row("quote ends a value early", latin1("set hostname \"My \"Best\" Server\""),
            {"1 QuoteBreak"});
        row("quote left open", latin1("set hostname \"a\"b\""), {"1 QuoteBreak"});
        row("quote in a comment counts", latin1("set fraglimit 1 // \""), {"1 QuoteBreak"});
        // What set takes.
        row("blank in an unquoted value", latin1("set maxclients 1 6"), {"1 Refused"});
        row("empty value", latin1("set maxclients "), {"1 Refused"});
        row("flag in capitals", latin1("set hostname \"x\" S"), {"1 Refused"});
        row("value and flag", latin1("set email \"a@b.invalid\" s"), {});
        row("variable without a value", latin1("allow_download_players"), {"1 Refused"});
        row("variable with extra words", latin1("allow_download_players 1 6"), {"1 ExtraWords"});
        // Server-info values.
        row("backslash in server info", latin1("set email \"back\\slash\" s"), {"1 InfoCharacter"});
        row("semicolon in server info", latin1("set website \"semi;colon\" s"),
            {"1 InfoCharacter"});
        row("the host name is server info", latin1("set hostname \"a\\b\""), {"1 InfoCharacter"});
        row("the rcon password is not", latin1("set rcon_password \"a\\b\""), {});
        row("server-info value too long",
            QStringLiteral("set location \"%1\" s").arg(QString(64, u'L')), {"1 InfoTooLong"});
        row("longest server-info value",
            QStringLiteral("set location \"%1\" s").arg(QString(63, u'L')), {});
        row("server-info string too long",
            QStringLiteral("set admin \"%1\" s\nset email \"%2\" s\nset location \"%3\" s\n"
                           "set website \"%4\" s\nset hostname \"%5\"\nset fraglimit %6")
                .arg(QString(63, u'a'), QString(63, u'e'), QString(63, u'l'), QString(63, u'w'),
                     QString(63, u'h'), QString(39, u'0') + u'1'),
            {"4 InfoTooLong"});
        // The map.
        row("empty map name", latin1("map "), {"1 MapRefused"});
        row("map name of two words", latin1("map my map"), {"1 MapRefused"});
        row("after the map", latin1("map q2dm8\nset after 1\n// a comment"), {"2 AfterMap"});
        row("after the map on its line", latin1("map q2dm8;set after 1"),
            {"1 AfterMap", "1 CommandSplit:set after 1"});
        // Numbers, read as C's strtod reads them and kept as a float.
        row("not a number", latin1("set timelimit abc"), {"1 NotANumber:0"});
        row("number with letters after it", latin1("set maxclients 15abc"), {"1 NotANumber:15"});
        row("number a float cannot hold", latin1("set dmflags 16777217"),
            {"1 NotANumber:16777216"});
        row("whole number", latin1("set fraglimit -5"), {});
        row("number in exponent form", latin1("set timelimit 1e3"), {});
        row("number of a variable command", latin1("allow_download_maps x"), {"1 NotANumber:0"});
        row("a text field is no number", latin1("set hostname \"abc\""), {});
        // Letters beyond ASCII.
        row("quoted letter beyond ASCII", latin1("set hostname \"Z\xfcrich\""),
            {"1 NotAscii:Z|rich"});
        row("unquoted letter beyond ASCII splits a word", latin1("map Z\xfcrich"),
            {"1 MapRefused"});
        row("unquoted letter beyond ASCII ends a word", latin1("map q2dm\xe9"),
            {"1 BlankLetter:q2dm"});
        // What the server rewrites or cuts.
        row("dollar outside quotes", latin1("set fraglimit $version"), {"1 Macro:version"});
        row("dollar inside quotes", latin1("set hostname \"$version\""), {});
        row("command too long", QStringLiteral("set motd %1").arg(QString(1100, u'k')),
            {"1 CommandCut"});
        // Variables of the game, unknown at start.
        row("idle time", latin1("idledetect 5"), {"1 UnknownAtStart"});
        // The file as a whole.
        row("file too long", QStringLiteral("set a 1\n//%1").arg(QString(32768 - 11, u'x')),
            {"1 FileTooLong"});
        row("longest file", QStringLiteral("set a 1\n//%1").arg(QString(32767 - 11, u'x')), {});
        row("null character", QStringLiteral("set a 1\nset b 2%1\nset c 3").arg(QChar(0)),
            {"2 NulCharacter"});
        // As the real server answered: names, maps loaded, what a ";" or "$" does.
        row("command words in any case", latin1("SET hostname x\nSetMaster 127.0.0.1"), {});
        row("a variable in other letters is another", latin1("set HostName x"), {});
        row("a bare name in other letters", latin1("set timelimit 5\nTimeLimit 9"),
            {"2 UnknownAtStart"});
        row("a bare game variable before the map", latin1("sv_gravity 800"), {"1 UnknownAtStart"});
        row("a bare variable set before", latin1("set mine 1\nmine 2"), {});
        row("write protected", latin1("set version 9"), {"1 Refused"});
        row("a map named with its ending", latin1("map q2dm1.bsp"), {"1 MapRefused"});
        row("a map loaded by an alias", latin1("alias go \"map q2dm1\"\ngo\nset t 1"),
            {"3 AfterMap"});
        row("gamemap loads", latin1("gamemap q2dm1\nset t 1"), {"2 AfterMap"});
        row("a semicolon glued to a value", latin1("set motd hello;world"),
            {"1 CommandSplit:world"});
        row("a dollar in a comment", latin1("set a 1 // costs $5"), {});
        row("blanks around a number", latin1("set timelimit \" 7 \""), {});
        row("a flag glued to its quote", latin1("set admin \"Ann\"s"), {});
        row("info test only for info variables", latin1("set a x\nset a \"b;c\" s"), {});
        row("info test for a variable in the info", latin1("set a x s\nset a \"b\\c\""),
            {"2 InfoCharacter"});
        // 32,767 bytes, CR LF counted as the two they are.
        row("longest file, CR LF", QStringLiteral("set a 1\r\n//%1").arg(QString(32767 - 11, u'x')),
            {});
    }

    // A finding names the wizard answer of its line, also in the raw-code block.
    void answersOfAComposedFile() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.Hostname = QStringLiteral("x;set cheats 1");
        s.Timelimit = QStringLiteral("abc");
        const QString text = composeServerFile(s, QStringLiteral("T"));
        const QStringList lines = text.split(u'\n');
        QStringList seen;
        for (const Finding &f : check(text)) {
            QVERIFY(f.start >= 0 && f.start + f.length <= lines[f.line].size());
            seen.append(QString::number(f.line + 1) + u' ' +
                        QLatin1String(kRuleNames[int(f.rule)]) + u' ' + f.answer);
        }
        QCOMPARE(seen, QStringList({"10 CommandSplit Host Name", "40 InfoCharacter Host Name",
                                    "51 NotANumber Time Limit"}));
    }

    // The wizard's first answers and every game type's preset give a file
    // the check finds nothing in.
    void composedFilesRunClean() {
        for (int type = 0; type < int(ChoiceTables::gameTypes().size()); ++type) {
            ServerSettingsRecord s = Expected::wizardDefaults();
            s.GameType = type;
            s.GameTypeName = QString::fromLatin1(ChoiceTables::gameTypes()[type].text);
            s.PresetGameType = ChoiceTables::isPreset(type);
            QCOMPARE(described(check(composeServerFile(s, "T"))), QStringList());
        }
    }
};

QTEST_APPLESS_MAIN(TestConsoleCheck)
#include "test_consolecheck.moc"
