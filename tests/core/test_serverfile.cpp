#include "serverfile/GeneratedLines.h"
#include "serverfile/HandLines.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileReader.h"
#include "support/ExpectedFiles.h"
#include "support/RandomRecords.h"
#include "wizard/Masks.h"

#include <QTest>

namespace {

const QByteArray kMarker = "// Begining of Raw-Code - Do Not Alter The Following!";

using Edit = std::function<void(ServerSettingsRecord &)>;
using Lines = QMap<int, QString>;

} // namespace

// The server file as composed and as read back: round trips over seeded
// random records, and the cases that randomness misses.
class TestServerFile : public QObject {
    Q_OBJECT

private slots:
    // What the composer writes for a record: the lines that differ from the
    // wizard's defaults, counted from 1 ("-" removes the line).
    void composing() {
        const auto row = [](const Lines &changed, const Edit &edit) {
            ServerSettingsRecord s = Expected::wizardDefaults();
            edit(s);
            QStringList lines = Expected::wizardDefaultsFile("T").split(QStringLiteral("\r\n"));
            for (const auto &[n, text] : changed.asKeyValueRange())
                lines[n - 1] = text;
            lines.removeAll(QStringLiteral("-"));
            QCOMPARE(composeServerFile(s, QStringLiteral("T")), lines.join(QStringLiteral("\r\n")));
        };
        row(Lines{}, [](ServerSettingsRecord &) {}); // the defaults
        // A preset game type writes no weapon and no ammunition; a name keeps
        // its trailing blank.
        row(Lines{{6, "//3"},
                  {38, "set gametype 3   // Kestrune Rail Only Extinction "},
                  {44, "-"},
                  {45, "-"}},
            [](ServerSettingsRecord &s) {
                s.GameType = 3;
                s.GameTypeName = QStringLiteral("Kestrune Rail Only Extinction ");
                s.PresetGameType = true;
            });
        row(Lines{{8, "//1"}, {39, "set public 1"}, {43, "setmaster " + Expected::kMasters}},
            [](ServerSettingsRecord &s) { s.PublicServer = 1; });
        row(Lines{{10, "//a \"b\"; //c"}, {40, "set hostname \"a \"b\"; //c\""}},
            [](ServerSettingsRecord &s) { s.Hostname = QStringLiteral("a \"b\"; //c"); });
    }

    // Compose, read back: the 25 values come back as text, exactly, the text
    // as it was, and the weapon or randomizer where the game type has one.
    void roundTrips() {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 500; ++round) {
            ServerSettingsRecord s = RandomRecords::record(random);
            const QString text = composeServerFile(s, RandomRecords::text(random));
            const auto read = readServerFile(text.toLatin1());
            QVERIFY(read);
            QCOMPARE(read->rawValues, RawCode::values(s));
            QCOMPARE(read->text, text);
            QCOMPARE(read->weapon.has_value(), !s.PresetGameType);
            QVERIFY(!read->weapon || read->weapon->randomizer == s.RandomizerChosen);
        }
    }

    // Files the reader refuses: only the program's own marker, exactly, on the
    // first line, and 25 raw-code lines of at least two characters.
    void refusedFiles() {
        const QByteArray file = Expected::wizardDefaultsFile("T").toLatin1();
        const QByteArray rest = file.mid(file.indexOf("\r\n"));
        const QByteArray tooShort = kMarker + QByteArray("\r\n//x").repeated(24);
        for (const QByteArray &bytes :
             QList<QByteArray>{QByteArray(), kMarker + " " + rest, kMarker.toLower() + rest,
                               " " + kMarker + rest, kMarker + "\r\n", tooShort,
                               QByteArray(file).replace("\r\n//Sunny San Diego\r\n", "\r\n/\r\n"),
                               "\xEF\xBB\xBF" + file}) // a UTF-8 byte-order mark
            QVERIFY2(!readServerFile(bytes), bytes.left(80).constData());
    }

    // Files it reads: a raw value is its line less the first two characters,
    // nothing trimmed, and the text is shown byte for byte.
    void readFiles() {
        const auto valueOf = [](const QByteArray &bytes, int field) {
            const auto read = readServerFile(bytes);
            return read && read->text.toLatin1() == bytes &&
                           read->rawValues.size() == RawCode::FieldCount
                       ? read->rawValues[field]
                       : QStringLiteral("(refused)");
        };
        const QByteArray file = Expected::wizardDefaultsFile("T").toLatin1();
        QCOMPARE(valueOf(QByteArray(file).replace("\r\n", "\n"), 2), "Sunny San Diego");
        QCOMPARE(valueOf(QByteArray(file).replace("\r\n", "\r"), 8), "[[  Kestrune Server  ]]");
        QCOMPARE(
            valueOf(QByteArray(file).replace("//Sunny San Diego\r", "// Sunny San Diego \r"), 2),
            " Sunny San Diego ");
        QCOMPARE(valueOf(QByteArray(file).replace("//Your", "xxYour"), 3), "Your Name Here");
        QByteArray shortest = kMarker;
        for (int i = 0; i < 25; ++i)
            shortest += "\r\n//" + QByteArray::number(i);
        QCOMPARE(valueOf(shortest, 24), "24");
        // Beyond the raw-code block only the last weapon or randomizer command
        // is read.
        const QByteArray edited =
            QByteArray(file)
                .replace("set hostname", "set hostname \"hand edited\"\r\nset x")
                .append("\r\nset randomize_weapon 2\r\n//set default_weapon 5\r\n")
                .append("\0\xff", 2);
        QCOMPARE(valueOf(edited, 8), "[[  Kestrune Server  ]]");
        const auto read = readServerFile(edited);
        QVERIFY(read && read->weapon && read->weapon->randomizer && read->weapon->code == u"2");
    }

    // Regenerating: which lines are the composer's, where hand lines go, and
    // what counts as a generated line changed by hand. The edit is applied
    // to a composed file: "$" puts lines below it, "=old=new" changes a line.
    void handLines() {
        const auto row = [](const QString &edit, const QStringList &kept, int replaced) {
            const QString composed = composeServerFile(Expected::wizardDefaults(), "T");
            QString current = composed;
            if (edit.startsWith(u'$'))
                current.append("\r\n" + edit.mid(1));
            else if (edit.startsWith(u'='))
                current.replace(edit.section(u'=', 1, 1), edit.section(u'=', 2));
            const QString fresh = composeServerFile(Expected::wizardDefaults(), "U");
            const HandLines::Regenerated r = HandLines::keep(current, fresh, composed);
            QVERIFY2(r.kept == kept.size() && r.replaced == replaced, qPrintable(edit));
            QStringList expected = fresh.split("\r\n");
            for (const QString &line : kept)
                expected.insert(expected.size() - 3, line);
            QCOMPARE(r.text, expected.join("\r\n"));
        };
        row(QString(), {}, 0);
        row("$// mine\r\n\r\n   \r\n//other", {"// mine", "//other"}, 0); // comments, blanks
        row("=set fraglimit 0=SET fraglimit 7", {}, 1);
        row("$set \"hostname\" x", {}, 1);
        row("$set hostnames x\r\nsetmasterx 1", {"set hostnames x", "setmasterx 1"}, 0);
        row("$//setmaster a b", {}, 1);          // the private setmaster
        row("=// Begining=// Beginning", {}, 0); // an edited marker
        // A line the tool does not write is kept whatever the letter case of
        // its name; a tool's command in other letters is the tool's.
        for (const char *line :
             {"set HostName \"Frag Hall\"", "IdleDetect 5", "set TIMELIMIT 5", "hostname x"})
            row(u'$' + QLatin1String(line), {line}, 0);
        for (const char *line : {"SET hostname x", "setMaster 127.0.0.1", "idledetect 5"})
            row(u'$' + QLatin1String(line), {}, 1);
    }

    void creationTimeHasDateBlankAndSeconds() {
        const QString text = creationTimeText(QDateTime(QDate(2026, 3, 4), QTime(13, 5, 9)));
        QVERIFY2(text.contains(QLatin1String("05:09")), qPrintable(text));
        QVERIFY(text.trimmed().contains(QLatin1Char(' ')));
    }

    // Box i stands for 2 to the power i; only a tick counts, not a grey box.
    void masksCountOnlyTicked() {
        std::vector<int> values(20, CheckValue::Unticked);
        values[2] = values[9] = values[19] = CheckValue::Ticked;
        values[5] = CheckValue::Grey;
        QCOMPARE(maskOf(values), 516 + (1 << 19));
    }
};

QTEST_APPLESS_MAIN(TestServerFile)
#include "test_serverfile.moc"
