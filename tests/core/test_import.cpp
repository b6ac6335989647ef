#include "serverfile/ConsoleCheck.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileImport.h"
#include "settings/FirstAnswers.h"
#include "support/HandWrittenFiles.h"
#include "support/RandomRecords.h"

#include <QTest>

namespace {

// Values as the console can carry them: a quoted value holds no quote, one
// in the server info no "\\" or ";" either, an unquoted one is a single word
// of plain letters.
QString word(QRandomGenerator &random) {
    static const QString pool = QStringLiteral("abcxyz019._-");
    QString out;
    const int length = 1 + random.bounded(8);
    for (int i = 0; i < length; ++i)
        out += pool[random.bounded(int(pool.size()))];
    return out;
}

ServerSettingsRecord consoleRecord(QRandomGenerator &random) {
    ServerSettingsRecord s = RandomRecords::record(random);
    for (QString *quoted : {&s.AdminName, &s.AdminEmail, &s.AdminLocation, &s.AdminWebsite,
                            &s.Hostname, &s.RconPassword, &s.MaplistFile, &s.MotdFile})
        quoted->remove(u'"');
    for (QString *info :
         {&s.AdminName, &s.AdminEmail, &s.AdminLocation, &s.AdminWebsite, &s.Hostname})
        info->remove(u'\\').remove(u';');
    for (QString *unquoted :
         {&s.Fraglimit, &s.Timelimit, &s.Maxclients, &s.IdleDetect, &s.InitialMap})
        *unquoted = word(random);
    s.MasterServers = word(random) + u' ' + word(random);
    return s;
}

// A composed file without its raw-code block: the commands alone.
QString commandsOnly(const ServerSettingsRecord &s) {
    return composeServerFile(s, QStringLiteral("T")).section(QStringLiteral("\r\n"), 28);
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    // Every file the composer writes, its raw-code block removed, imports to
    // the same answers: the masks, the weapon or randomizer, public and the
    // downloads included.
    void commandsAloneGiveTheAnswersBack() {
        QRandomGenerator random(1612);
        for (int i = 0; i < 200; ++i) {
            ServerSettingsRecord s = consoleRecord(random);
            if (s.PresetGameType) { // a rail-only file carries no weapon and no ammunition
                s.AmmoGiven = {};
                s.DefaultWeapon.clear();
                s.RandomizerChosen = false;
            }
            const ServerFileImport::Result r = ServerFileImport::read(commandsOnly(s));
            QCOMPARE(composeServerFile(r.record, "T"), composeServerFile(s, "T"));
            QCOMPARE(r.keptLines, QStringList());
            QCOMPARE(r.added, QStringList());
            QCOMPARE(r.afterMap, 0);
        }
    }

    // Files as administrators write them: the host name and time limit taken
    // ("" for the first answers), the lines kept and the values outside the
    // tables, each list joined by "|".
    void handWrittenFiles() {
        static const char *const rows[][5] = {
            {"empty", "", "", "", ""},
            {"comments at line ends, tabs", "Frag Hall", "20", "", ""},
            {"joined by semicolons, unquoted", "Hall", "5", "exec bots.cfg", ""},
            {"set twice, the last counts", "", "30", "set sv_gravity 700", ""},
            {"refused by the server", "", "", "set timelimit 1 6|set hostname|set HOSTNAME other",
             ""},
            {"latin-1 letters, outside the tables", "Z\xfcrich", "", "",
             "Game Type 9|Ammo Given 0"},
            {"after the map line", "", "40", "", ""},
            {"bare carriage returns: one line", "", "", "set timelimit 5\rset timelimit 30", ""},
            {"setmaster turns public on", "", "", "", ""},
            {"downloads in the set form, a template value", "", "",
             "set allow_download_sounds \"$ALLOW_DOWNLOAD_SOUNDS\"", ""},
            {"bare host name", "-= TP =-", "", "", ""},
            {"settings between two maps", "Later Hall", "25", "", ""},
            {"no game type, weapon or ammunition", "Plain", "10", "", ""},
            {"names in other letter cases", "", "20", "set HostName \"Frag Hall\"|TimeLimit 30",
             ""},
            {"a whole server", "Frag Hall", "20",
             "// Frag Hall|set sv_gravity 700|alias rot \"map q2dm1\"", ""},
        };
        const auto list = [](const char *joined) {
            return QString::fromLatin1(joined).split(u'|', Qt::SkipEmptyParts);
        };
        for (const auto &[name, host, time, keptLines, outsideLines] : rows) {
            const ServerFileImport::Result r = ServerFileImport::read(HandWrittenFiles::text(name));
            const QStringList kept = list(keptLines);
            QVERIFY2(r.record.Hostname ==
                             (*host ? QString::fromLatin1(host) : FirstAnswers::Hostname) &&
                         r.record.Timelimit ==
                             (*time ? QString::fromLatin1(time) : FirstAnswers::Timelimit) &&
                         r.keptLines == kept && r.outsideTables == list(outsideLines),
                     name);
            // The kept lines stand before the map line of the composed text.
            const QStringList lines = ServerFileImport::compose(r, "T").split("\r\n");
            QCOMPARE(lines.mid(lines.size() - 3 - kept.size(), kept.size()), kept);
        }
    }

    void reportSaysWhatHappened() {
        const ServerFileImport::Result none = ServerFileImport::read(u"exec a.cfg\nalias x y");
        QVERIFY(ServerFileImport::report(none, "a.cfg", 0)
                    .startsWith("Nothing in a.cfg is an answer of the wizard: all its 2 lines"));
        const ServerFileImport::Result some =
            ServerFileImport::read(u"set gametype 7\nmap q2dm1\nset x 1");
        const QString text = ServerFileImport::report(some, "b.cfg", 3);
        for (const char *part :
             {"Imported 2 answers from b.cfg; 1 line kept",
              "no choice of the wizard has them: Game Type 7",
              "The tool adds: set fragban 0, set maplist 1", "1 line came after the map line",
              "The check finds 3 places", "taken from the wizard's first answers: E-mail"})
            QVERIFY2(text.contains(QLatin1String(part)), qPrintable(text));
        // Answers the file does not give, with no first answer, write no line.
        const ServerFileImport::Result plain = ServerFileImport::read(u"set hostname Plain\n");
        const QString composed = ServerFileImport::compose(plain, "T");
        for (const char *line : {"set gametype", "set default_weapon", "set ammo_given"})
            QVERIFY2(!composed.contains(QLatin1String(line)), line);
        QCOMPARE(ConsoleCheck::check(composed).size(), 0);
        QVERIFY(ServerFileImport::report(plain, "a.cfg", 0)
                    .contains(QLatin1String("left out, so the server keeps its own value: Game "
                                            "Type, Player Respawns With..., Ammo Given.")));
    }
};

QTEST_APPLESS_MAIN(TestImport)
#include "test_import.moc"
