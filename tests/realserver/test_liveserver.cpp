// The tool runs the real Quake II server (Yamagi q2ded) through its own menus,
// watches its console, asks its status, commands it by remote console and
// compares it with the file. The whole test runs in a network namespace of its
// own with only loopback; the server runs there as the user nobody through
// q2ded_sandboxed.sh, which the tool takes for the game's program.

#include "Engine.h"
#include "LoopbackClient.h"
#include "SmallestMap.h"
#include "gui/GuiTestSupport.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "serverfile/ServerFileComposer.h"
#include "serverwindows/DifferencesView.h"
#include "serverwindows/ServerControl.h"
#include "serverwindows/frmRemoteConsole.h"
#include "serverwindows/frmServerConsole.h"
#include "serverwindows/frmServerStatus.h"
#include "support/ExpectedFiles.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtWidgets>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sched.h>
#include <unistd.h>

namespace {

constexpr quint16 kPort = 27930;
constexpr int kServerMs = 20000; // the longest the server may take to load its map

} // namespace

class TestLiveServer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_home;
    std::unique_ptr<GuiFixture> m_fixture;

    frmOutput &main() { return m_fixture->main(); }
    ServerControl &server() { return main().server(); }
    frmServerConsole *console() { return server().console(); }

    // Start Server from the menu, the unsaved file saved into the game folder.
    // A server file from the wizard's defaults on the test's map.
    void start(const QString &program, bool saves = true) {
        // A new file holding an rcon password is for its owner and group
        // alone; the server runs as nobody here, so the file is there
        // already, readable, and the save keeps its mode.
        QFile cfg(m_home + QLatin1String("/.yq2/baseq2/server.cfg"));
        QVERIFY(cfg.open(QIODevice::WriteOnly | QIODevice::Truncate));
        cfg.close();
        QVERIFY(cfg.setPermissions(cfg.permissions() | QFileDevice::ReadOther));
        ServerSettingsRecord record = Expected::wizardDefaults();
        record.InitialMap = QStringLiteral("q2dm1");
        record.Hostname = QStringLiteral("Live <b>Test</b>");
        record.RconPassword = QStringLiteral("letmein");
        main().replaceServerText(composeServerFile(record, QStringLiteral("T")));
        server().setChoice({program, QString(), QString::number(kPort)});
        if (saves) {
            MessageBox::scriptAnswer(MessageBox::Answer::Ok);
            FileDialog::scriptAnswer(m_home + QLatin1String("/.yq2/baseq2/server.cfg"));
        }
        main().mnuStartServer->trigger();
    }
    void startAndLoad() {
        start(kScripts + QLatin1String("/q2ded_sandboxed.sh"));
        QTRY_VERIFY_WITH_TIMEOUT(console() && console()->txtConsole->toPlainText().contains(
                                                  QLatin1String("server initialization")),
                                 kServerMs);
    }
    void type(QLineEdit *box, const QString &text) {
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QStringList shown() {
        QStringList texts;
        for (const MessageBox::Shown &box : MessageBox::takeShown())
            texts.append(box.text);
        return texts;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        copyEngine(m_dir.path(), m_dir.filePath(QStringLiteral("engine")));
        if (QTest::currentTestFailed())
            return;
        m_home = m_dir.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(m_home + QLatin1String("/.yq2/baseq2/maps")));
        QFile map(m_home + QLatin1String("/.yq2/baseq2/maps/q2dm1.bsp"));
        QVERIFY(map.open(QIODevice::WriteOnly) && map.write(smallestMap()) > 0);
        map.close();
        QVERIFY(QProcess::execute(QStringLiteral("chown"),
                                  {QStringLiteral("-R"), QStringLiteral("nobody"), m_home}) == 0);
        qputenv("HOME", m_home.toLocal8Bit());
        qputenv("Q2DED", m_dir.filePath(QStringLiteral("engine/q2ded")).toLocal8Bit());
    }
    void init() { m_fixture = std::make_unique<GuiFixture>(); }
    void cleanup() {
        // The server ends with each test, through the tool's own Stop.
        if (server().runner().running()) {
            server().runner().stop();
            QTRY_VERIFY_WITH_TIMEOUT(!server().runner().running(), 10000);
        }
        m_fixture.reset();
    }

    // Started from the menu, the console shows the map loading; commands
    // change two variables; the comparison finds nothing, then exactly those
    // two; Up brings the commands back; Stop reports the exit.
    void startCommandCompareStop() {
        startAndLoad();
        if (QTest::currentTestFailed())
            return;
        GuiFixture::click(console()->cmdCompare);
        QTRY_VERIFY2_WITH_TIMEOUT(console()->lblCompared->text().contains("holds all"),
                                  qPrintable(console()->lblCompared->text()), 5000);
        QVERIFY(console()->lstDifferences->isHidden());

        // A file's bare "name value" line is asked for as its "set" lines are.
        type(console()->txtCommand, QStringLiteral("allow_download_maps 1"));
        type(console()->txtCommand, QStringLiteral("set timelimit 42"));
        type(console()->txtCommand, QStringLiteral("timelimit"));
        QTRY_VERIFY_WITH_TIMEOUT(
            console()->txtConsole->toPlainText().contains("\"timelimit\" is \"42\""), 5000);
        QTest::keyClick(console()->txtCommand, Qt::Key_Up);
        QTest::keyClick(console()->txtCommand, Qt::Key_Up);
        QCOMPARE(console()->txtCommand->text(), QStringLiteral("set timelimit 42"));
        QTest::keyClick(console()->txtCommand, Qt::Key_Down);
        QCOMPARE(console()->txtCommand->text(), QStringLiteral("timelimit"));

        GuiFixture::click(console()->cmdCompare);
        QTRY_VERIFY_WITH_TIMEOUT(console()->lblCompared->text().contains("differ"), 5000);
        QStringList rows; // variable, the file's value, the server's
        for (int i = 0; i < console()->lstDifferences->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = console()->lstDifferences->topLevelItem(i);
            rows.append(row->text(0) + u' ' + row->text(2) + u' ' + row->text(3));
        }
        QCOMPARE(rows, QStringList({"timelimit 15 42", "allow_download_maps 0 1"}));

        // Leaving the tool while its server runs asks first; Cancel keeps both.
        MessageBox::scriptAnswer(MessageBox::Answer::Cancel);
        main().mnuExit->trigger();
        QVERIFY(server().runner().running() && m_fixture->programEnds() == 0);
        main().mnuStopServer->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!server().runner().running(), 10000);
        QVERIFY2(console()->lblState->text().contains("ended with exit code 0"),
                 qPrintable(console()->lblState->text()));
        // The two questions: whether to save the file first, whether to leave.
        const QStringList said = shown();
        QCOMPARE(said.size(), 2);
        QVERIFY(said[0].contains("save it now?") && said[1].contains("is still running"));
        QVERIFY(QFile::exists(m_home + QLatin1String("/.yq2/baseq2/server.cfg")));
    }

    // The status window shows the map, the host name as text and the player
    // who joined; the remote console takes the right password and refuses a
    // wrong one; the comparison by remote console finds nothing.
    void statusAndRemoteConsole() {
        startAndLoad();
        if (QTest::currentTestFailed())
            return;
        LoopbackClient player;
        player.connect(kPort, QStringLiteral("Tester"));
        QVERIFY(player.waitInGame(kServerMs));
        main().mnuServerStatus->trigger();
        frmServerStatus *status = server().status();
        QTRY_COMPARE_WITH_TIMEOUT(status->lblMap->text(), QStringLiteral("q2dm1"), 5000);
        QCOMPARE(status->lblHostname->text(), QStringLiteral("Live <b>Test</b>"));
        QCOMPARE(status->lblHostname->textFormat(), Qt::PlainText);
        QCOMPARE(status->lstPlayers->topLevelItemCount(), 1);
        QCOMPARE(status->lstPlayers->topLevelItem(0)->text(0), QStringLiteral("Tester"));
        QVERIFY(status->lblPlayers->text().startsWith("1 of 15"));
        // docs/screenshots.sh takes the README's pictures of a live server here.
        if (const QString folder = qEnvironmentVariable("KESTRUNE_SCREENSHOTS");
            !folder.isEmpty()) {
            QVERIFY(status->grab().save(folder + QLatin1String("/server-status.png")));
            QVERIFY(console()->grab().save(folder + QLatin1String("/server-console.png")));
        }

        main().mnuRemoteConsole->trigger();
        frmRemoteConsole *remote = server().remoteConsole();
        QCOMPARE(remote->txtPassword->text(), QStringLiteral("letmein")); // from the file
        QCOMPARE(remote->txtPassword->echoMode(), QLineEdit::Password);
        static const struct {
            const char *password, *command, *answer, *reply;
        } rows[] = {
            {"letmein", "status", "Answered.", "Tester"},
            {"wrong", "status", "The server refused the password: Bad rcon_password.", ""},
        };
        for (const auto &row : rows) {
            remote->txtReply->clear();
            remote->txtPassword->setText(QString::fromLatin1(row.password));
            type(remote->txtCommand, QString::fromLatin1(row.command));
            QTRY_COMPARE_WITH_TIMEOUT(remote->lblAnswer->text(), QString::fromLatin1(row.answer),
                                      5000);
            QVERIFY(remote->txtReply->toPlainText().contains(QLatin1String(row.reply)));
        }
        remote->txtPassword->setText(QStringLiteral("letmein"));
        GuiFixture::click(remote->cmdCompare);
        QTRY_VERIFY_WITH_TIMEOUT(remote->lblAnswer->text().contains("holds all"), 10000);
    }

    // What goes wrong says so plainly, and nothing hangs.
    void faults_data() {
        QTest::addColumn<QString>("program"); // beside this file, or absolute
        QTest::addColumn<QString>("message");
        static const char *const rows[][3] = {
            {"killed from outside", "q2ded_sandboxed.sh", "ended from outside (signal 9"},
            {"port in use", "q2ded_sandboxed.sh", "Port 27930 is already in use"},
            {"missing program", "none", "does not exist"},
            {"not executable", "SmallestMap.h", "is not executable"},
            {"ends at once", "/bin/false", "ended at once"}};
        for (const auto &[name, program, message] : rows)
            QTest::newRow(name) << QString::fromLatin1(program) << QString::fromLatin1(message);
    }
    void faults() {
        QFETCH(QString, program);
        QFETCH(QString, message);
        QUdpSocket taken;
        if (message.contains(u"signal")) {
            startAndLoad();
            if (QTest::currentTestFailed())
                return;
            // The engine is the child of timeout, the process the tool started.
            const qint64 pid = server().runner().processId();
            QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
            QVERIFY(children.open(QIODevice::ReadOnly));
            const int engine = children.readAll().trimmed().toInt();
            QVERIFY(engine > 0 && ::kill(engine, SIGKILL) == 0);
        } else {
            QVERIFY(!message.startsWith(u"Port") || taken.bind(QHostAddress::LocalHost, kPort));
            const QString path = QDir(kScripts).filePath(program);
            start(path, QFileInfo(path).isExecutable());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!server().runner().running(), 15000);
        const QString said =
            shown().join(u'\n') + (console() ? console()->lblState->text() : QString());
        QVERIFY2(said.contains(message), qPrintable(said));
    }

    // Any other server: one that never answers, answers from elsewhere, with
    // garbage, too much or too little; the window waits for none of them.
    void otherServers_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("fromOther");
        QTest::addColumn<QString>("answer");
        const QByteArray good(
            "\xff\xff\xff\xffprint\n\\hostname\\Fake\\mapname\\fake1\n0 5 \"p\"\n");
        const auto row = [](const char *name, const char *host, const QByteArray &reply,
                            bool fromOther, const char *answer) {
            QTest::newRow(name) << QString::fromLatin1(host) << reply << fromOther
                                << QString::fromLatin1(answer);
        };
        row("by name", "localhost", good, false, "Answered.");
        row("IPv6", "::1", good, false, "Answered.");
        row("never answers", "127.0.0.1", QByteArray(), false, "No answer within 2 s");
        row("answers from another port", "127.0.0.1", good, true, "No answer within 2 s");
        row("oversized", "127.0.0.1", good + QByteArray(60000, 'x'), false, "larger than any");
        row("truncated", "127.0.0.1", good.first(good.size() - 5), false, "cut short");
    }
    void otherServers() {
        QFETCH(QString, host);
        QFETCH(QByteArray, reply);
        QFETCH(bool, fromOther);
        QFETCH(QString, answer);
        const QHostAddress address(host == QLatin1String("::1") ? QHostAddress::LocalHostIPv6
                                                                : QHostAddress::LocalHost);
        // A server that answers every question with the same bytes, from its
        // own port or from another one.
        QUdpSocket fake, other;
        other.bind(address, 0);
        QObject::connect(&fake, &QUdpSocket::readyRead, [&] {
            while (fake.hasPendingDatagrams()) {
                const QNetworkDatagram question = fake.receiveDatagram();
                if (!reply.isEmpty())
                    (fromOther ? other : fake)
                        .writeDatagram(reply, question.senderAddress(), question.senderPort());
            }
        });
        if (!fake.bind(address, 0))
            QSKIP("no such loopback address in this namespace");
        main().mnuServerStatus->trigger();
        frmServerStatus *status = server().status();
        status->txtAddress->setText(host);
        status->txtPort->setText(QString::number(fake.localPort()));
        GuiFixture::click(status->cmdRefresh);
        // The window goes on handling events while the question is open.
        bool handled = false;
        QTimer::singleShot(0, status,
                           [&] { handled = status->lblAnswer->text().startsWith("Asking"); });
        QTRY_VERIFY_WITH_TIMEOUT(!status->lblAnswer->text().startsWith("Asking"), 4000);
        QVERIFY(handled || !reply.isEmpty());
        QVERIFY2(status->lblAnswer->text().contains(answer), qPrintable(status->lblAnswer->text()));
        if (answer == QLatin1String("Answered.") || answer == QLatin1String("cut short"))
            QCOMPARE(status->lblMap->text(), QStringLiteral("fake1"));
    }
};

// Into a network namespace of its own before anything opens a socket: the
// test, its fake servers and the real one reach nothing but loopback.
int main(int argc, char **argv) {
    if (geteuid() != 0) {
        std::fprintf(stderr, "test_liveserver needs root: it runs in a network namespace of its "
                             "own and runs the server as the user nobody\n");
        return 1;
    }
    if (unshare(CLONE_NEWNET) != 0 || std::system("ip link set lo up") != 0) {
        std::perror("test_liveserver: no loopback-only network namespace");
        return 1;
    }
    QApplication app(argc, argv);
    TestLiveServer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_liveserver.moc"
