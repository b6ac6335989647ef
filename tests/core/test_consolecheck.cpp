#include "serverfile/ConsoleCheck.h"
#include "serverfile/ServerFileComposer.h"
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
    for (const Finding &f : findings)
        out.append(QString::number(f.line + 1) + u' ' + QLatin1String(kRuleNames[int(f.rule)]) +
                   (f.detail.isEmpty() ? QString() : u':' + f.detail));
    return out;
}

} // namespace

class TestConsoleCheck : public QObject {
    Q_OBJECT

private slots:
    // One table for every rule: small texts, each from the way the server
    // reads a script, and the findings expected in them.
    void rules() {
        const auto row = [](const QString &text, const QStringList &expected) {
            const QStringList got = described(check(text));
            QVERIFY2(got == expected, qPrintable(text.left(80) + u'=' + got.join(u',')));
        };
        // A ";" outside quotes starts a command, also in a comment.
        row("//abc;set fraglimit 77", {"1 CommandSplit:set fraglimit 77"});
        row("set fraglimit 5 // note;set cheats 1", {"1 CommandSplit:set cheats 1"});
        row("set rcon_password \"a;b\"", {});
        // A line written by hand may hold two commands.
        row("set a 1; set b 2", {});
        // Quotes.
        row("set hostname \"My \"Best\" Server\"", {"1 QuoteBreak"});
        row("set hostname \"a\"b\"", {"1 QuoteBreak"});
        row("set fraglimit 1 // \"", {"1 QuoteBreak"});
        // What set takes.
        row("set maxclients 1 6", {"1 Refused"});
        row("set maxclients ", {"1 Refused"});
        row("set hostname \"x\" S", {"1 Refused"});
        row("set email \"a@b.invalid\" s", {});
        row("allow_download_players", {"1 Refused"});
        row("allow_download_players 1 6", {"1 ExtraWords"});
        // Server-info values.
        row("set email \"back\\slash\" s", {"1 InfoCharacter"});
        row("set hostname \"a\\b\"", {"1 InfoCharacter"});
        row("set rcon_password \"a\\b\"", {});
        row(QStringLiteral("set location \"%1\" s").arg(QString(64, u'L')), {"1 InfoTooLong"});
        row(QStringLiteral("set location \"%1\" s").arg(QString(63, u'L')), {});
        row(QStringLiteral("set admin \"%1\" s\nset email \"%2\" s\nset location \"%3\" s\n"
                           "set website \"%4\" s\nset hostname \"%5\"\nset fraglimit %6")
                .arg(QString(63, u'a'), QString(63, u'e'), QString(63, u'l'), QString(63, u'w'),
                     QString(63, u'h'), QString(39, u'0') + u'1'),
            {"4 InfoTooLong"});
        // The map.
        row("map ", {"1 MapRefused"});
        row("map my map", {"1 MapRefused"});
        row("map q2dm8\nset after 1\n// a comment", {"2 AfterMap"});
        row("map q2dm8;set after 1", {"1 AfterMap", "1 CommandSplit:set after 1"});
        // Numbers, read as C's strtod reads them and kept as a float.
        row("set timelimit abc", {"1 NotANumber:0"});
        row("set maxclients 15abc", {"1 NotANumber:15"});
        row("set dmflags 16777217", {"1 NotANumber:16777216"});
        row("set timelimit 1e3", {});
        row("allow_download_maps x", {"1 NotANumber:0"});
        row("set hostname \"abc\"", {});
        // Letters beyond ASCII.
        row(QString::fromLatin1("set hostname \"Z\xfcrich\""), {"1 NotAscii:Z|rich"});
        row(QString::fromLatin1("map Z\xfcrich"), {"1 MapRefused"});
        row(QString::fromLatin1("map q2dm\xe9"), {"1 BlankLetter:q2dm"});
        // What the server rewrites or cuts.
        row("set fraglimit $version", {"1 Macro:version"});
        row("set hostname \"$version\"", {});
        row(QStringLiteral("set motd %1").arg(QString(1100, u'k')), {"1 CommandCut"});
        // Variables of the game, unknown at start.
        row("idledetect 5", {"1 UnknownAtStart"});
        // The file as a whole.
        row(QStringLiteral("set a 1\n//%1").arg(QString(32768 - 11, u'x')), {"1 FileTooLong"});
        row(QStringLiteral("set a 1\nset b 2%1\nset c 3").arg(QChar(0)), {"2 NulCharacter"});
        // As the real server answered: names, maps loaded, what a ";" or "$" does.
        row("SET hostname x\nSetMaster 127.0.0.1", {});
        row("set timelimit 5\nTimeLimit 9", {"2 UnknownAtStart"});
        row("set mine 1\nmine 2", {});
        row("set version 9", {"1 Refused"});
        row("map q2dm1.bsp", {"1 MapRefused"});
        row("alias go \"map q2dm1\"\ngo\nset t 1", {"3 AfterMap"});
        row("gamemap q2dm1\nset t 1", {"2 AfterMap"});
        row("set motd hello;world", {"1 CommandSplit:world"});
        row("set a 1 // costs $5", {});
        row("set timelimit \" 7 \"", {});
        row("set admin \"Ann\"s", {});
        // The info test only for variables in the server info.
        row("set a x\nset a \"b;c\" s", {});
        row("set a x s\nset a \"b\\c\"", {"2 InfoCharacter"});
        // 32,767 bytes, CR LF counted as the two they are.
        row(QStringLiteral("set a 1\r\n//%1").arg(QString(32767 - 11, u'x')), {});
    }

    // A finding names the wizard answer of its line, also in the raw-code block.
    void answersOfAComposedFile() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.Hostname = QStringLiteral("x;set cheats 1");
        s.Timelimit = QStringLiteral("abc");
        const QString text = composeServerFile(s, QStringLiteral("T"));
        QStringList seen;
        for (const Finding &f : check(text))
            seen.append(described({f}).constFirst() + u' ' + f.answer);
        QCOMPARE(seen, QStringList({"10 CommandSplit:set cheats 1 Host Name",
                                    "40 InfoCharacter Host Name", "51 NotANumber:0 Time Limit"}));
    }
};

QTEST_APPLESS_MAIN(TestConsoleCheck)
#include "test_consolecheck.moc"
