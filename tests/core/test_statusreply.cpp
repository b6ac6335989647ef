// The live-server logic that needs no server: reading status answers, the
// out-of-band requests, where +exec finds a file, and what the comparison
// expects of a file and makes of the console's answers.

#include "liveserver/GameFolders.h"
#include "liveserver/OutOfBand.h"
#include "liveserver/ServerComparison.h"
#include "liveserver/ServerRunner.h"
#include "liveserver/StatusReply.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray answer(const QByteArray &text) {
    return QByteArray("\xff\xff\xff\xffprint\n") + text;
}

// Key/value pairs as the server writes them.
QByteArray infoString(int keys) {
    QByteArray out;
    for (int i = 0; i < keys; ++i)
        out += "\\k" + QByteArray::number(i) + "\\v";
    return out;
}

const QByteArray kReal = answer("\\dmflags\\16\\hostname\\Test Host\\mapname\\q2dm1\\maxclients\\8"
                                "\\gamename\\baseq2\n3 25 \"Bot\"\n-1 999 \"x y\"\n");

} // namespace

class TestStatusReply : public QObject {
    Q_OBJECT
private slots:
    // Each datagram: whether it is an answer, cut short, its map, how many
    // keys are kept and the players as "frags ping name".
    void parse() {
        const auto row = [](const char *name, const QByteArray &datagram, bool ok, bool truncated,
                            const QString &map, int keys, const QStringList &players) {
            const StatusReply reply = parseStatusReply(datagram);
            QStringList seen;
            for (const StatusPlayer &p : reply.players)
                seen.append(QStringLiteral("%1 %2 %3").arg(p.frags).arg(p.ping).arg(p.name));
            QVERIFY2(reply.ok() == ok && reply.error.isEmpty() == ok &&
                         reply.truncated == truncated && reply.map() == map &&
                         reply.info.size() == keys && seen == players,
                     name);
        };
        row("the server's answer", kReal, true, false, "q2dm1", 5, {"3 25 Bot", "-1 999 x y"});
        row("no players", answer("\\mapname\\m\n"), true, false, "m", 1, {});
        row("cut inside a player", kReal.first(kReal.size() - 8), true, true, "q2dm1", 5,
            {"3 25 Bot"});
        row("cut inside the info", answer("\\mapname\\q2d"), true, true, "q2d", 1, {});
        row("markup, high bit and control characters stay text",
            answer("\\hostname\\<b>x</b>\n0 0 \"\xc1\x01<i>\"\n"), true, false, "", 1,
            {"0 0 A?<i>"});
        row("more keys than kept", answer(infoString(100) + "\n"), true, true, "",
            int(StatusReply::MaxKeys), {});
        row("a key too long is left out", answer("\\" + QByteArray(200, 'k') + "\\v\\mapname\\m\n"),
            true, true, "m", 1, {});
        row("a line that is no player", answer("\\mapname\\m\nabc 1 \"n\"\n2 3 unquoted\n"), true,
            true, "m", 1, {});
        row("a name too long is cut",
            answer("\\mapname\\m\n1 2 \"" + QByteArray(500, 'n') + "\"\n"), true, true, "m", 1,
            {"1 2 " + QString(int(StatusReply::MaxNameLength), u'n')});
        row("garbage", QByteArray("\x01\x02garbage"), false, false, "", 0, {});
        row("another answer", QByteArray("\xff\xff\xff\xffinfo\n  x q2dm1 0/ 8\n"), false, false,
            "", 0, {});
    }

    void requests() {
        QCOMPARE(OutOfBand::rconRequest("a b", "x"), QByteArray("\xff\xff\xff\xffrcon \"a b\" x"));
        QCOMPARE(OutOfBand::rconRequest("a\"b", "x"), std::nullopt);
        QCOMPARE(OutOfBand::rconRequest("pw", "a\nquit"), std::nullopt);
    }

    // +exec finds a file in a game folder, in the home's .yq2 or beside the
    // program, the modification's or the base game's; a name with a blank
    // cannot be run.
    void execName() {
        static const struct {
            const char *file, *game, *name; // name empty: refused
        } cases[] = {
            {"home/.yq2/baseq2/server.cfg", "", "server.cfg"},
            {"home/.yq2/baseq2/cfg/s.cfg", "", "cfg/s.cfg"},
            {"engine/kestrune/k.cfg", "kestrune", "k.cfg"},
            {"engine/kestrune/k.cfg", "", ""}, // the mod's folder without the mod
            {"home/.yq2/s.cfg", "", ""},
            {"home/.yq2/baseq2/my server.cfg", "", ""},
        };
        for (const auto &c : cases) {
            QTemporaryDir dir;
            const QString path = dir.filePath(c.file);
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QStringList folders =
                GameFolders::folders(dir.filePath("engine/q2ded"), c.game, dir.filePath("home"));
            QCOMPARE(GameFolders::execName(path, folders).value_or(QString()), c.name);
            if (!*c.name)
                QVERIFY(GameFolders::notFoundMessage(path, folders).contains(folders.last()));
        }
    }

    // What the server holds against what the file sets: the last set counts,
    // lines after map are marked, the console check's findings explain.
    // Held as "name=value"; expected as "variable|line|held|after map|explained".
    void differences() {
        const auto row = [](const QString &file, const QStringList &held,
                            const QStringList &expected) {
            QHash<QString, QString> values;
            for (const QString &pair : held)
                values.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
            QStringList seen;
            for (const ServerComparison::Difference &d :
                 ServerComparison::differences(file, values))
                seen.append(QStringLiteral("%1|%2|%3|%4|%5")
                                .arg(d.expected.variable)
                                .arg(d.expected.line + 1)
                                .arg(d.held.value_or("-"))
                                .arg(int(d.expected.afterMap))
                                .arg(int(!d.explanation.isEmpty())));
            QCOMPARE(seen, expected);
        };
        const QString file = "set hostname \"A B\"\r\nset timelimit 10;set fraglimit 5\r\n"
                             "set timelimit 20\r\nmap q2dm1\r\nset maxclients 4\r\n";
        row(file, {"hostname=A B", "timelimit=20", "fraglimit=5", "maxclients=4"}, {});
        row(file, {"hostname=A B", "timelimit=42", "fraglimit=5", "maxclients=4"},
            {"timelimit|3|42|0|0"});
        // Unknown to the server, and after the map.
        row(file, {"hostname=A B", "timelimit=20", "maxclients=8"},
            {"fraglimit|2|-|0|1", "maxclients|5|8|1|1"});
        row("set Timelimit 5\r\n", {"timelimit=5"}, {"Timelimit|1|-|0|0"}); // letter case counts
        // Bare names with their values.
        row("fraglimit 10 20\r\nFraglimit 3\r\nset kv 1\r\nkv 2\r\nalias dmflags \"echo\"\r\n"
            "dmflags 16\r\nnokv 5\r\nmap q2dm1\r\ntimelimit 5\r\n",
            {"fraglimit=20", "kv=1"}, {"fraglimit|1|20|0|1", "kv|4|1|0|0", "timelimit|9|-|1|1"});
        // A map loads by gamemap, or by an alias that runs it.
        row("gamemap q2dm1\r\nset fraglimit 3\r\n", {"fraglimit=0"}, {"fraglimit|2|0|1|1"});
        row("alias go \"gamemap q2dm2\"\r\nset timelimit 5\r\ngo\r\nset fraglimit 3\r\n",
            {"timelimit=5", "fraglimit=0"}, {"fraglimit|4|0|1|1"});
    }

    // The worst word of a console line marks it, wherever it stands.
    void consoleLineKind() {
        static const struct {
            const char *line;
            ConsoleLineKind kind;
        } cases[] = {
            {"3 \"Player\" connected from 127.0.0.1", ConsoleLineKind::Plain},
            {"WARNING: then an overflow", ConsoleLineKind::Error},
            {"\xe9t\xe9 discarded", ConsoleLineKind::Warning},
        };
        for (const auto &c : cases)
            QCOMPARE(classifyConsoleLine(QString::fromLatin1(c.line)), c.kind);
    }

    void consoleAnswer() {
        static const struct {
            const char *line, *value; // value "-": no answer
        } cases[] = {
            {"\"timelimit\" is \"20\"", "20"},
            {"\"timelimit\" is \"a \"b\"\"", "a \"b\""},
            {"\"fraglimit\" is \"20\"", "-"},
            {"\"timelimit\" is \"", "-"},
            {"timelimit", "-"},
        };
        for (const auto &c : cases)
            QCOMPARE(ServerComparison::consoleAnswer(QString::fromLatin1(c.line), u"timelimit")
                         .value_or("-"),
                     QString::fromLatin1(c.value));
    }
};

QTEST_GUILESS_MAIN(TestStatusReply)
#include "test_statusreply.moc"
