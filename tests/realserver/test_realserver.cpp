// Runs the real Quake II server (Yamagi Quake II from Debian) on server files
// the program composes and checks that what the console check predicts is
// what the server does; runs the command line of the command-line creator
// with the real game. The engine is fetched and run by the two scripts beside
// this file.

#include "Engine.h"
#include "LoopbackClient.h"
#include "SmallestMap.h"
#include "commandline/CommandLine.h"
#include "serverfile/ConsoleCheck.h"
#include "serverfile/GeneratedLines.h"
#include "serverfile/QuakeConsole.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileImport.h"
#include "support/ExpectedFiles.h"
#include "support/HandWrittenFiles.h"
#include "support/RandomRecords.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sched.h>
#include <unistd.h>

using ConsoleCheck::Effect;
using ConsoleCheck::Finding;
using ConsoleCheck::Rule;

namespace {

// What one run of the server showed.
struct ServerRun {
    QString output;
    QMap<QString, QString> cvars; // from "cvarlist"
    QMap<QString, QString> info;  // from "serverinfo"
    QString status;               // the answer to a status query on the port
    QString udp;                  // the namespace's UDP sockets
};

// A run that did not get as far as its closing questions is its output alone.
ServerRun parsed(const QString &all) {
    static const QRegularExpression marks(QStringLiteral("\n== (?:status|udp) ==\n"));
    const QStringList parts = all.split(marks);
    if (parts.size() != 3)
        return {all, {}, {}, {}, {}};
    ServerRun run{parts[0], {}, {}, parts[1], parts[2]};
    static const QRegularExpression cvar(QStringLiteral("^.{4} (\\S+) \"(.*)\"$"));
    bool inInfo = false;
    for (const QString &line : run.output.split(u'\n')) {
        if (line == QLatin1String("Server info settings:")) {
            inInfo = true;
        } else if (inInfo) {
            if (line.isEmpty()) {
                inInfo = false;
            } else if (!line.startsWith(QLatin1String("Info string")) &&
                       !line.startsWith(QLatin1String("Keys and values"))) {
                const QString key = line.section(u' ', 0, 0);
                run.info[key] = line.mid(qMax<qsizetype>(20, key.size()));
            }
        } else if (const auto match = cvar.match(line); match.hasMatch()) {
            run.cvars[match.captured(1)] = match.captured(2);
        }
    }
    return run;
}

// A path as a POSIX shell takes it whole.
QString shellWord(const QString &path) {
    return u'\'' + QString(path).replace(u'\'', QLatin1String("'\\''")) + u'\'';
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The records run through the server, each with what makes it hostile: the
// answers changed, by the variable or command that carries them ("x{9}" is
// nine x), "preset" and "randomizer" for the game type's two choices.
const struct {
    const char *name, *answers;
} kCases[] = {
    {"wizard defaults", ""},
    {"game type 1", "gametype=1"},
    {"game type 2 with the randomizer", "gametype=2|randomizer|randomize_weapon=2"},
    {"game type 3", "gametype=3|preset"},
    {"game type 4", "gametype=4|preset"},
    {"game type 5, public, downloads",
     "gametype=5|preset|public=1|setmaster=127.0.0.1|allow_download=1|allow_download_maps=1|"
     "allow_download_players=1|dmflags=1040|weaponban=8388608|featureban=262145"},
    {"semicolons", "hostname=x;set probe1 1|rcon_password=pw;set probe2 1|"
                   "fraglimit=5;set probe3 1|admin=n;set probe4 1"},
    {"quotes", "hostname=My \"Best\" Server|email=a\"b|maplistfile=m\"x\" y"},
    {"backslashes", "email=back\\slash|website=semi;colon|hostname=a\\b|rcon_password=c\\d"},
    {"blanks", "maxclients=1 6|timelimit=|fraglimit= 5|map=my map"},
    {"empty map", "map="},
    {"numbers", "timelimit=abc|maxclients=15abc|fraglimit=0x10|dmflags=16777217|idledetect=x|"
                "allow_download_maps=yes"},
    {"Latin-1 letters",
     "hostname=Z\u00fcrich|location=M\u00fcnchen|map=q2dm\u00e9|motdfile=motd-\u00e4.txt"},
    {"long values", "admin=n{70}|email=e{63}|location=l{63}|website=w{63}|hostname=h{63}|"
                    "fraglimit=0{39}1|rcon_password=r{1100}"},
    {"dollar", "fraglimit=$version"},
    {"file too long", "motdfile=m{17000}"},
};

ServerSettingsRecord record(const char *answers) {
    ServerSettingsRecord s = Expected::wizardDefaults();
    static const QRegularExpression repeated(QStringLiteral("(.)\\{(\\d+)\\}"));
    for (const QString &answer : QString::fromUtf8(answers).split(u'|', Qt::SkipEmptyParts)) {
        const QString key = answer.section(u'=', 0, 0);
        QString value = answer.mid(key.size() + 1);
        for (QRegularExpressionMatch m; (m = repeated.match(value)).hasMatch();)
            value.replace(m.capturedStart(), m.capturedLength(),
                          QString(m.captured(2).toInt(), m.captured(1)[0]));
        if (key == u"preset")
            s.PresetGameType = true;
        else if (key == u"randomizer")
            s.RandomizerChosen = true;
        else
            GeneratedLines::setField(s, GeneratedLines::find(key, {})->field, value);
    }
    return s;
}

} // namespace

class TestRealServer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_engine;       // a copy of the engine, readable by the server's user
    bool m_entered = false; // the player of the last run entered the game
    struct {
        int total = 0, misses = 0, alarms = 0;
        QStringList wrong;
    } m_judged; // the lines of the server files, against what the server did

    // With a player, the server shares this test's own loopback-only network,
    // and the commands go to it once the player has entered the game.
    ServerRun run(const QString &home, int port, const QString &line, const QByteArray &commands,
                  bool player = false) {
        QProcess sandbox;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (player)
            environment.insert(QStringLiteral("Q2_SANDBOXED"), QStringLiteral("1"));
        sandbox.setProcessEnvironment(environment);
        sandbox.start(kScripts + QLatin1String("/q2sandbox.sh"),
                      {home, QString::number(port), line});
        LoopbackClient client;
        if (player) {
            client.connect(quint16(port), QStringLiteral("tester"));
            m_entered = client.waitInGame(7000);
        }
        sandbox.write(commands);
        sandbox.closeWriteChannel();
        if (!sandbox.waitForFinished(30000))
            sandbox.kill();
        sandbox.waitForFinished(5000);
        return parsed(
            QString::fromLatin1(sandbox.readAllStandardOutput() + sandbox.readAllStandardError()));
    }

    // The engine on a fresh home that holds the text as server.cfg and the
    // named maps; with a map there it listens where a player finds it.
    ServerRun exec(const QString &text, const QStringList &maps = {}, bool player = false) {
        QTemporaryDir home(m_dir.path() + QLatin1String("/home-XXXXXX"));
        const QString game = home.path() + QLatin1String("/.yq2/baseq2/");
        bool written = writeFile(game + QLatin1String("server.cfg"), text.toLatin1());
        for (const QString &map : maps)
            written =
                written && writeFile(game + QLatin1String("maps/%1.bsp").arg(map), smallestMap());
        if (!written)
            return parsed(QStringLiteral("server.cfg or a map not written"));
        return run(home.path(), maps.isEmpty() ? 0 : 27910,
                   shellWord(m_engine + QLatin1String("/q2ded")) +
                       QLatin1String(" +set ip 127.0.0.1 +exec server.cfg"),
                   "cvarlist\nserverinfo\nquit\n", player);
    }

private slots:
    void initTestCase() {
        if (geteuid() != 0)
            QFAIL("the real-server test runs the server in a network namespace of its own and "
                  "as the user nobody, which needs root");
        QVERIFY(m_dir.isValid());
        // Quotes and a blank in the engine's folder, so that the creator's line
        // has something to quote.
        m_engine = m_dir.path() + QLatin1String("/Quake II's \"engine\"");
        copyEngine(m_dir.path(), m_engine);
        // From here on the test has a network of its own with loopback alone,
        // where its player meets the server.
        QVERIFY(unshare(CLONE_NEWNET) == 0);
        QCOMPARE(QProcess::execute(QStringLiteral("ip"), {"link", "set", "lo", "up"}), 0);
    }

    // Each row a server file: a record composed (the table's, then seeded
    // random ones) with 30 lines such as admins write mixed in before its
    // map. A line is judged right when the check says the server does
    // something else exactly where the server does: every line the tool
    // writes, 99 of 100 in all. Players get the server info foretold, the
    // map loads or is refused as foretold, and the commands a ";" starts
    // are those foretold.
    void serverFiles_data() {
        QTest::addColumn<int>("index");
        for (const auto &c : kCases)
            QTest::newRow(c.name) << int(&c - kCases);
        for (int seed = 1; seed <= 16; ++seed)
            QTest::addRow("random %d", seed) << -seed;
    }
    void serverFiles() {
        QFETCH(int, index);
        QRandomGenerator random(quint32(qAbs(index)));
        const bool named = index >= 0;
        const ServerSettingsRecord record =
            named ? ::record(kCases[index].answers) : RandomRecords::record(random);
        const QString composed = composeServerFile(record, QStringLiteral("T"));
        const QList<Finding> alone = ConsoleCheck::check(composed);
        if (named && index < 6) // the wizard's first answers, and every game type's preset
            QVERIFY(alone.isEmpty());
        if (std::any_of(alone.begin(), alone.end(),
                        [](const Finding &f) { return f.rule == Rule::FileTooLong; })) {
            const ServerRun server = exec(composed);
            QVERIFY(server.output.contains(QLatin1String("Cbuf_AddText: overflow")));
            QCOMPARE(server.cvars.value(QStringLiteral("hostname")), QStringLiteral("noname"));
            return;
        }

        // What a line seems to do: each variable with its value, or none.
        struct Line {
            QString text;
            QList<std::pair<QString, std::optional<QString>>> seems;
            const GeneratedLines::Command *entry = nullptr;
            bool tools = true;
        };
        QList<Line> lines;
        for (const QuakeConsole::Line &l : QuakeConsole::lines(composed).sliced(28)) {
            const GeneratedLines::Command *entry = GeneratedLines::commandOf(l.text);
            Line line{l.text.toString(), {}, entry};
            if (entry && entry->holds(&ServerSettingsRecord::InitialMap)) {
                if (named) // a random map name may run anything after it
                    lines.append(line);
                break; // the rest would wait for a player
            }
            if (entry && !GeneratedLines::variableOf(*entry).isEmpty()) {
                QString value = entry->fixed() ? QString(entry->fixedValue)
                                               : GeneratedLines::fieldText(record, entry->field);
                if (entry->holds(&ServerSettingsRecord::HighScorerLine))
                    value = value.sliced(qMin<qsizetype>(15, value.size()));
                line.seems.append({GeneratedLines::variableOf(*entry),
                                   entry->quoted() ? value : value.trimmed()});
            } else if (entry && !l.text.startsWith(u'/')) { // setmaster: its servers
                line.seems.append(
                    {QStringLiteral("#masters"),
                     record.MasterServers.split(u' ', Qt::SkipEmptyParts).join(u' ')});
            }
            lines.append(line);
        }
        // N and M stand for fresh variable names, U for N in capitals. What a
        // line seems to do: "NAME=VALUE", "NAME!" for a name left alone.
        static const std::pair<const char *, const char *> forms[] = {
            {"SET N abc", "N=abc"},
            {"set N 15abc", "N=15abc"},
            {"set N \"two words\"", "N=two words"},
            {"set N \" 7\"", "N= 7"},
            {"set N \"\"", "N="},
            {"set N", "N="},
            {"set N two words", "N=two words"},
            {"set N \"a\"b\"", "N=a\"b"},
            {"set N \"x\\y\" s", "N=x\\y"},
            {"set N \"a;b\" s", "N=a;b"},
            {"set N \"Ann\"s", "N=Ann"},
            {"set N 1 S", "N=1"},
            {"set N 1 u", "N=1"},
            {"set N Z\u00fcrich", "N=Z\u00fcrich"},
            {"set N \"Z\u00fcrich\" s", "N=Z\u00fcrich"},
            {"N 5", "N=5"},
            {"set N 1; N 7", "N=7"},
            {"set N 1; U 7", "N=1|U=7"},
            {"set N 1; set M 2", "N=1|M=2"},
            {"set N a;M", "N=a;M"},
            {"// set N 1", "N!"},
            {"// note; set N 1", "N!"},
            {"set N 5 // $version", "N=5"},
            {"set N $version", "N=$version"},
            {"set N x; set N \"a;b\" s", "N=a;b"},
            {"set N x s; set N \"a\\b\"", "N=a\\b"},
            {"set version N", "version=N"},
            {"set protocol 35 // N", "protocol=35"},
            {"\tset\tN\t3", "N=3"},
        };
        for (int i = 0; i < 30; ++i) {
            const auto &[form, seems] = forms[random.bounded(int(std::size(forms)))];
            const QString n = QStringLiteral("k%1").arg(2 * i),
                          m = QStringLiteral("k%1").arg(2 * i + 1);
            const auto fresh = [&](QString text) {
                return text.replace(u'N', n).replace(u'M', m).replace(u'U', n.toUpper());
            };
            Line line{fresh(QString::fromUtf8(form)), {}, nullptr, false};
            for (const QString &part : fresh(QString::fromUtf8(seems)).split(u'|')) {
                if (part.endsWith(u'!'))
                    line.seems.append({part.chopped(1), std::nullopt});
                else
                    line.seems.append({part.section(u'=', 0, 0), part.section(u'=', 1)});
            }
            lines.insert(random.bounded(int(lines.size()) + (named ? 0 : 1)), line);
        }
        QStringList texts;
        for (const Line &line : lines)
            texts.append(line.text);
        const QString file = texts.join(QLatin1String("\r\n"));
        // With long values the map is there: loading it adds to the server info.
        const bool loads = named && QLatin1String(kCases[index].name) == u"long values";
        const ServerRun server = exec(file, loads ? QStringList{"q2dm8"} : QStringList());
        QVERIFY2(server.output.contains(QLatin1String("execing server.cfg")),
                 qPrintable(server.output));
        // The server names each master server it takes: by its address when
        // it is one (any name may stand for it), else by the name.
        static const QRegularExpression master(
            QStringLiteral("^(?:Master server at .*|Bad address: (.*))$"),
            QRegularExpression::MultilineOption);
        QStringList masters;
        for (const QRegularExpressionMatch &m : master.globalMatch(server.output))
            masters.append(m.hasCaptured(1) ? m.captured(1) : QStringLiteral("?"));
        const QList<Finding> findings = ConsoleCheck::check(file);
        QString context = QStringLiteral("\nFindings:");
        for (const Finding &f : findings)
            context += QStringLiteral("\nline %1: %2").arg(f.line + 1).arg(f.message);
        int answers = 0;
        for (int i = 0; i < lines.size(); ++i) {
            const Line &line = lines[i];
            QHash<Rule, QString> own;
            QSet<Effect> effects;
            for (const Finding &f : findings)
                if (f.line == i)
                    own.insert(f.rule, f.detail), effects.insert(ConsoleCheck::effectOf(f.rule));
            const QString where = QStringLiteral("line %1: %2").arg(i + 1).arg(line.text) + context;
            if (line.entry && line.entry->holds(&ServerSettingsRecord::InitialMap)) {
                const QString typed = record.InitialMap.trimmed();
                const bool refused = own.contains(Rule::MapRefused);
                QVERIFY2(server.output.contains(QLatin1String("USAGE: map <mapname>")) == refused,
                         qPrintable(where));
                QVERIFY2(
                    refused ||
                        server.output.contains(QStringLiteral("Can't find maps/%1.bsp")
                                                   .arg(own.value(Rule::BlankLetter, typed))) ||
                        (loads && server.status.contains(QLatin1String("\\mapname\\") + typed)),
                    qPrintable(where));
                continue;
            }
            const bool foretold =
                effects.contains(Effect::NotSet) || effects.contains(Effect::Changed);
            bool differs = false;
            for (const auto &[variable, value] : line.seems) {
                // The console shows a blank for each letter beyond ASCII.
                const std::optional<QString> shown =
                    value ? std::optional(QString(*value).replace(
                                QRegularExpression(QStringLiteral("[^\\x00-\\x7f]")), " "))
                          : std::nullopt;
                const std::optional<QString> held =
                    variable == u"#masters"           ? std::optional(masters.join(u' '))
                    : server.cvars.contains(variable) ? std::optional(server.cvars[variable])
                                                      : std::nullopt;
                const bool address = variable == u"#masters" && held && shown &&
                                     held->count(u' ') == shown->count(u' ') &&
                                     held->contains(u'?');
                differs = differs || (held != shown && !address);
                // Players get the info; a letter beyond ASCII shows as the check says.
                if (foretold || !line.entry || line.entry->fixed() || !value || value->isEmpty() ||
                    !(line.entry->serverInfo() || QuakeConsole::isServerInfo(variable)))
                    continue;
                QVERIFY2(server.info.contains(variable) != effects.contains(Effect::LeftOut),
                         qPrintable(where));
                if (own.contains(Rule::NotAscii) && !effects.contains(Effect::LeftOut))
                    QVERIFY2(server.info.value(variable) == own.value(Rule::NotAscii),
                             qPrintable(where));
            }
            answers += line.entry != nullptr;
            if (line.tools)
                QVERIFY2(differs == foretold, qPrintable(where));
            ++m_judged.total;
            if (differs == foretold)
                continue;
            (differs ? m_judged.misses : m_judged.alarms)++;
            m_judged.wrong.append(QStringLiteral("%1 %2: %3")
                                      .arg(differs ? "miss" : "false alarm")
                                      .arg(index)
                                      .arg(line.text));
        }
        QVERIFY(answers >= 20);

        // Commands a ";" starts: the probe variables the server holds are
        // those foretold, each set to 1.
        QStringList foretold, ran;
        for (const Finding &f : findings)
            if (f.rule == Rule::CommandSplit && f.detail.startsWith(QLatin1String("set probe")))
                foretold.append(f.detail);
        for (auto it = server.cvars.cbegin(); it != server.cvars.cend(); ++it)
            if (it.key().startsWith(QLatin1String("probe")))
                ran.append(QStringLiteral("set %1 %2").arg(it.key(), it.value()));
        foretold.removeDuplicates(); // a probe may be set on two lines
        foretold.sort();
        QVERIFY2(ran == foretold, qPrintable(ran.join(u',') + context));
    }
    void cleanupTestCase() {
        const int right = m_judged.total - m_judged.misses - m_judged.alarms;
        qInfo("check against the server: %d lines, %d judged right (%.1f%%), %d misses, %d false "
              "alarms",
              m_judged.total, right, 100.0 * right / qMax(1, m_judged.total), m_judged.misses,
              m_judged.alarms);
        QVERIFY2(100 * right >= 99 * m_judged.total, qPrintable(m_judged.wrong.join(u'\n')));
    }

    // Importing changes nothing of what the server ends up with: every
    // variable a hand-written file changes holds the same value after the
    // imported and composed file; what the import adds, the report names.
    void importKeepsWhatTheServerHolds_data() {
        QTest::addColumn<QString>("file");
        for (const HandWrittenFiles::File &file : HandWrittenFiles::all())
            QTest::newRow(file.name) << file.text;
    }
    void importKeepsWhatTheServerHolds() {
        QFETCH(QString, file);
        const ServerFileImport::Result imported = ServerFileImport::read(file);
        const QString composed = ServerFileImport::compose(imported, QStringLiteral("T"));
        // The maps the original loads are there, and then a player makes the
        // server run what follows a map; the original's map lines alone tell
        // what loading them changes by itself.
        static const QRegularExpression loads(QStringLiteral("(?:^|\\n)\\s*map (\\S+)"));
        QStringList maps;
        for (const QRegularExpressionMatch &m : loads.globalMatch(file))
            maps.append(m.captured(1));
        const auto serve = [&](const QString &text) { return exec(text, maps, !maps.isEmpty()); };
        const ServerRun before =
            serve(maps.isEmpty() ? QString() : QLatin1String("map ") + maps.join(u"\nmap "));
        const ServerRun original = serve(file);
        const ServerRun after = serve(composed);
        QVERIFY(!before.cvars.isEmpty() && !after.cvars.isEmpty());
        for (auto it = original.cvars.cbegin(); it != original.cvars.cend(); ++it) {
            if ((before.cvars.value(it.key()) == it.value() && before.cvars.contains(it.key())) ||
                it.key() == u"qport")
                continue; // the original does not change it; the engine draws qport anew
            QVERIFY2(
                after.cvars.value(it.key()) == it.value(),
                qPrintable(QStringLiteral("%1: \"%2\" before the import, \"%3\" after\n%4")
                               .arg(it.key(), it.value(), after.cvars.value(it.key()), composed)));
        }
    }

    // The creator's line, as the window builds it, starts a dedicated server
    // on the chosen port with the chosen file in the game folder.
    void creatorLineStartsADedicatedServer() {
        ServerSettingsRecord record = Expected::wizardDefaults();
        record.Hostname = QStringLiteral("Kestrune Test Server");
        // A line written by hand after the map line, which the server sets aside.
        const QString text =
            composeServerFile(record, QStringLiteral("T")) + QLatin1String("\r\nset timelimit 33");

        QTemporaryDir home(m_dir.path() + QLatin1String("/home-XXXXXX"));
        for (const char *folder : {"baseq2", "kestrune"}) {
            const QString game = home.path() + QLatin1String("/.yq2/") + QLatin1String(folder);
            QVERIFY(writeFile(game + QLatin1String("/my server.cfg"), text.toLatin1()));
            QVERIFY(writeFile(game + QLatin1String("/maps/q2dm8.bsp"), smallestMap()));
        }
        // A blank in the file's name: quoted for the console as well as the shell.
        const QString quake2 = m_engine + QLatin1String("/quake2");
        const QString line =
            serverCommandLine(quake2, QStringLiteral("my server.cfg"), QStringLiteral("27931"),
                              QStringLiteral("kestrune"), Shell::Posix);
        const ServerRun server =
            run(home.path(), 27931, line + QLatin1String(" +set ip 127.0.0.1"), "quit\n");
        for (const char *info : {"\\hostname\\Kestrune Test Server\\", "\\gamedir\\kestrune\\",
                                 "\\mapname\\q2dm8\\", "\\timelimit\\15\\"})
            QVERIFY2(server.status.contains(QLatin1String(info)),
                     qPrintable(server.output + server.status));
        QVERIFY(server.udp.contains(QLatin1String(" 0100007F:6D1B "))); // 127.0.0.1:27931
        QVERIFY(!server.output.contains(QLatin1String("refresher initialization")));
    }

    // Lines after the map run when the first player enters the game, not
    // before: a player on loopback proves it.
    void afterTheMapWhenAPlayerEnters() {
        const QString text = composeServerFile(Expected::wizardDefaults(), QStringLiteral("T")) +
                             QLatin1String("\r\nset later 1 s");
        const QList<Finding> findings = ConsoleCheck::check(text);
        QCOMPARE(findings.size(), 1);
        QCOMPARE(ConsoleCheck::effectOf(findings[0].rule), Effect::Later);
        const ServerRun alone = exec(text, {"q2dm8"});
        QVERIFY2(alone.status.contains(QLatin1String("\\mapname\\q2dm8\\")),
                 qPrintable(alone.output));
        QVERIFY(!alone.cvars.contains(QStringLiteral("later")));
        const ServerRun joined = exec(text, {"q2dm8"}, true);
        QVERIFY2(m_entered, qPrintable(joined.output));
        QCOMPARE(joined.cvars.value(QStringLiteral("later")), QStringLiteral("1"));
        QCOMPARE(joined.cvars.value(QStringLiteral("idledetect")), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestRealServer)
#include "test_realserver.moc"
