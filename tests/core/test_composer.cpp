#include "serverfile/HandLines.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileReader.h"
#include "support/ExpectedFiles.h"

#include <QRandomGenerator>
#include <QTest>

using Expected::join;

class TestComposer : public QObject {
    Q_OBJECT

private:
    // Replaces line n (counted from 1) of a hand-written file.
    static QString withLines(QStringList lines, const QList<QPair<int, QString>> &changes) {
        for (const auto &[number, text] : changes)
            lines[number - 1] = text;
        return join(lines);
    }
    static QStringList defaultLines() {
        return Expected::wizardDefaultsFile(QStringLiteral("T")).split(QStringLiteral("\r\n"));
    }

private slots:
    void emptyRecord() {
        QStringList raw(25, QStringLiteral("//"));
        const QString expected = join(QStringList{"// Begining of Raw-Code - Do Not Alter The "
                                                  "Following!"} +
                                      raw +
                                      QStringList{
                                          "// End of Raw-Code",
                                          "",
                                          "// Begin admin ident section.",
                                          "set email \"\" s",
                                          "set website \"\" s",
                                          "set location \"\" s",
                                          "set admin \"\" s",
                                          "// End admin ident section.",
                                          "",
                                          "// Kestrune Server File - Created 1/2/2026 3:04:05 PM",
                                          "",
                                          "set gametype    // ",
                                          "set public ",
                                          "set hostname \"\"",
                                          "set rcon_password \"\"",
                                          "",
                                          "//setmaster ",
                                          "set default_weapon ",
                                          "set ammo_given ",
                                          "set dmflags ",
                                          "set weaponban ",
                                          "set featureban ",
                                          "set fragban 0",
                                          "set fraglimit ",
                                          "set timelimit ",
                                          "set maxclients ",
                                          "set allow_download ",
                                          "allow_download_players ",
                                          "allow_download_models ",
                                          "allow_download_sounds ",
                                          "allow_download_maps ",
                                          "set idledetect ",
                                          "set maplist 1",
                                          "set maplistfile \"\"",
                                          "set motdfile \"\"",
                                          "map ",
                                          "",
                                          "//End of generated server file.",
                                      });
        QCOMPARE(composeServerFile({}, QStringLiteral("1/2/2026 3:04:05 PM")), expected);
    }

    void wizardDefaults() {
        const QString text = composeServerFile(Expected::wizardDefaults(), QStringLiteral("T"));
        QCOMPARE(text, Expected::wizardDefaultsFile(QStringLiteral("T")));
        QVERIFY(text.endsWith(QLatin1String("//End of generated server file.")));
    }

    // Rail-only: neither weapon nor ammunition line; dmflags follows setmaster.
    void presetGameType() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.GameType = 4;
        s.GameTypeName = QStringLiteral("Kestrune Rail-Only Insta-Gib FFA");
        s.PresetGameType = true;
        QStringList lines = defaultLines();
        lines[5] = QStringLiteral("//4");
        lines[37] = QStringLiteral("set gametype 4   // Kestrune Rail-Only Insta-Gib FFA");
        lines.removeAt(43); // set default_weapon
        lines.removeAt(43); // set ammo_given
        QCOMPARE(composeServerFile(s, QStringLiteral("T")), join(lines));
    }

    void randomizerPath() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.RandomizerChosen = true;
        s.RandomizerType = QStringLiteral("2");
        s.AmmoGiven = 3;
        QCOMPARE(composeServerFile(s, QStringLiteral("T")),
                 withLines(defaultLines(),
                           {{7, "//3"}, {44, "set randomize_weapon 2"}, {45, "set ammo_given 3"}}));
    }

    void publicServer() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.PublicServer = 1;
        QCOMPARE(
            composeServerFile(s, QStringLiteral("T")),
            withLines(defaultLines(),
                      {{8, "//1"}, {39, "set public 1"}, {43, "setmaster " + Expected::kMasters}}));
    }

    void gameTypeThreeKeepsTrailingBlank() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.GameType = 3;
        s.GameTypeName = QStringLiteral("Kestrune Rail Only Extinction ");
        const QString text = composeServerFile(s, QStringLiteral("T"));
        QCOMPARE(text.split(QStringLiteral("\r\n"))[37],
                 QStringLiteral("set gametype 3   // Kestrune Rail Only Extinction "));
    }

    // Values restored from a file are text and are written as they came.
    void restoredTextIsWrittenUnchanged() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.DMFlags = SettingNumber::fromText(QStringLiteral(" 516x"));
        const QStringList lines = composeServerFile(s, QStringLiteral("T")).split("\r\n");
        QCOMPARE(lines[11], QStringLiteral("// 516x"));
        QCOMPARE(lines[45], QStringLiteral("set dmflags  516x"));
    }

    // A line break inside a value is written as one blank, so no command is
    // split and the raw-code lines stay in place.
    void lineBreaksInValuesBecomeBlanks() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.MasterServers = QStringLiteral("a\r\nb\nc\rd\r\n\r\ne");
        const QString text = composeServerFile(s, QStringLiteral("T"));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 64);
        QCOMPARE(lines[8], QStringLiteral("//a b c d  e"));
        QCOMPARE(lines[42], QStringLiteral("//setmaster a b c d  e"));
        QCOMPARE(text.count(QLatin1Char('\n')), 63);
        QCOMPARE(text.count(QLatin1Char('\r')), 63);
    }

    void creationTimeHasDateBlankAndSeconds() {
        const QDateTime when(QDate(2026, 3, 4), QTime(13, 5, 9));
        const QString text = creationTimeText(when);
        QVERIFY2(text.contains(QLatin1String(":05:09")) || text.contains(QLatin1String("05:09")),
                 qPrintable(text));
        QVERIFY(text.contains(QLatin1Char(' ')));
        QVERIFY(!text.trimmed().isEmpty());
    }

    // Compose, read back: the 25 values come back as text, exactly.
    void roundTripsAwkwardValues() {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.AdminName = QStringLiteral("\"Quoted\" name");
        s.AdminEmail = QStringLiteral("  blanks  ");
        s.AdminLocation = QStringLiteral("//slashes// and \\back\\");
        s.Hostname = QStringLiteral("Caf\u00e9 M\u00fcller \u00bf\u00ff");
        s.RconPassword = QStringLiteral("//");
        const auto read = readServerFile(composeServerFile(s, QStringLiteral("T")).toLatin1());
        QVERIFY(read);
        QCOMPARE(read->rawValues, RawCode::values(s));
    }

    void roundTripsRandomRecords() {
        QRandomGenerator random(20261207);
        const QString alphabet = QStringLiteral(" \"/\\abcXYZ019;:$%\u00e9\u00ff\u00a0\t");
        const auto randomText = [&] {
            QString text;
            const int length = random.bounded(12);
            for (int i = 0; i < length; ++i)
                text += alphabet[random.bounded(int(alphabet.size()))];
            return text;
        };
        for (int round = 0; round < 500; ++round) {
            ServerSettingsRecord s;
            QStringList values;
            for (int i = 0; i < RawCode::FieldCount; ++i)
                values.append(randomText());
            RawCode::restore(s, values);
            s.PresetGameType = random.bounded(2);
            s.RandomizerChosen = random.bounded(2);
            const QString text = composeServerFile(s, randomText());
            const auto read = readServerFile(text.toLatin1());
            QVERIFY(read);
            QCOMPARE(read->rawValues, values);
            QCOMPARE(read->text, text);
        }
    }

    // Regenerating: which lines are the composer's, where hand lines go, and
    // what counts as a generated line changed by hand.
    void handLines_data() {
        QTest::addColumn<QString>("edit"); // applied to a composed file
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<int>("replaced");
        QTest::newRow("nothing by hand") << QString() << QStringList() << 0;
        QTest::newRow("above the block")
            << "^set sv_gravity 800" << QStringList{"set sv_gravity 800"} << 0;
        QTest::newRow("comments and blanks")
            << "$// mine\r\n\r\n   \r\n//other" << QStringList{"// mine", "//other"} << 0;
        QTest::newRow("generated, changed")
            << "=set fraglimit 0=SET fraglimit 7" << QStringList() << 1;
        QTest::newRow("quoted variable") << "$set \"hostname\" x" << QStringList() << 1;
        QTest::newRow("unknown set") << "$set hostnames x\r\nsetmasterx 1"
                                     << QStringList{"set hostnames x", "setmasterx 1"} << 0;
        QTest::newRow("private setmaster") << "$//setmaster a b" << QStringList() << 1;
        QTest::newRow("edited marker") << "=// Begining=// Beginning" << QStringList() << 0;
    }
    void handLines() {
        QFETCH(QString, edit);
        QFETCH(QStringList, kept);
        QFETCH(int, replaced);
        const QString composed = composeServerFile(Expected::wizardDefaults(), "T");
        QString current = composed;
        if (edit.startsWith(u'^'))
            current.prepend(edit.mid(1) + "\r\n");
        else if (edit.startsWith(u'$'))
            current.append("\r\n" + edit.mid(1));
        else if (edit.startsWith(u'='))
            current.replace(edit.section(u'=', 1, 1), edit.section(u'=', 2));

        const QString fresh = composeServerFile(Expected::wizardDefaults(), "U");
        const HandLines::Regenerated r = HandLines::keep(current, fresh, composed);
        QCOMPARE(r.kept, kept.size());
        QCOMPARE(r.replaced, replaced);
        QStringList expected = fresh.split("\r\n");
        for (const QString &line : kept)
            expected.insert(expected.size() - 3, line);
        QCOMPARE(r.text, expected.join("\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestComposer)
#include "test_composer.moc"
