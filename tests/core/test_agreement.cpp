// What the server does with a line, as the check, the import and the
// regeneration of hand lines all take it: names compared as the console
// compares them, lines split where the console splits them.

#include "serverfile/ConsoleCheck.h"
#include "serverfile/HandLines.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileImport.h"
#include "settings/ChoiceTables.h"
#include "support/ExpectedFiles.h"

#include <QTest>

using ConsoleCheck::Rule;

namespace {

const char *const kRuleNames[] = {
    "CommandSplit",   "QuoteBreak", "Refused",     "MapRefused",   "InfoCharacter", "InfoTooLong",
    "NotANumber",     "NotAscii",   "BlankLetter", "Macro",        "CommandCut",    "ExtraWords",
    "UnknownAtStart", "AfterMap",   "FileTooLong", "NulCharacter",
};

QStringList described(const QList<ConsoleCheck::Finding> &findings) {
    QStringList out;
    for (const ConsoleCheck::Finding &f : findings)
        out.append(QString::number(f.line + 1) + u' ' + QLatin1String(kRuleNames[int(f.rule)]));
    return out;
}

} // namespace

class TestAgreement : public QObject {
    Q_OBJECT

private slots:
    // As the real server answered: each row a file and the findings on it.
    void checkAsTheServerDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const char *text, QStringList expected) {
            QTest::newRow(name) << QString::fromLatin1(text) << expected;
        };
        row("command words in any case", "SET hostname x\nSetMaster 127.0.0.1", {});
        row("a variable in other letters is another", "set HostName x", {});
        row("a bare name in other letters", "set timelimit 5\nTimeLimit 9", {"2 UnknownAtStart"});
        row("a bare game variable before the map", "sv_gravity 800", {"1 UnknownAtStart"});
        row("a bare variable set before", "set mine 1\nmine 2", {});
        row("write protected", "set version 9", {"1 Refused"});
        row("a map named with its ending", "map q2dm1.bsp", {"1 MapRefused"});
        row("a map loaded by an alias", "alias go \"map q2dm1\"\ngo\nset t 1", {"3 AfterMap"});
        row("gamemap loads", "gamemap q2dm1\nset t 1", {"2 AfterMap"});
        row("a semicolon glued to a value", "set motd hello;world", {"1 CommandSplit"});
        row("a semicolon joining two commands", "set a 1; set b 2", {});
        row("a dollar in a comment", "set a 1 // costs $5", {});
        row("blanks around a number", "set timelimit \" 7 \"", {});
        row("a flag glued to its quote", "set admin \"Ann\"s", {});
        row("info test only for info variables", "set a x\nset a \"b;c\" s", {});
        row("info test for a variable in the info", "set a x s\nset a \"b\\c\"",
            {"2 InfoCharacter"});
        row("the longest file the server runs", "", {});
    }
    void checkAsTheServerDoes() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        if (text.isEmpty()) // 32,767 bytes, CR LF counted as the two they are
            text = QStringLiteral("set a 1\r\n//") + QString(32767 - 11, u'x');
        QCOMPARE(described(ConsoleCheck::check(text)), expected);
    }

    // The wizard's first answers and every game type's preset give a file
    // the check finds nothing in.
    void composedFilesRunClean() {
        for (int type = 0; type < int(ChoiceTables::gameTypes().size()); ++type) {
            ServerSettingsRecord s = Expected::wizardDefaults();
            s.GameType = type;
            s.GameTypeName = QString::fromLatin1(ChoiceTables::gameTypes()[type].text);
            s.PresetGameType = ChoiceTables::isPreset(type);
            QCOMPARE(described(ConsoleCheck::check(composeServerFile(s, "T"))), QStringList());
        }
    }

    // A line the tool does not write survives Finish, whatever the letter
    // case of its name; a tool's command in other letters is the tool's.
    void handLinesInOtherLetters() {
        const QString composed = composeServerFile(Expected::wizardDefaults(), "T");
        for (const char *line : {"set HostName \"Frag Hall\"", "Set Hostname x", "IdleDetect 5",
                                 "set TIMELIMIT 5", "set Idledetect 9", "hostname x"}) {
            const HandLines::Regenerated r =
                HandLines::keep(composed + "\r\n" + QLatin1String(line), composed, composed);
            QVERIFY2(r.kept == 1 && r.text.contains(QLatin1String(line)), line);
        }
        for (const char *line : {"SET hostname x", "setMaster 127.0.0.1", "idledetect 5"})
            QCOMPARE(
                HandLines::keep(composed + "\r\n" + QLatin1String(line), composed, composed).kept,
                0);
    }

    // Answers the file does not give, with no first answer, write no line.
    void importLeavesOutWhatItCannotAnswer() {
        const ServerFileImport::Result r = ServerFileImport::read(u"set hostname Plain\n");
        const QString text = ServerFileImport::compose(r, "T");
        QVERIFY(!text.contains(QLatin1String("set gametype")) &&
                !text.contains(QLatin1String("set default_weapon")) &&
                !text.contains(QLatin1String("set ammo_given")));
        QCOMPARE(described(ConsoleCheck::check(text)), QStringList());
        QVERIFY(ServerFileImport::report(r, "a.cfg", 0)
                    .contains(QLatin1String("left out, so the server keeps its own value: Game "
                                            "Type, Player Respawns With..., Ammo Given.")));
    }
};

QTEST_APPLESS_MAIN(TestAgreement)
#include "test_agreement.moc"
