#include "GuiTestSupport.h"
#include "maplist/frmCreateMaplist.h"
#include "platform/BusyWait.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"
#include "support/Archives.h"
#include "wizard/WizardController.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <dirent.h>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <functional>
#include <map>

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 kGrowthKb = 256 * 1024; // AddressSanitizer holds freed memory back
#else
constexpr qint64 kGrowthKb = 16 * 1024;
#endif

QByteArray le16(quint16 v) {
    return Archives::le32(v).left(2);
}

QByteArray le64(quint64 v) {
    QByteArray bytes(8, '\0');
    qToLittleEndian(v, bytes.data());
    return bytes;
}

// A zip64 of only a central directory (its entries' files are not needed to
// list it), of count entries and the maps.
QByteArray bareZip(int count, const QList<QByteArray> &maps) {
    QByteArray directory;
    const auto entry = [&](const QByteArray &name) {
        directory += "PK\x01\x02" + QByteArray(24, '\0') + le16(quint16(name.size())) +
                     QByteArray(16, '\0') + name;
    };
    for (int i = 0; i < count; ++i)
        entry("t/" + QByteArray::number(i));
    for (const QByteArray &map : maps)
        entry(map);
    const quint64 total = quint64(count + maps.size());
    const quint64 size = quint64(directory.size());
    return directory + "PK\x06\x06" + le64(44) + QByteArray(12, '\0') + le64(total) + le64(total) +
           le64(size) + le64(0) + "PK\x06\x07" + QByteArray(4, '\0') + le64(size) +
           Archives::le32(1) + "PK\x05\x06" + QByteArray(4, '\0') + le16(0xFFFF) + le16(0xFFFF) +
           Archives::le32(0xFFFFFFFF) + Archives::le32(0xFFFFFFFF) + le16(0);
}

QByteArray deviceState(const char *path) {
    struct stat st {};
    lstat(path, &st);
    return QByteArray::number(st.st_mode) + ' ' + QByteArray::number(st.st_rdev);
}

// What lies in a folder, links not followed: any change shows.
std::map<QByteArray, QByteArray> snapshot(const QByteArray &folder) {
    std::map<QByteArray, QByteArray> seen;
    DIR *dir = opendir(folder.constData());
    if (!dir)
        return seen;
    while (const dirent *e = readdir(dir)) {
        const QByteArray name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat st;
        lstat(path.constData(), &st);
        QByteArray state = QByteArray::number(st.st_mode) + ' ' + QByteArray::number(st.st_uid) +
                           ' ' + QByteArray::number(st.st_size) + ' ' +
                           QByteArray::number(qint64(st.st_mtim.tv_nsec)) + ' ' +
                           QByteArray::number(st.st_nlink);
        if (S_ISREG(st.st_mode) && st.st_size < 1024 * 1024) {
            QFile f(QFile::decodeName(path));
            if (f.open(QIODevice::ReadOnly))
                state += QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        }
        seen[path] = state;
        if (S_ISDIR(st.st_mode))
            seen.merge(snapshot(path));
    }
    closedir(dir);
    return seen;
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

    QTemporaryDir m_dir;
    QByteArray b(const QByteArray &name) { return QFile::encodeName(m_dir.path()) + '/' + name; }
    QString p(const QByteArray &name) { return m_dir.path() + u'/' + QString::fromLatin1(name); }
    void put(const QByteArray &name, const QByteArray &bytes) { // by the name's bytes
        const int fd = open(b(name), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0 && write(fd, bytes.constData(), bytes.size()) == bytes.size());
        close(fd);
    }

    static frmCreateMaplist &editor(GuiFixture &f) {
        frmCreateMaplist &m = f.main().procedures().wizard().maplistEditor();
        m.showModal();
        return m;
    }
    static QString tips(QAbstractItemView *list, int role) {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts.append(list->model()->index(row, 0).data(role).toString());
        return texts.join(u'|');
    }

    enum Act { Browse, Open, Import, OpenList, Save, SaveList, PickMap, TypeMap };
    struct Row {
        const char *name;
        Act act;
        QByteArray target;
        QStringList said; // in the message, or else in the listing
    };
    static QList<Row> rows() {
        return {
            {"FIFO named .pak, and a link to one",
             Browse,
             "fifos",
             {"x.pak (cannot be read)|y.pk3 (cannot be read)", "FIFO"}},
            {"FIFO opened", Open, "fifo.cfg", {"fifo.cfg", "FIFO"}},
            {"FIFO through a link", Import, "link.cfg", {"link.cfg", "FIFO"}},
            {"FIFO as a maplist", OpenList, "fifo.txt", {"fifo.txt", "FIFO"}},
            {"socket", Open, "sock.cfg", {"sock.cfg", "socket"}},
            {"link to a device", Open, "null.cfg", {"null.cfg", "device"}},
            {"saved through a device link", Save, "null.cfg", {"null.cfg", "device", "unchanged"}},
            {"saved over a FIFO", Save, "fifo.cfg", {"fifo.cfg", "FIFO", "unchanged"}},
            {"maplist saved over a FIFO", SaveList, "fifo.txt", {"fifo.txt", "FIFO", "unchanged"}},
            {"sparse 4 GiB .pak claiming 2 GiB", Browse, "sparse", {"big.pak", "33554432 entries"}},
            {"a million entries", Browse, "million", {"m1.bsp|m2.bsp", "In many.pk3"}},
            {"names not UTF-8",
             Browse,
             "latin",
             {"caf\uFFFD.bsp|\uFFFDt\uFFFD.bsp", "In its maps folder, \uFFFD.pak"}},
            {"UTF-16 with a BOM", Open, "bom.cfg", {"bom.cfg", "UTF-16"}},
            {"UTF-16 without one", Import, "utf16.cfg", {"utf16.cfg", "UTF-16"}},
            {"binary", Import, "binary.cfg", {"binary.cfg", "not a text file"}},
            {"binary maplist", OpenList, "binary.cfg", {"binary.cfg", "not a text file"}},
            {"folder forbids new files",
             Save,
             "locked/server.cfg",
             {"locked\" does not allow new files", "unchanged"}},
            {"second hard link", Save, "two.cfg", {"two.cfg", "2 names", "unchanged"}},
            {"line break in an archived map", PickMap, "split", {"a\\nb", "line break"}},
            {"blank in a typed map", TypeMap, "q2 dm1.bsp", {"q2 dm1", "blank"}},
            {"one 100 KB line", Open, "long.cfg", {"long.cfg", "102400 bytes"}},
            {"one 15 MB line", Import, "huge.cfg", {"huge.cfg", "too large"}},
        };
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
        QDir(m_dir.path()).mkpath("sparse");
        put("sparse/big.pak", Archives::pakHeader(12, 0x80000000u));
        QVERIFY(truncate(b("sparse/big.pak"), 4LL << 30) == 0);
        QDir(m_dir.path()).mkpath("million");
        put("million/many.pk3", bareZip(1000000, {"maps/m1.bsp", "MAPS/m2.bsp"}));
        QDir(m_dir.path()).mkpath("latin");
        QVERIFY(mkdir(b("latin/lat\xedn"), 0755) == 0);
        put("latin/caf\xe9.bsp", "x");
        QVERIFY(mkdir(b("latin/maps"), 0755) == 0);
        put("latin/maps/\xe9t\xe9.bsp", "x");
        put("latin/\xe9.pak", Archives::pak({QString::fromLatin1("maps/\xe9t\xe9.bsp")}));
        put("bom.cfg", "\xff\xfes\0e\0t\0");
        put("utf16.cfg", QByteArray("s\0e\0t\0 \0h\0o\0s\0t\0n\0a\0m\0e\0\r\0\n\0", 28));
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary += char(i * 7 % 256);
        put("binary.cfg", binary);
        QDir(m_dir.path()).mkpath("locked");
        put("locked/server.cfg", "old");
        put("two.cfg", "old");
        QVERIFY(link(b("two.cfg"), b("two-link.cfg")) == 0);
        QDir(m_dir.path()).mkpath("split");
        put("split/split.pak", Archives::pak({"maps/a\nb.bsp"}));
        put("long.cfg", QByteArray(100 * 1024, 'x'));
        put("huge.cfg", QByteArray(15 * 1024 * 1024, 'x'));
        if (geteuid() == 0) // the other user reaches the folder, and may write the file
            QVERIFY(chown(b("locked/server.cfg"), kNobody, kNogroup) == 0 &&
                    chmod(QFile::encodeName(m_dir.path()), 0755) == 0);
        else
            QVERIFY(chmod(b("locked"), 0555) == 0);
    }
    void cleanupTestCase() { // what QDir cannot name
        chmod(b("locked"), 0755);
        unlink(b("latin/caf\xe9.bsp"));
        unlink(b("latin/\xe9.pak"));
        unlink(b("latin/maps/\xe9t\xe9.bsp"));
        rmdir(b("latin/lat\xedn"));
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
        const auto before = snapshot(QFile::encodeName(m_dir.path()));
        const QByteArray devNull = deviceState("/dev/null");
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
        switch (row.act) {
        case Browse:
            m.browse(target);
            break;
        case Open:
        case Import:
        case Save:
            FileDialog::scriptAnswer(target);
            (row.act == Open     ? f.main().mnuOpen
             : row.act == Import ? f.main().mnuImport
                                 : f.main().mnuSave)
                ->trigger();
            break;
        case OpenList:
        case SaveList:
            FileDialog::scriptAnswer(target);
            GuiFixture::click(
                GuiFixture::button(&m, row.act == OpenList ? "cmdOpen" : "cmdSaveList"));
            break;
        case PickMap:
            QVERIFY(m.browse(target));
            GuiFixture::control<QListView>(&m, "File1")
                ->doubleClicked(GuiFixture::control<QListView>(&m, "File1")->model()->index(0, 0));
            break;
        case TypeMap:
            GuiFixture::control<QLineEdit>(&m, "txtMap")->setText(QString::fromLatin1(row.target));
            GuiFixture::click(GuiFixture::button(&m, "cmdAdd"));
            break;
        }
        if (asNobody)
            setfsuid(0);
        sinceBeat.restart();
        heart.stop();
        const qint64 grown = statusKb("VmHWM:") - memory;

        QVERIFY2(longest < 100, qPrintable(QStringLiteral("stalled %1 ms").arg(longest)));
        QVERIFY2(grown < kGrowthKb, qPrintable(QStringLiteral("grew %1 KB").arg(grown)));
        const auto shown = MessageBox::takeShown();
        auto *files = GuiFixture::control<QListView>(&m, "File1");
        const QString said =
            shown.isEmpty() ? tips(files, Qt::DisplayRole) + u'\n' + tips(files, Qt::ToolTipRole)
                            : shown.first().text;
        for (const QString &part : row.said)
            QVERIFY2(said.contains(part), qPrintable(said));
        QVERIFY(shown.isEmpty() || !shown.first().withCancel);
        QCOMPARE(shown.size() <= 1, true);
        QVERIFY(snapshot(QFile::encodeName(m_dir.path())) == before);
        QCOMPARE(deviceState("/dev/null"), devNull);
        QCOMPARE(GuiFixture::control<QAbstractItemView>(&m, "lstMaps")->model()->rowCount(), 0);
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
};

QTEST_MAIN(TestHostileDesktop)
#include "test_hostiledesktop.moc"
