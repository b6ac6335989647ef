#include "serverfile/ConsoleCheck.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileImport.h"
#include "settings/FirstAnswers.h"
#include "support/HandWrittenFiles.h"
#include "support/RandomRecords.h"

#include <QTest>

namespace {

// Values as the console can carry them: a quoted value holds no quote, one
// in the server info no "\\" or ";" either, an unquoted one is a single word.
ServerSettingsRecord consoleRecord(QRandomGenerator &random) {
    ServerSettingsRecord s = RandomRecords::record(random);
    for (QString *quoted : {&s.AdminName, &s.AdminEmail, &s.AdminLocation, &s.AdminWebsite,
                            &s.Hostname, &s.RconPassword, &s.MaplistFile, &s.MotdFile})
        quoted->remove(u'"');
    for (QString *info :
         {&s.AdminName, &s.AdminEmail, &s.AdminLocation, &s.AdminWebsite, &s.Hostname})
        info->remove(u'\\').remove(u';');
    const auto word = [&] { return QString::number(random.generate(), 36); };
    for (QString *unquoted :
         {&s.Fraglimit, &s.Timelimit, &s.Maxclients, &s.IdleDetect, &s.InitialMap})
        *unquoted = word();
    s.MasterServers = word() + u' ' + word();
    return s;
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
            const ServerFileImport::Result r = ServerFileImport::read(
                composeServerFile(s, "T").section(QStringLiteral("\r\n"), 28));
            QCOMPARE(composeServerFile(r.record, "T"), composeServerFile(s, "T"));
            QCOMPARE(r.keptLines, QStringList());
            QCOMPARE(r.added, QStringList());
            QCOMPARE(r.afterMap, 0);
        }
    }

    // Files as administrators write them: what the import takes.
    void handWrittenFiles() {
        const auto list = [](const char *joined) {
            return QString::fromLatin1(joined).split(u'|', Qt::SkipEmptyParts);
        };
        const auto orFirst = [](const char *value, const char *first) {
            return QString::fromLatin1(*value ? value : first);
        };
        for (const HandWrittenFiles::File &file : HandWrittenFiles::all()) {
            const ServerFileImport::Result r = ServerFileImport::read(file.text);
            QVERIFY2(r.record.Hostname == orFirst(file.host, FirstAnswers::Hostname) &&
                         r.record.Timelimit == orFirst(file.time, FirstAnswers::Timelimit) &&
                         r.keptLines == list(file.kept) && r.outsideTables == list(file.outside),
                     file.name);
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
