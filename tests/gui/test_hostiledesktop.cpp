#include "GuiTestSupport.h"
#include "WizardDriver.h"
#include "platform/BusyWait.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"
#include "support/Archives.h"
#include "support/ExpectedFiles.h"
#include "wizard/frmServerWizard2.h"

#include <QElapsedTimer>
#include <QListView>
#include <QProcess>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 kGrowthKb = 256 * 1024; // AddressSanitizer holds freed memory back
#else
constexpr qint64 kGrowthKb = 16 * 1024;
#endif

// A zip64 of only a central directory (its entries' files are not needed to
// list it), of count entries and the maps.
QByteArray bareZip(int count, const QList<QByteArray> &maps) {
    using Archives::le;
    QByteArray directory;
    const auto entry = [&](const QByteArray &name) {
        directory += "PK\x01\x02" + QByteArray(24, '\0') + le(quint16(name.size())) +
                     QByteArray(16, '\0') + name;
    };
    for (int i = 0; i < count; ++i)
        entry("t/" + QByteArray::number(i));
    for (const QByteArray &map : maps)
        entry(map);
    const quint64 total = quint64(count + maps.size()), size = quint64(directory.size());
    const QByteArray ff = le(quint32(0xFFFFFFFF));
    return directory + "PK\x06\x06" + le(quint64(44)) + QByteArray(12, '\0') + le(total) +
           le(total) + le(size) + le(quint64(0)) + "PK\x06\x07" + QByteArray(4, '\0') + le(size) +
           le(quint32(1)) + "PK\x05\x06" + QByteArray(4, '\0') + ff + ff + ff + le(quint16(0));
}

// What lies in the folder and what /dev/null is, links not followed: any
// change shows, in a file's bytes too.
QByteArray snapshot(const QString &folder) {
    QProcess find;
    find.start("find", {folder, "/dev/null", "-printf", "%p %y %m %U %s %n %T@ %D %i\\n", "-type",
                        "f", "-size", "-1048576c", "-exec", "sha1sum", "{}", "+"});
    return find.waitForFinished(60000) ? find.readAllStandardOutput() : QByteArray();
}

qint64 statusKb(const char *field) {
    const QByteArray all = TextFile::readBytes(QStringLiteral("/proc/self/status"), 1 << 20).bytes;
    return all.mid(all.indexOf(field) + qstrlen(field)).trimmed().split(' ').first().toLongLong();
}

} // namespace

// Hostile and unlucky places, made by the test: for each, the window's thread
// never stops for more than 100 ms, memory stays bounded, the message says
// what is wrong and names the place, and nothing already on disk changes.
class TestHostileDesktop : public QObject {
    Q_OBJECT

    static constexpr int Accepted = 0, Refused = 1, TooLarge = 2;

    QTemporaryDir m_dir;
    int m_round = 0;
    QByteArray b(const QByteArray &name) { return QFile::encodeName(m_dir.path()) + '/' + name; }
    QString p(const QByteArray &name) { return m_dir.path() + u'/' + QString::fromLatin1(name); }
    void put(const QByteArray &name, const QByteArray &bytes) { // by the name's bytes
        QDir(m_dir.path()).mkpath(QFileInfo(p(name)).path());
        const int fd = open(b(name), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0 && write(fd, bytes.constData(), bytes.size()) == bytes.size());
        close(fd);
    }

    static frmCreateMaplist &editor(GuiFixture &f) {
        frmCreateMaplist &m = f.main().procedures().wizard().maplistEditor();
        m.showModal();
        return m;
    }
    static MaplistModel *maps(frmCreateMaplist &m) {
        return qobject_cast<MaplistModel *>(
            GuiFixture::control<QAbstractItemView>(&m, "lstMaps")->model());
    }

private slots:
    void initTestCase() {
        QVERIFY(mkfifo(b("fifo"), 0644) == 0 && mkfifo(b("fifo.cfg"), 0644) == 0 &&
                mkfifo(b("fifo.txt"), 0644) == 0);
        QDir(m_dir.path()).mkpath("fifos");
        QVERIFY(symlink("../fifo", b("fifos/x.pak")) == 0 && mkfifo(b("fifos/y.pk3"), 0644) == 0);
        QVERIFY(symlink("fifo", b("link.cfg")) == 0 && symlink("/dev/null", b("null.cfg")) == 0);
        const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, b("sock.cfg"), sizeof address.sun_path);
        QVERIFY(bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        put("sparse/big.pak", Archives::pakHeader(12, 0x80000000u));
        QVERIFY(truncate(b("sparse/big.pak"), 4LL << 30) == 0);
        put("million/many.pk3", bareZip(1000000, {"maps/m1.bsp", "MAPS/m2.bsp"}));
        put("latin/caf\xe9.bsp", "x");
        QVERIFY(mkdir(b("latin/lat\xedn"), 0755) == 0);
        put("latin/maps/\xe9t\xe9.bsp", "x");
        put("latin/\xe9.pak", Archives::pak({QString::fromLatin1("maps/\xe9t\xe9.bsp")}));
        put("bom.cfg", "\xff\xfes\0e\0t\0");
        put("utf16.cfg", QByteArray("s\0e\0t\0 \0h\0o\0s\0t\0n\0a\0m\0e\0\r\0\n\0", 28));
        put("locked/server.cfg", "old");
        put("two.cfg", "old");
        QVERIFY(link(b("two.cfg"), b("two-link.cfg")) == 0);
        put("split/split.pak", Archives::pak({"maps/a\nb.bsp"}));
        put("long.cfg", QByteArray(100 * 1024, 'x'));
        put("huge.cfg", QByteArray(15 * 1024 * 1024, 'x'));

        // Files other tools made: empty, cut short, bare CRs, NUL bytes, too
        // long or too large, no text, no file at all, not readable.
        const QByteArray generated = Expected::wizardDefaultsFile("T").toLatin1();
        const QByteArray marker = "// Begining of Raw-Code - Do Not Alter The Following!";
        QByteArray bareCr = generated, nul = generated, high, huge = generated + "\r\n";
        bareCr.replace("\r\n", "\r");
        nul.replace("//Sunny San Diego", QByteArray("//Sunny\0San\0Diego", 17));
        for (int c = 0x80; c <= 0xFF; ++c)
            high.append(char(c));
        huge += QByteArray(64 * 1024 * 1024 - huge.size(), 'y');
        put("empty", {});
        put("onebyte", "/");
        put("marker", marker + "\r\n");
        put("nolineends", marker + "//a//b//c");
        put("barecr", bareCr);
        put("nul", nul);
        put("longlines", (QByteArray(100 * 1024, 'x') + "\r\n").repeated(200));
        put("huge", huge);
        put("high", high);
        put("unreadable", generated);
        put("binary.cfg", QByteArray(64, '\0') + high); // zero bytes, then the high ones
        QFile::setPermissions(p("unreadable"), QFileDevice::WriteOwner);
        QDir(m_dir.path()).mkdir("folder");
        if (geteuid() == 0) // the other user reaches the folder, and may write the file
            QVERIFY(chown(b("locked/server.cfg"), kNobody, kNogroup) == 0 &&
                    chmod(QFile::encodeName(m_dir.path()), 0755) == 0);
        else
            QVERIFY(chmod(b("locked"), 0555) == 0);
    }
    void cleanupTestCase() { // names QDir cannot remove
        chmod(b("locked"), 0755);
        QProcess::execute("rm", {"-rf", m_dir.path()});
    }

    // A script for the maplist editor and the main window, after the map
    // browser was sent to a folder ("browse NAME"); what must be said, in the
    // message or else in the listing, in parts apart by " && ".
    void hostilePlaces_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("said");
        const char *const rows[][3] = {
            {"FIFO named .pak, and a link to one", "browse fifos",
             "x.pak (cannot be read)|y.pk3 (cannot be read) && FIFO"},
            {"FIFO opened", "answer fifo.cfg; menu mnuOpen", "fifo.cfg && FIFO"},
            {"FIFO through a link", "answer link.cfg; menu mnuImport", "link.cfg && FIFO"},
            {"FIFO as a maplist", "answer fifo.txt; in maplist; click cmdOpen", "fifo.txt && FIFO"},
            {"socket", "answer sock.cfg; menu mnuOpen", "sock.cfg && socket"},
            {"link to a device", "answer null.cfg; menu mnuOpen", "null.cfg && device"},
            {"saved through a device link", "answer null.cfg; menu mnuSave",
             "null.cfg && device && unchanged"},
            {"saved over a FIFO", "answer fifo.cfg; menu mnuSave", "fifo.cfg && FIFO && unchanged"},
            {"maplist saved over a FIFO", "answer fifo.txt; in maplist; click cmdSaveList",
             "fifo.txt && FIFO && unchanged"},
            {"sparse 4 GiB .pak claiming 2 GiB", "browse sparse", "big.pak && 33554432 entries"},
            {"a million entries", "browse million", "m1.bsp|m2.bsp && In many.pk3"},
            {"names not UTF-8", "browse latin",
             "caf\uFFFD.bsp|\uFFFDt\uFFFD.bsp && In its maps folder, \uFFFD.pak"},
            {"UTF-16 with a BOM", "answer bom.cfg; menu mnuOpen", "bom.cfg && UTF-16"},
            {"UTF-16 without one", "answer utf16.cfg; menu mnuImport", "utf16.cfg && UTF-16"},
            {"binary", "answer binary.cfg; menu mnuImport", "binary.cfg && not a text file"},
            {"binary maplist", "answer binary.cfg; in maplist; click cmdOpen",
             "binary.cfg && not a text file"},
            {"folder forbids new files", "answer locked/server.cfg; menu mnuSave",
             "locked\" does not allow new files && unchanged"},
            {"second hard link", "answer two.cfg; menu mnuSave", "two.cfg && 2 names && unchanged"},
            {"line break in an archived map", "browse split; double-click", "a\\nb && line break"},
            {"blank in a typed map", "in maplist; type txtMap=q2 dm1.bsp; click cmdAdd",
             "q2 dm1 && blank"},
            {"one 100 KB line", "answer long.cfg; menu mnuOpen", "long.cfg && 102400 bytes"},
            {"one 15 MB line", "answer huge.cfg; menu mnuImport", "huge.cfg && too large"},
        };
        for (const auto &[name, script, said] : rows)
            QTest::newRow(name) << QString::fromUtf8(script) << QString::fromUtf8(said);
    }
    void hostilePlaces() {
        QFETCH(QString, script);
        QFETCH(QString, said);
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        frmCreateMaplist &m = editor(f);
        f.main().replaceServerText(QStringLiteral("set rcon_password secret\r\n"));
        QTemporaryDir elsewhere; // saved there, Open and Import ask nothing first
        w.run("answer " + elsewhere.filePath("start.cfg") + "; menu mnuSave");
        QVERIFY(PublicVars::Saved);
        const QByteArray before = snapshot(m_dir.path());
        QVERIFY(before.contains("/dev/null c 666") && before.contains("  " + b("two.cfg")));
        MessageBox::takeShown();

        // The heartbeat: the longest time the window's thread gave no turn.
        QElapsedTimer sinceBeat;
        qint64 longest = 0;
        QTimer heart;
        heart.setInterval(5);
        connect(&heart, &QTimer::timeout, &heart,
                [&] { longest = std::max(longest, sinceBeat.restart()); });
        QFile clear("/proc/self/clear_refs"); // the peak memory starts afresh
        if (clear.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            clear.write("5");
        const qint64 memory = statusKb("VmRSS:");
        heart.start();
        sinceBeat.start();
        // As root a folder takes new files whatever its mode: saved as another user.
        const bool asNobody = geteuid() == 0 && script.contains(QLatin1String("locked"));
        if (asNobody)
            setfsuid(kNobody);
        const bool browse = script.startsWith(QLatin1String("browse "));
        if (browse)
            QVERIFY(m.browse(p(script.section(QStringLiteral("; "), 0, 0).mid(7).toLatin1())));
        auto *files = GuiFixture::control<QListView>(&m, "File1");
        if (script.endsWith(
                QLatin1String("double-click"))) // a user's second click meets the message
            emit files->doubleClicked(files->model()->index(0, 0));
        else
            w.run(script.section(QStringLiteral("; "), browse ? 1 : 0));
        if (asNobody)
            setfsuid(0);
        sinceBeat.restart();
        heart.stop();
        const qint64 grown = statusKb("VmHWM:") - memory;

        // Work on the window's thread would hold it for seconds or for ever; a
        // loaded machine's scheduling alone has held it past 100 ms.
        QVERIFY2(longest < 500, qPrintable(QStringLiteral("stalled %1 ms").arg(longest)));
        QVERIFY2(grown < kGrowthKb, qPrintable(QStringLiteral("grew %1 KB").arg(grown)));
        const auto shown = MessageBox::takeShown();
        const QString text = shown.isEmpty()
                                 ? GuiFixture::entries(files).join(u'|') + u'\n' +
                                       GuiFixture::entries(files, Qt::ToolTipRole).join(u'|')
                                 : shown.first().text;
        for (const QString &part : said.split(QStringLiteral(" && ")))
            QVERIFY2(text.contains(part), qPrintable(text));
        QVERIFY(shown.size() <= 1 && (shown.isEmpty() || !shown.first().withCancel));
        QCOMPARE(snapshot(m_dir.path()), before);
        QCOMPARE(maps(m)->rowCount(), 0);
    }

    // Work that does not end: after a quarter of a second the busy window
    // offers Cancel, which returns at once; the late answer is dropped.
    void cancelStopsTheWait() {
        GuiFixture f;
        QSemaphore release;
        QTimer look;
        connect(&look, &QTimer::timeout, &look, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == BusyWait::WindowName && w->isVisible())
                    if (auto *cancel = w->findChild<QPushButton *>())
                        cancel->click();
        });
        look.start(10);
        const auto answer = BusyWait::run(&f.main(), QStringLiteral("Waiting"),
                                          [&release](const std::atomic_bool &cancelled) {
                                              release.acquire();
                                              return cancelled.load();
                                          });
        release.release();
        QVERIFY(!answer.has_value());
        QThreadPool::globalInstance()->waitForDone(5000);
    }

    // Started in a folder deleted meanwhile, the browser starts at home, silently.
    void startedInADeletedFolder() {
        const QString before = QDir::currentPath();
        QVERIFY(mkdir(b("gone"), 0755) == 0 && chdir(b("gone")) == 0 && rmdir(b("gone")) == 0);
        GuiFixture f;
        frmCreateMaplist &m = editor(f);
        QVERIFY(QDir::setCurrent(before));
        QVERIFY(MessageBox::takeShown().isEmpty());
        QVERIFY(!m.browsedFolder().isEmpty() && !m.browsedFolder().contains(QLatin1String("gone")));
    }

    // A name that is no UTF-8 is shown with a replacement mark and used by its bytes.
    void namesKeepTheirBytes() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        frmCreateMaplist &m = editor(f);
        QVERIFY(m.browse(p("latin")));
        w.run(QStringLiteral("in maplist; ?text Dir1=..|lat\uFFFDn|maps; dclick File1=0; answer "
                             "list.txt; click cmdSaveList; ?file list.txt=caf\u00e9 0 15\r\n; "
                             "dclick Dir1=1"));
        QCOMPARE(FileSystem::encodeName(m.browsedFolder()), b("latin/lat\xedn"));
    }

    // Root saving another account's file keeps its owner, group and mode; a
    // new file holding the rcon password is for owner and group alone.
    void ownerGroupAndModeKept() {
        const mode_t oldMask = umask(0);
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        f.main().replaceServerText(QStringLiteral("set rcon_password secret\r\n"));
        w.run("answer new.cfg; menu mnuSave");
        umask(oldMask);
        struct stat st;
        QVERIFY(stat(b("new.cfg"), &st) == 0 && (st.st_mode & 07777) == 0640);
        if (geteuid() != 0)
            QSKIP("keeping another account's owner needs root");
        QVERIFY(chown(b("new.cfg"), kNobody, kNogroup) == 0 && chmod(b("new.cfg"), 0604) == 0);
        w.run("answer new.cfg; menu mnuSave");
        QVERIFY(stat(b("new.cfg"), &st) == 0);
        QCOMPARE(QList<uint>({st.st_uid, st.st_gid, st.st_mode & 07777}),
                 QList<uint>({kNobody, kNogroup, 0604}));
    }

    // Files other tools made, through the maplist editor's Open and File,
    // Open: each is taken or refused with a message, and a refusal leaves
    // everything as it was.
    void serverFile_data() { // each row's name is its file's
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("lines"); // in the maplist editor; -1: refused
        const bool root = geteuid() == 0;
        QTest::newRow("empty") << Refused << 0;
        QTest::newRow("onebyte") << Refused << 1;
        QTest::newRow("marker") << Refused << 1;     // the marker alone
        QTest::newRow("nolineends") << Refused << 1; // the marker and comments, no line end
        QTest::newRow("barecr") << Accepted << 64;
        QTest::newRow("nul") << Accepted << 64;       // NUL bytes
        QTest::newRow("longlines") << TooLarge << -1; // 200 lines of 100 KB
        QTest::newRow("huge") << TooLarge << -1;      // 64 MiB with the marker
        QTest::newRow("high") << Refused << 1;        // the bytes 0x80 to 0xFF
        QTest::newRow("folder") << Refused << -1;
        QTest::newRow("missing") << Refused << -1;
        QTest::newRow("unreadable") << (root ? Accepted : Refused) << (root ? 64 : -1);
    }
    void serverFile() {
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QFETCH(int, outcome);
        QFETCH(int, lines);
        {
            GuiFixture f; // the maplist editor keeps what it had, and adds what it can read
            WizardDriver w(f, m_dir.path());
            frmCreateMaplist &m = editor(f);
            w.run("in maplist; click cmdAdd; ?said ; answer " + name + "; click cmdOpen");
            QCOMPARE(GuiFixture::messages().size(), lines < 0 ? 1 : 0);
            QCOMPARE(maps(m)->lines().size(), 1 + qMax(lines, 0));
            QCOMPARE(maps(m)->lines().first(), QStringLiteral("q2dm8 0 15"));
        }
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        w.run("in main/txtOutput; type txtOutput=before; ?said ");
        const ServerSettingsRecord record = PublicVars::ServerSettings;
        const bool foreign =
            outcome == Refused && name != "folder" && name != "missing" && name != "unreadable";
        if (foreign)
            MessageBox::scriptAnswer(MessageBox::Answer::Cancel); // Import is offered: no
        w.run("prompt cmdNo; answer " + name + "; menu mnuOpen");
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), outcome == Accepted ? 0 : 1);
        if (outcome == Accepted) {
            QVERIFY(PublicVars::LoadedFromFile);
            QCOMPARE(PublicVars::OutputText.toLatin1(), FileBytes::contents(w.file(name)));
            return;
        }
        if (outcome == TooLarge)
            QVERIFY2(shown[0].text.contains("too large for a server file"),
                     qPrintable(shown[0].text));
        else if (foreign)
            QCOMPARE(shown[0].text.section(QStringLiteral("\n\n"), 0, 0),
                     QStringLiteral("This is not a Kestrune Server Tool generated file!"));
        else
            QVERIFY(shown[0].text.contains(QDir::toNativeSeparators(w.file(name))));
        QCOMPARE(PublicVars::ServerSettings, record);
        QCOMPARE(PublicVars::OutputText, QStringLiteral("before"));
        QVERIFY(PublicVars::Saved && !PublicVars::LoadedFromFile);
    }

    // Saves from the three windows that write files, onto disks that refuse
    // them: each shows a message, keeps the window's contents and the unsaved
    // state, and leaves a file of that name as it was.
    void save_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("fault");
        for (const char *window : {"main", "maplist", "motd"})
            for (const char *fault : {"full", "read-only", "missing folder", "folder"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(window, fault)))
                    << QString::fromLatin1(window) << QString::fromLatin1(fault);
    }
    void save() {
        QFETCH(QString, window);
        QFETCH(QString, fault);
        const QString folder = p("round" + QByteArray::number(++m_round));
        const QByteArray old = "// the old file\r\n", at = QFile::encodeName(folder);
        QString target = folder + QStringLiteral("/saved.txt");
        // A small disk of the test's own, unmounted however the test ends.
        const bool disk = fault == QLatin1String("full") || fault == QLatin1String("read-only");
        QVERIFY(QDir().mkpath(folder));
        if (disk &&
            (geteuid() != 0 || mount("kestrune-test", at, "tmpfs", 0, "size=64k,mode=0700") != 0))
            QSKIP("a small disk of the test's own needs root, allowed to mount one");
        const auto unmount = qScopeGuard([&] {
            if (disk)
                umount2(at, MNT_DETACH);
        });
        if (disk)
            FileBytes::put(target, old);
        if (fault == QLatin1String("full")) {
            QFile filler(folder + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            filler.write(QByteArray(128 * 1024, 'f')); // as much as fits
        } else if (fault == QLatin1String("read-only")) {
            // The kernel ignores source and type on a remount; valgrind wants them set.
            QVERIFY(mount("kestrune-test", at, "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0);
        } else if (fault == QLatin1String("missing folder")) {
            target = folder + QStringLiteral("/not/there/saved.txt");
        } else if (fault == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(target)); // the path is a folder
        }

        const auto entries = [&] {
            return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        const QStringList before = entries();
        GuiFixture f;
        WizardDriver w(f);
        frmServerWizard2 &files = w.wizard().filesPage();
        files.txtMaplist->setText(QStringLiteral("before.txt"));
        files.txtMOTD->setText(QStringLiteral("before.txt"));
        // Big enough that it cannot hide in a write buffer.
        const QString text = QStringLiteral("set hostname \"x\"\r\n").repeated(4000);
        FileDialog::scriptAnswer(target);
        if (window == QLatin1String("main")) {
            f.main().replaceServerText(text);
            w.run("menu mnuSave; ?unsaved");
            QCOMPARE(PublicVars::SavePath, QString());
            QCOMPARE(PublicVars::OutputText, text);
        } else if (window == QLatin1String("maplist")) {
            frmCreateMaplist &m = editor(f);
            maps(m)->appendLines(text.split(QStringLiteral("\r\n")));
            const QStringList lines = maps(m)->lines();
            w.run("in maplist; click cmdSaveList; ?shown maplist");
            QCOMPARE(maps(m)->lines(), lines);
        } else {
            w.wizard().motdEditor().showModal();
            w.run("in motd; type txtMOTD=Welcome to the server; click cmdSaveMOTD; ?shown motd; "
                  "?text txtMOTD=Welcome to the server");
        }
        QCOMPARE(files.txtMaplist->text() + u'|' + files.txtMOTD->text(),
                 QStringLiteral("before.txt|before.txt"));
        w.run("?says " + QDir::toNativeSeparators(target));
        QCOMPARE(entries(), before); // no temporary file left behind
        if (disk)
            QCOMPARE(FileBytes::contents(target), old);
        else // still a folder, or nothing
            QCOMPARE(QFileInfo(target).isDir(), QFileInfo::exists(target));
    }
};

QTEST_MAIN(TestHostileDesktop)
#include "test_hostiledesktop.moc"
