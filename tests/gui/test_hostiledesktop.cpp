#include "GuiTestSupport.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/BusyWait.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"
#include "support/Archives.h"
#include "support/ExpectedFiles.h"
#include "support/FileBytes.h"
#include "support/SmallDisk.h"
#include "wizard/WizardController.h"
#include "wizard/frmServerWizard2.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <fcntl.h>
#include <sys/fsuid.h>
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

template <typename T> QByteArray le(T value) {
    QByteArray bytes(sizeof value, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A zip64 of only a central directory (its entries' files are not needed to
// list it), of count entries and the maps.
QByteArray bareZip(int count, const QList<QByteArray> &maps) {
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
    return directory + "PK\x06\x06" + le(quint64(44)) + QByteArray(12, '\0') + le(total) +
           le(total) + le(size) + le(quint64(0)) + "PK\x06\x07" + QByteArray(4, '\0') + le(size) +
           le(quint32(1)) + "PK\x05\x06" + QByteArray(4, '\0') + le(quint32(0xFFFFFFFF)) +
           le(quint32(0xFFFFFFFF)) + le(quint32(0xFFFFFFFF)) + le(quint16(0));
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
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace

// Hostile and unlucky places, made by the test: for each, the window's thread
// never stops for more than 100 ms, memory stays bounded, the message says
// what is wrong and names the place, and nothing already on disk changes.
class TestHostileDesktop : public QObject {
    Q_OBJECT

    enum Outcome { Accepted, Refused, TooLarge };
    static constexpr char kMarker[] = "// Begining of Raw-Code - Do Not Alter The Following!";

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
    static QString tips(QAbstractItemView *list, int role) {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts.append(list->model()->index(row, 0).data(role).toString());
        return texts.join(u'|');
    }

    struct Row {
        const char *name;
        const char *act; // a menu item, a button, or "browse", "pick", "type"
        QByteArray target;
        const char *said; // in the message, or else in the listing; parts apart by " && "
    };
    static QList<Row> rows() {
        return {
            {"FIFO named .pak, and a link to one", "browse", "fifos",
             "x.pak (cannot be read)|y.pk3 (cannot be read) && FIFO"},
            {"FIFO opened", "mnuOpen", "fifo.cfg", "fifo.cfg && FIFO"},
            {"FIFO through a link", "mnuImport", "link.cfg", "link.cfg && FIFO"},
            {"FIFO as a maplist", "cmdOpen", "fifo.txt", "fifo.txt && FIFO"},
            {"socket", "mnuOpen", "sock.cfg", "sock.cfg && socket"},
            {"link to a device", "mnuOpen", "null.cfg", "null.cfg && device"},
            {"saved through a device link", "mnuSave", "null.cfg",
             "null.cfg && device && unchanged"},
            {"saved over a FIFO", "mnuSave", "fifo.cfg", "fifo.cfg && FIFO && unchanged"},
            {"maplist saved over a FIFO", "cmdSaveList", "fifo.txt",
             "fifo.txt && FIFO && unchanged"},
            {"sparse 4 GiB .pak claiming 2 GiB", "browse", "sparse", "big.pak && 33554432 entries"},
            {"a million entries", "browse", "million", "m1.bsp|m2.bsp && In many.pk3"},
            {"names not UTF-8", "browse", "latin",
             "caf\uFFFD.bsp|\uFFFDt\uFFFD.bsp && In its maps folder, \uFFFD.pak"},
            {"UTF-16 with a BOM", "mnuOpen", "bom.cfg", "bom.cfg && UTF-16"},
            {"UTF-16 without one", "mnuImport", "utf16.cfg", "utf16.cfg && UTF-16"},
            {"binary", "mnuImport", "binary.cfg", "binary.cfg && not a text file"},
            {"binary maplist", "cmdOpen", "binary.cfg", "binary.cfg && not a text file"},
            {"folder forbids new files", "mnuSave", "locked/server.cfg",
             "locked\" does not allow new files && unchanged"},
            {"second hard link", "mnuSave", "two.cfg", "two.cfg && 2 names && unchanged"},
            {"line break in an archived map", "pick", "split", "a\\nb && line break"},
            {"blank in a typed map", "type", "q2 dm1.bsp", "q2 dm1 && blank"},
            {"one 100 KB line", "mnuOpen", "long.cfg", "long.cfg && 102400 bytes"},
            {"one 15 MB line", "mnuImport", "huge.cfg", "huge.cfg && too large"},
        };
    }

    // Files other tools made: empty, cut short, bare CRs, NUL bytes, too long
    // or too large, no text, no file at all, not readable.
    void makeForeignFiles() {
        const QByteArray generated = Expected::wizardDefaultsFile("T").toLatin1();
        QByteArray bareCr = generated;
        bareCr.replace("\r\n", "\r");
        QByteArray nul = generated;
        nul.replace("//Sunny San Diego", QByteArray("//Sunny\0San\0Diego", 17));
        QByteArray high;
        for (int b = 0x80; b <= 0xFF; ++b)
            high.append(char(b));
        QByteArray longLines;
        for (int i = 0; i < 200; ++i)
            longLines += QByteArray(100 * 1024, 'x') + "\r\n";
        QByteArray huge = generated + "\r\n";
        huge += QByteArray(64 * 1024 * 1024 - huge.size(), 'y');
        put("empty", {});
        put("onebyte", "/");
        put("marker", kMarker + QByteArray("\r\n"));
        put("nolineends", kMarker + QByteArray("//a//b//c"));
        put("barecr", bareCr);
        put("nul", nul);
        put("longlines", longLines);
        put("huge", huge);
        put("high", high);
        put("unreadable", generated);
        QFile::setPermissions(p("unreadable"), QFileDevice::WriteOwner);
        QDir(m_dir.path()).mkdir("folder");
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
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary += char(i * 7 % 256);
        put("binary.cfg", binary);
        put("locked/server.cfg", "old");
        put("two.cfg", "old");
        QVERIFY(link(b("two.cfg"), b("two-link.cfg")) == 0);
        put("split/split.pak", Archives::pak({"maps/a\nb.bsp"}));
        put("long.cfg", QByteArray(100 * 1024, 'x'));
        put("huge.cfg", QByteArray(15 * 1024 * 1024, 'x'));
        makeForeignFiles();
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

    void hostilePlaces_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < rows().size(); ++i)
            QTest::newRow(rows()[i].name) << i;
    }
    void hostilePlaces() {
        QFETCH(int, index);
        const Row row = rows()[index];
        GuiFixture f;
        frmCreateMaplist &m = editor(f);
        f.main().replaceServerText(QStringLiteral("set rcon_password secret\r\n"));
        PublicVars::Saved = true; // Open and Import ask nothing first
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

        const QString target = p(row.target);
        // As root a folder takes new files whatever its mode: saved as another user.
        const bool asNobody = geteuid() == 0 && row.target.startsWith("locked");
        if (asNobody)
            setfsuid(kNobody);
        // A menu item or a button of the maplist editor, answered with the
        // target; or the map browser sent to it, a map picked or typed there.
        const QString act = QString::fromLatin1(row.act);
        auto *files = GuiFixture::control<QListView>(&m, "File1");
        if (act.startsWith(QLatin1String("mnu")) || act.startsWith(QLatin1String("cmd")))
            FileDialog::scriptAnswer(target);
        if (act.startsWith(QLatin1String("mnu"))) {
            GuiFixture::control<QAction>(&f.main(), act)->trigger();
        } else if (act.startsWith(QLatin1String("cmd"))) {
            GuiFixture::click(GuiFixture::button(&m, act));
        } else if (act == QLatin1String("type")) {
            GuiFixture::control<QLineEdit>(&m, "txtMap")->setText(QString::fromLatin1(row.target));
            GuiFixture::click(GuiFixture::button(&m, "cmdAdd"));
        } else {
            const bool browsed = m.browse(target);
            if (act == QLatin1String("pick")) {
                QVERIFY(browsed);
                files->doubleClicked(files->model()->index(0, 0));
            }
        }
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
        const QString said =
            shown.isEmpty() ? tips(files, Qt::DisplayRole) + u'\n' + tips(files, Qt::ToolTipRole)
                            : shown.first().text;
        for (const QString &part : QString::fromUtf8(row.said).split(QStringLiteral(" && ")))
            QVERIFY2(said.contains(part), qPrintable(said));
        QVERIFY(shown.isEmpty() || !shown.first().withCancel);
        QCOMPARE(shown.size() <= 1, true);
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
        frmCreateMaplist &m = editor(f);
        QVERIFY(m.browse(p("latin")));
        auto *dirs = GuiFixture::control<QListWidget>(&m, "Dir1");
        QCOMPARE(dirs->item(1)->text(), QStringLiteral("lat\uFFFDn"));
        auto *files = GuiFixture::control<QListView>(&m, "File1");
        files->doubleClicked(files->model()->index(0, 0));
        FileDialog::scriptAnswer(p("list.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdSaveList"));
        QFile saved(p("list.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("caf\xe9 0 15\r\n"));
        emit dirs->itemActivated(dirs->item(1));
        QCOMPARE(FileSystem::encodeName(m.browsedFolder()), b("latin/lat\xedn"));
        QVERIFY(remove(b("list.txt")) == 0);
    }

    // Root saving another account's file keeps its owner, group and mode; a
    // new file holding the rcon password is for owner and group alone.
    void ownerGroupAndModeKept() {
        const mode_t oldMask = umask(0);
        GuiFixture f;
        f.main().replaceServerText(QStringLiteral("set rcon_password secret\r\n"));
        FileDialog::scriptAnswer(p("new.cfg"));
        f.main().mnuSave->trigger();
        struct stat st;
        QVERIFY(stat(b("new.cfg"), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
        umask(oldMask);
        if (geteuid() != 0)
            QSKIP("keeping another account's owner needs root");
        QVERIFY(chown(b("new.cfg"), kNobody, kNogroup) == 0 && chmod(b("new.cfg"), 0604) == 0);
        FileDialog::scriptAnswer(p("new.cfg"));
        f.main().mnuSave->trigger();
        QVERIFY(stat(b("new.cfg"), &st) == 0);
        QCOMPARE(st.st_uid, kNobody);
        QCOMPARE(st.st_gid, kNogroup);
        QCOMPARE(st.st_mode & 07777, mode_t(0604));
        QVERIFY(remove(b("new.cfg")) == 0);
    }
    // Files other tools made, through the maplist editor's Open and File,
    // Open: each is taken or refused with a message, and a refusal leaves
    // everything as it was.
    void serverFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("lines"); // in the maplist editor; -1: refused
        const bool root = geteuid() == 0;
        const struct {
            const char *name;
            int outcome, lines;
        } rows[] = {
            {"empty", Refused, 0},
            {"onebyte", Refused, 1},
            {"marker", Refused, 1},     // the marker alone
            {"nolineends", Refused, 1}, // the marker and comments, no line end
            {"barecr", Accepted, 64},
            {"nul", Accepted, 64},       // NUL bytes
            {"longlines", TooLarge, -1}, // 200 lines of 100 KB
            {"huge", TooLarge, -1},      // 64 MiB with the marker
            {"high", Refused, 1},        // the bytes 0x80 to 0xFF
            {"folder", Refused, -1},
            {"missing", Refused, -1},
            {"unreadable", root ? Accepted : Refused, root ? 64 : -1},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.outcome << row.lines;
    }
    void serverFile() {
        QFETCH(QString, name);
        QFETCH(int, outcome);
        QFETCH(int, lines);
        const QString path = p(name.toLatin1());
        {
            GuiFixture f; // the maplist editor keeps what it had, and adds what it can read
            frmCreateMaplist &m = editor(f);
            GuiFixture::click(GuiFixture::button(&m, "cmdAdd"));
            MessageBox::takeShown();
            FileDialog::scriptAnswer(path);
            GuiFixture::click(GuiFixture::button(&m, "cmdOpen"));
            const QStringList &listed = maps(m)->lines();
            QCOMPARE(MessageBox::takeShown().size(), lines < 0 ? 1 : 0);
            QCOMPARE(listed.size(), 1 + qMax(lines, 0));
            QCOMPARE(listed.first(), QStringLiteral("q2dm8 0 15"));
        }
        GuiFixture f;
        QTest::keyClicks(f.main().txtOutput, "before");
        const ServerSettingsRecord record = PublicVars::ServerSettings;
        GuiFixture::answerPrompt("cmdNo");
        MessageBox::takeShown();
        const bool foreign =
            outcome == Refused && name != "folder" && name != "missing" && name != "unreadable";
        if (foreign)
            MessageBox::scriptAnswer(MessageBox::Answer::Cancel); // Import is offered: no
        FileDialog::scriptAnswer(path);
        f.main().mnuOpen->trigger();
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), outcome == Accepted ? 0 : 1);
        if (outcome == Accepted) {
            QVERIFY(PublicVars::LoadedFromFile);
            QCOMPARE(PublicVars::OutputText.toLatin1(), FileBytes::contents(path));
            return;
        }
        if (outcome == TooLarge)
            QVERIFY2(shown[0].text.contains("too large for a server file"),
                     qPrintable(shown[0].text));
        else if (foreign)
            QCOMPARE(shown[0].text.section(QStringLiteral("\n\n"), 0, 0),
                     QStringLiteral("This is not a Kestrune Server Tool generated file!"));
        else
            QVERIFY(shown[0].text.contains(QDir::toNativeSeparators(path)));
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
        const QByteArray old = "// the old file\r\n";
        std::unique_ptr<SmallDisk> disk;
        QString target = folder + QStringLiteral("/saved.txt");
        if (fault == QLatin1String("full") || fault == QLatin1String("read-only")) {
            disk = std::make_unique<SmallDisk>(folder, "size=64k,mode=0700");
            if (!disk->failure.isEmpty())
                QSKIP(qPrintable(disk->failure));
            FileBytes::put(target, old);
            if (fault == QLatin1String("full")) {
                QFile filler(folder + QStringLiteral("/filler"));
                QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
                const QByteArray page(4096, 'f');
                for (int i = 0; i < 64 && filler.write(page) == page.size(); ++i) {
                }
            } else {
                QVERIFY(disk->remountReadOnly());
            }
        } else if (fault == QLatin1String("missing folder")) {
            target = folder + QStringLiteral("/not/there/saved.txt");
        } else {
            QVERIFY(QDir().mkpath(target)); // the path is a folder
        }

        const auto entries = [&] {
            return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        const QStringList before = entries();
        GuiFixture f;
        WizardController &wizard = f.main().procedures().wizard();
        wizard.filesPage().txtMaplist->setText(QStringLiteral("before.txt"));
        wizard.filesPage().txtMOTD->setText(QStringLiteral("before.txt"));
        // Big enough that it cannot hide in a write buffer.
        const QString text = QStringLiteral("set hostname \"x\"\r\n").repeated(4000);
        FileDialog::scriptAnswer(target);
        if (window == QLatin1String("main")) {
            f.main().replaceServerText(text);
            f.main().mnuSave->trigger();
            QVERIFY(!PublicVars::Saved);
            QCOMPARE(PublicVars::SavePath, QString());
            QCOMPARE(PublicVars::OutputText, text);
        } else if (window == QLatin1String("maplist")) {
            frmCreateMaplist &editor = TestHostileDesktop::editor(f);
            maps(editor)->appendLines(text.split(QStringLiteral("\r\n")));
            const QStringList lines = maps(editor)->lines();
            GuiFixture::click(GuiFixture::button(&editor, "cmdSaveList"));
            QVERIFY(editor.isVisible());
            QCOMPARE(maps(editor)->lines(), lines);
            QCOMPARE(wizard.filesPage().txtMaplist->text(), QStringLiteral("before.txt"));
        } else {
            frmCreateMOTD &editor = wizard.motdEditor();
            editor.showModal();
            auto *box = GuiFixture::control<QPlainTextEdit>(&editor, "txtMOTD");
            QTest::keyClicks(box, "Welcome to the server");
            GuiFixture::click(GuiFixture::button(&editor, "cmdSaveMOTD"));
            QVERIFY(editor.isVisible());
            QCOMPARE(box->toPlainText(), QStringLiteral("Welcome to the server"));
            QCOMPARE(wizard.filesPage().txtMOTD->text(), QStringLiteral("before.txt"));
        }
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(QDir::toNativeSeparators(target)),
                 qPrintable(shown[0].text));
        QCOMPARE(entries(), before); // no temporary file left behind
        if (disk)
            QCOMPARE(FileBytes::contents(target), old);
        else if (fault == QLatin1String("folder"))
            QVERIFY(QFileInfo(target).isDir());
        else
            QVERIFY(!QFileInfo::exists(target));
    }
};

QTEST_MAIN(TestHostileDesktop)
#include "test_hostiledesktop.moc"
