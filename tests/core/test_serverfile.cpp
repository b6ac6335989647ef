#include "serverfile/GeneratedLines.h"
#include "serverfile/HandLines.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileReader.h"
#include "support/ExpectedFiles.h"
#include "support/RandomRecords.h"
#include "wizard/Masks.h"

#include <QTest>

using Expected::join;

namespace {

const QByteArray kMarker = "// Begining of Raw-Code - Do Not Alter The Following!";

QStringList defaultLines() {
    return Expected::wizardDefaultsFile(QStringLiteral("T")).split(QStringLiteral("\r\n"));
}

using Edit = std::function<void(ServerSettingsRecord &)>;
using Lines = QMap<int, QString>;

} // namespace

// The server file as composed and as read back: round trips over seeded
// random records, and the cases that randomness misses.
class TestServerFile : public QObject {
    Q_OBJECT

private slots:
    // What the composer writes for a record: the lines that differ from the
    // wizard's defaults, counted from 1 (an empty text removes the line).
    void composing() {
        const auto row = [](const Lines &changed, const Edit &edit) {
            ServerSettingsRecord s = Expected::wizardDefaults();
            edit(s);
            QStringList lines = defaultLines();
            const QList<int> numbers = changed.keys();
            for (auto n = numbers.crbegin(); n != numbers.crend(); ++n) {
                if (changed[*n].isEmpty())
                    lines.removeAt(*n - 1);
                else
                    lines[*n - 1] = changed[*n];
            }
            QCOMPARE(composeServerFile(s, QStringLiteral("T")), join(lines));
        };
        row(Lines{}, [](ServerSettingsRecord &) {}); // the defaults
        row(Lines{{6, "//4"},
                  {38, "set gametype 4   // Kestrune Rail-Only Insta-Gib FFA"},
                  {44, ""},
                  {45, ""}},
            [](ServerSettingsRecord &s) {
                s.GameType = 4;
                s.GameTypeName = QStringLiteral("Kestrune Rail-Only Insta-Gib FFA");
                s.PresetGameType = true;
            });
        row(Lines{{7, "//3"}, {44, "set randomize_weapon 2"}, {45, "set ammo_given 3"}},
            [](ServerSettingsRecord &s) {
                s.RandomizerChosen = true;
                s.RandomizerType = QStringLiteral("2");
                s.AmmoGiven = 3;
            });
        row(Lines{{8, "//1"}, {39, "set public 1"}, {43, "setmaster " + Expected::kMasters}},
            [](ServerSettingsRecord &s) { s.PublicServer = 1; });
        row(Lines{{6, "//3"}, {38, "set gametype 3   // Kestrune Rail Only Extinction "}},
            [](ServerSettingsRecord &s) {
                s.GameType = 3;
                s.GameTypeName = QStringLiteral("Kestrune Rail Only Extinction ");
            });
        // Values restored from a file are text and are written as they came.
        row(Lines{{12, "// 516x"}, {46, "set dmflags  516x"}}, [](ServerSettingsRecord &s) {
            s.DMFlags = SettingNumber::fromText(QStringLiteral(" 516x"));
        });
        // A line break inside a value is one blank: no command is split and
        // the raw-code lines stay in place.
        row(Lines{{9, "//a b c d  e"}, {43, "//setmaster a b c d  e"}},
            [](ServerSettingsRecord &s) {
                s.MasterServers = QStringLiteral("a\r\nb\nc\rd\r\n\r\ne");
            });
        row(Lines{{10, "//a \"b\"; //c"}, {40, "set hostname \"a \"b\"; //c\""}},
            [](ServerSettingsRecord &s) { s.Hostname = QStringLiteral("a \"b\"; //c"); });
    }

    void emptyRecord() {
        const QStringList lines = composeServerFile({}, QStringLiteral("1/2/2026 3:04:05 PM"))
                                      .split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), defaultLines().size());
        QCOMPARE(lines.mid(1, 25), QStringList(25, QStringLiteral("//")));
        QCOMPARE(lines[35],
                 QStringLiteral("// Kestrune Server File - Created 1/2/2026 3:04:05 PM"));
        QCOMPARE(lines.mid(37, 5),
                 QStringList({"set gametype    // ", "set public ", "set hostname \"\"",
                              "set rcon_password \"\"", ""}));
        // An empty idle time is still a cvar the console sets.
        QVERIFY(lines.contains(QStringLiteral("set idledetect ")));
    }

    // Compose, read back: the 25 values come back as text, exactly, and the
    // text as it was; a record restored from them writes them again.
    void roundTrips() {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 500; ++round) {
            ServerSettingsRecord s = RandomRecords::record(random);
            const QStringList values = RawCode::values(s);
            const QString text = composeServerFile(s, RandomRecords::text(random));
            const auto read = readServerFile(text.toLatin1());
            QVERIFY(read);
            QCOMPARE(read->rawValues, values);
            QCOMPARE(read->text, text);
            QCOMPARE(read->weapon.has_value(), !s.PresetGameType);
            QVERIFY(!read->weapon || read->weapon->randomizer == s.RandomizerChosen);
            ServerSettingsRecord restored;
            RawCode::restore(restored, read->rawValues);
            QCOMPARE(RawCode::values(restored), values);
            QCOMPARE(restored.Hostname, s.Hostname);
            QCOMPARE(restored.Timelimit, s.Timelimit);
            QCOMPARE(restored.AdminEmail, s.AdminEmail);
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
                               " " + kMarker + rest, kMarker + "\r\n", tooShort, tooShort + "\r\n",
                               QByteArray(file).replace("\r\n//Sunny San Diego\r\n", "\r\n/\r\n"),
                               QByteArray(file).replace("\r\n//Sunny San Diego\r\n", "\r\n\r\n"),
                               "\xEF\xBB\xBF" + file}) // a UTF-8 byte-order mark
            QVERIFY2(!readServerFile(bytes), bytes.left(80).constData());
    }

    // Files it reads, and what it takes from them; the weapon as "r2" (randomizer 2) or "w0"
    // (weapon 0).
    void readFiles() {
        const auto row = [](const QByteArray &bytes, int field, const QString &value,
                            const QString &weapon) {
            const auto read = readServerFile(bytes);
            QVERIFY(read);
            QCOMPARE(read->rawValues.size(), RawCode::FieldCount);
            QCOMPARE(read->rawValues[field], value);
            QCOMPARE(read->text.toLatin1(), bytes); // shown byte for byte
            const QString got = read->weapon
                                    ? (read->weapon->randomizer ? "r" : "w") + read->weapon->code
                                    : QString();
            QCOMPARE(got, weapon);
        };
        const QByteArray file = Expected::wizardDefaultsFile("T").toLatin1();
        row(QByteArray(file).replace("\r\n", "\n"), 2, "Sunny San Diego", "w0");
        row(QByteArray(file).replace("\r\n", "\r"), 8, "[[  Kestrune Server  ]]", "w0");
        // A value is its line less the first two characters; nothing is trimmed.
        row(QByteArray(file).replace("//Sunny San Diego\r\n", "// Sunny San Diego \r\n"), 2,
            " Sunny San Diego ", "w0");
        row(QByteArray(file).replace("//Your Name Here\r\n", "xxYour Name Here\r\n"), 3,
            "Your Name Here", "w0");
        // Beyond those the commands are not read; the raw-code block counts,
        // and of the commands the last weapon or randomizer line.
        row(QByteArray(file)
                .replace("set hostname", "set hostname \"hand edited\"\r\nset x")
                .append("\r\nset randomize_weapon 2\r\n//set default_weapon 5\r\n")
                .append('\0')
                .append('\xff'),
            8, "[[  Kestrune Server  ]]", "r2");
        QByteArray shortest = kMarker;
        for (int i = 0; i < 25; ++i)
            shortest += "\r\n//" + QByteArray::number(i);
        row(shortest, 24, "24", "");
    }

    // Regenerating: which lines are the composer's, where hand lines go, and
    // what counts as a generated line changed by hand. The edit is applied
    // to a composed file: "^" puts a line above it, "$" below it, "=old=new"
    // changes a line.
    void handLines() {
        const auto row = [](const QString &edit, const QStringList &kept, int replaced) {
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
            QVERIFY2(r.kept == kept.size() && r.replaced == replaced, qPrintable(edit));
            QStringList expected = fresh.split("\r\n");
            for (const QString &line : kept)
                expected.insert(expected.size() - 3, line);
            QCOMPARE(r.text, expected.join("\r\n"));
        };
        row(QString(), {}, 0);
        row("^set sv_gravity 800", {"set sv_gravity 800"}, 0);
        row("$// mine\r\n\r\n   \r\n//other", {"// mine", "//other"}, 0); // comments, blanks
        row("=set fraglimit 0=SET fraglimit 7", {}, 1);
        row("$set \"hostname\" x", {}, 1);
        row("$set hostnames x\r\nsetmasterx 1", {"set hostnames x", "setmasterx 1"}, 0);
        row("$//setmaster a b", {}, 1);          // the private setmaster
        row("=// Begining=// Beginning", {}, 0); // an edited marker
        // A line the tool does not write is kept whatever the letter case of
        // its name; a tool's command in other letters is the tool's.
        for (const char *line : {"set HostName \"Frag Hall\"", "Set Hostname x", "IdleDetect 5",
                                 "set TIMELIMIT 5", "set Idledetect 9", "hostname x"})
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
