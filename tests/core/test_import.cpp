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

    // Files as administrators write them.
    void handWrittenFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("hostname");
        QTest::addColumn<QString>("timelimit");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QStringList>("outside");
        const auto row = [](const char *name) -> QTestData & {
            return QTest::newRow(name) << HandWrittenFiles::text(name);
        };
        const QString host = FirstAnswers::Hostname, time = FirstAnswers::Timelimit;
        row("empty") << host << time << QStringList() << QStringList();
        row("comments at line ends, tabs") << "Frag Hall"
                                           << "20" << QStringList() << QStringList();
        row("joined by semicolons, unquoted")
            << "Hall"
            << "5" << QStringList{"exec bots.cfg"} << QStringList();
        row("set twice, the last counts")
            << host << "30" << QStringList{"set sv_gravity 700"} << QStringList();
        row("refused by the server")
            << host << time
            << QStringList{"set timelimit 1 6", "set hostname", "set HOSTNAME other"}
            << QStringList();
        row("latin-1 letters, outside the tables")
            << QStringLiteral("Z\u00fcrich") << time << QStringList()
            << QStringList{"Game Type 9", "Ammo Given 0"};
        row("after the map line") << host << "40" << QStringList() << QStringList();
        row("bare carriage returns: one line")
            << host << time << QStringList{"set timelimit 5\rset timelimit 30"} << QStringList();
        row("setmaster turns public on") << host << time << QStringList() << QStringList();
        row("downloads in the set form, a template value")
            << host << time << QStringList{"set allow_download_sounds \"$ALLOW_DOWNLOAD_SOUNDS\""}
            << QStringList();
        row("bare host name") << "-= TP =-" << time << QStringList() << QStringList();
        row("settings between two maps") << "Later Hall"
                                         << "25" << QStringList() << QStringList();
        row("no game type, weapon or ammunition") << "Plain"
                                                  << "10" << QStringList() << QStringList();
        row("names in other letter cases")
            << host << "20" << QStringList{"set HostName \"Frag Hall\"", "TimeLimit 30"}
            << QStringList();
        row("a whole server") << "Frag Hall"
                              << "20"
                              << QStringList{"// Frag Hall", "set sv_gravity 700",
                                             "alias rot \"map q2dm1\""}
                              << QStringList();
    }
    void handWrittenFiles() {
        QFETCH(QString, file);
        QFETCH(QString, hostname);
        QFETCH(QString, timelimit);
        QFETCH(QStringList, kept);
        QFETCH(QStringList, outside);
        const ServerFileImport::Result r = ServerFileImport::read(file);
        QCOMPARE(r.record.Hostname, hostname);
        QCOMPARE(r.record.Timelimit, timelimit);
        QCOMPARE(r.keptLines, kept);
        QCOMPARE(r.outsideTables, outside);
        // The kept lines stand before the map line of the composed text.
        const QStringList lines = ServerFileImport::compose(r, "T").split("\r\n");
        QCOMPARE(lines.mid(lines.size() - 3 - kept.size(), kept.size()), kept);
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
    }
};

QTEST_APPLESS_MAIN(TestImport)
#include "test_import.moc"
