#include "GuiTestSupport.h"
#include "commandline/CommandLine.h"
#include "commandline/frmShortcut.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"
#include "support/Archives.h"
#include "support/FileBytes.h"
#include "wizard/WizardController.h"
#include "wizard/frmServerWizard2.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>

using FileBytes::contents;
using FileBytes::put;
namespace {

// What a list shows, or another of its entries' roles (Qt::ToolTipRole...).
QStringList entries(QAbstractItemView *list, int role = Qt::DisplayRole) {
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data(role).toString());
    return texts;
}

QPoint rowCentre(QAbstractItemView *list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

void clickRow(QAbstractItemView *list, int row, bool twice = false) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

// Keys go to the focused control of the window, made active as a user's is.
void press(QWidget *window, QKeySequence keys) {
    window->activateWindow();
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
        qFatal("%s did not become active", qPrintable(window->objectName()));
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, Qt::Key(keys[0].key()), keys[0].keyboardModifiers());
}

// The home folder is elsewhere while this lives: no test reads the real one.
class FakeHome {
public:
    explicit FakeHome(const QString &path)
        : m_old(qgetenv("HOME")) {
        qputenv("HOME", QFile::encodeName(path));
    }
    ~FakeHome() { qputenv("HOME", m_old); }

private:
    QByteArray m_old;
};

void type(QLineEdit *edit, const QString &text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace

class TestEditors : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    static frmCreateMaplist &maplist(GuiFixture &f) {
        auto &editor = f.main().procedures().wizard().maplistEditor();
        editor.showModal();
        return editor;
    }
    template <class T> static T *c(QWidget &w, const char *name) {
        return GuiFixture::control<T>(&w, QString::fromLatin1(name));
    }

private slots:
    // What Add puts into the list, or refuses with a message.
    void maplistLines_data() {
        QTest::addColumn<QString>("map"); // typed into the box; null: the first value
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("ammo");   // with the extra settings ticked; null: unticked
        QTest::addColumn<QString>("weapon"); // "typed:" is typed into the list's field
        QTest::addColumn<QString>("line");   // null: refused
        const QString n;
        QTest::newRow("first values") << n << n << n << n << "q2dm8 0 15";
        QTest::newRow(".bsp") << "q2dm1.bsp" << n << n << n << "q2dm1 0 15";
        QTest::newRow(".BSP") << "Q2DM1.BSP" << n << n << n << "Q2DM1 0 15";
        QTest::newRow(".Bsp") << "q2dm1.Bsp" << n << n << n << "q2dm1.Bsp 0 15";
        QTest::newRow("empty") << "" << n << n << n << " 0 15";
        QTest::newRow("only .bsp") << ".bsp" << n << n << n << " 0 15";
        QTest::newRow("empty minimum") << "x"
                                       << "" << n << n << "x  15";
        QTest::newRow("overrides") << n << n << "3 Generous"
                                   << "Ultra Railgun"
                                   << "q2dm8 0 15 3 19";
        QTest::newRow("first overrides") << n << n << "1 Stingy"
                                         << "Blaster"
                                         << "q2dm8 0 15 1 0";
        QTest::newRow("no weapon") << n << n << "3 Generous"
                                   << "" << n;
        QTest::newRow("typed weapon") << n << n << "1 Stingy"
                                      << "typed:Typed gun" << n;
    }
    void maplistLines() {
        QFETCH(QString, map);
        QFETCH(QString, min);
        QFETCH(QString, ammo);
        QFETCH(QString, weapon);
        QFETCH(QString, line);
        GuiFixture f;
        frmCreateMaplist &m = maplist(f);
        auto *ammoList = c<QComboBox>(m, "cmbAmmo");
        auto *weaponList = c<QComboBox>(m, "cmbWeaponRespawn");
        QVERIFY(!ammoList->isEnabled() && !weaponList->isEnabled());
        if (!map.isNull())
            type(c<QLineEdit>(m, "txtMap"), map);
        if (!min.isNull())
            type(c<QLineEdit>(m, "txtMinPlayers"), min);
        if (!ammo.isNull()) {
            GuiFixture::click(c<QCheckBox>(m, "cXtra"));
            QVERIFY(ammoList->isEnabled() && weaponList->isEnabled());
            ammoList->setCurrentIndex(ammoList->findText(ammo));
            if (weapon.startsWith("typed:"))
                weaponList->lineEdit()->setText(weapon.mid(6));
            else
                weaponList->setCurrentIndex(weaponList->findText(weapon));
        }
        GuiFixture::click(GuiFixture::button(&m, "cmdAdd"));
        QCOMPARE(entries(c<QAbstractItemView>(m, "lstMaps"), MaplistModel::LineRole),
                 line.isNull() ? QStringList() : QStringList{line});
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), line.isNull() ? 1 : 0);
        if (line.isNull())
            QCOMPARE(shown[0].text, QStringLiteral("Please check your Ammo/Weapons settings!"));
    }

    void maplistOpenSaveAndHandBack() {
        GuiFixture f;
        frmCreateMaplist &m = maplist(f);
        put(path("in.txt"), "a 0 15\r\n\r\nb 1 2 3 4\nc 0 15");
        FileDialog::scriptAnswer(path("in.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdOpen"));
        FileDialog::scriptAnswer(path("in.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdOpen")); // appends
        auto *list = c<QAbstractItemView>(m, "lstMaps");
        QCOMPARE(entries(list, MaplistModel::LineRole),
                 QStringList(
                     {"a 0 15", "", "b 1 2 3 4", "c 0 15", "a 0 15", "", "b 1 2 3 4", "c 0 15"}));
        // The user clicks the first map, then Remove.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        GuiFixture::click(GuiFixture::button(&m, "cmdRemove"));
        list->clearSelection();
        GuiFixture::click(GuiFixture::button(&m, "cmdRemove")); // nothing selected
        QCOMPARE(entries(list).size(), 7);

        FileDialog::scriptAnswer(path("sub/../out.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdSaveList"));
        QCOMPARE(MessageBox::takeShown().size(), 1); // no folder "sub"
        QVERIFY(m.isVisible());
        FileDialog::scriptAnswer(path("out.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdSaveList"));
        QCOMPARE(contents(path("out.txt")),
                 QByteArray("\r\nb 1 2 3 4\r\nc 0 15\r\na 0 15\r\n\r\nb 1 2 3 4\r\nc 0 15\r\n"));
        QVERIFY(!m.isVisible());
        auto &wizard = f.main().procedures().wizard();
        QCOMPARE(wizard.filesPage().txtMaplist->text(), QStringLiteral("out.txt"));

        // Reopened, the list is still there; saving again writes all of it.
        m.showModal();
        GuiFixture::click(GuiFixture::button(&m, "cmdAdd"));
        FileDialog::scriptAnswer(path("out2.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdSaveList"));
        QCOMPARE(contents(path("out2.txt")), contents(path("out.txt")) + "q2dm8 0 15\r\n");

        // A missing file cannot be opened: a message, and the list is as it was.
        m.showModal();
        FileDialog::scriptAnswer(path("missing.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdOpen"));
        QVERIFY(MessageBox::takeShown().first().text.contains("missing.txt"));
        QCOMPARE(entries(list).size(), 8);
    }

    void emptyListSavesAnEmptyFile() {
        GuiFixture f;
        frmCreateMaplist &m = maplist(f);
        FileDialog::scriptAnswer(path("empty.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdSaveList"));
        QCOMPARE(contents(path("empty.txt")), QByteArray());
        QCOMPARE(f.main().procedures().wizard().filesPage().txtMaplist->text(),
                 QStringLiteral("empty.txt"));
    }

    // Loose maps and those in the folder's archives, each once, added alike.
    void browserListsLooseAndArchivedMaps() {
        GuiFixture f;
        QDir(m_dir.path()).mkpath("maps/sub");
        QDir(m_dir.path()).mkpath("maps/.hidden");
        for (const char *name : {"q2dm1.bsp", "BIG.BSP", "mixed.Bsp", "readme.txt", "bsp"})
            put(path(QStringLiteral("maps/") + name), "x");
        put(path("maps/pak0.pak"),
            Archives::pak({"maps/base1.bsp", "MAPS/Q2DM1.BSP", "maps/sub/deep.bsp", "pics/x.pcx"}));
        QVERIFY(Archives::writePk3(path("maps/extra.PK3"), {"maps/ktctf1.bsp", "maps/base1.bsp"}));
        frmCreateMaplist &m = maplist(f);
        QVERIFY(m.browse(path("maps")));
        auto *files = c<QListView>(m, "File1");
        QCOMPARE(entries(files),
                 QStringList({"base1.bsp", "BIG.BSP", "ktctf1.bsp", "mixed.Bsp", "q2dm1.bsp"}));
        QCOMPARE(entries(files, Qt::ToolTipRole),
                 QStringList({"In extra.PK3, pak0.pak", "In this folder", "In extra.PK3",
                              "In this folder", "In this folder, pak0.pak"}));
        QCOMPARE(entries(c<QListWidget>(m, "Dir1")), QStringList({"..", ".hidden", "sub"}));
        clickRow(files, 4);
        QCOMPARE(c<QLineEdit>(m, "txtMap")->text(), QStringLiteral("q2dm1.bsp"));
        clickRow(files, 0, true); // from the archives
        clickRow(files, 1, true);
        QCOMPARE(entries(c<QAbstractItemView>(m, "lstMaps"), MaplistModel::LineRole),
                 QStringList({"base1 0 15", "BIG 0 15"}));

        QVERIFY(!m.browse(path("no-such-folder")));
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(!shown.first().withCancel && shown.first().text.contains(path("no-such-folder")));
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(path("maps")));
        QCOMPARE(files->model()->rowCount(), 5);
    }

    // Each listed once, greyed, with its reason; the rest of the folder is listed.
    void hostileArchives() {
        GuiFixture f;
        using namespace Archives;
        const struct {
            const char *name;
            QByteArray bytes;
            const char *reason;
        } table[] = {
            {"truncated.pak", "PACK\x0c", "too short"},
            {"past-end.pak", pakHeader(12, 640) + pakEntry("maps/a.bsp", 0, 0), "past the end"},
            {"not-64.pak", pakHeader(12, 65) + QByteArray(65, 'x'), "whole number of entries"},
            {"2gib.pak", pakHeader(12, 0x80000000u) + pakEntry("maps/a.bsp", 0, 0), "past the end"},
            {"no-nul.pak", pakHeader(12, 64) + pakEntry(QByteArray(56, 'a'), 0, 0),
             "without an end"},
            {"offset.pak", pakHeader(12, 64) + pakEntry("maps/b.bsp", 100000, 1),
             "(maps/b.bsp) lies"},
            {"wraps.pak", pakHeader(12, 64) + pakEntry("maps/c.bsp", 0xFFFFFFF0u, 0x20), "lies"},
            {"too-long.pak", pakHeader(12, 64) + pakEntry("maps/d.bsp", 12, 100000), "lies"},
            {"not-a-zip.pk3", "PK\x03\x04 and nothing of a zip", "zip"},
        };
        QDir(m_dir.path()).mkpath("hostile");
        for (const auto &row : table)
            put(path("hostile/") + row.name, row.bytes);
        put(path("hostile/good.pak"), pak({"maps/q2dm1.bsp"}));
        put(path("hostile/loose.bsp"), "x");
        QStringList many;
        for (int i = 0; i < 100000; ++i)
            many.append(QStringLiteral("maps/m%1.bsp").arg(i, 6, 10, QLatin1Char('0')));
        QVERIFY(writePk3(path("hostile/many.pk3"), many));

        frmCreateMaplist &m = maplist(f);
        QVERIFY(m.browse(path("hostile")));
        auto *files = c<QListView>(m, "File1");
        const QStringList shown = entries(files);
        QCOMPARE(shown.size(), 100002 + int(std::size(table)));
        QCOMPARE(shown.first(), QStringLiteral("loose.bsp"));
        QCOMPARE(shown.at(100001), QStringLiteral("q2dm1.bsp"));
        for (const auto &row : table) {
            const QString text = QStringLiteral("%1 (cannot be read)").arg(row.name);
            QCOMPARE(shown.count(text), 1);
            const QModelIndex broken = files->model()->index(int(shown.indexOf(text)), 0);
            QVERIFY(!(broken.flags() & Qt::ItemIsEnabled));
            QVERIFY2(
                broken.data(Qt::ToolTipRole).toString().contains(row.reason, Qt::CaseInsensitive),
                qPrintable(broken.data(Qt::ToolTipRole).toString()));
        }
        // A broken archive is no map: clicking it changes nothing.
        files->scrollToBottom();
        clickRow(files, int(shown.size()) - 1, true);
        QCOMPARE(c<QLineEdit>(m, "txtMap")->text(), QStringLiteral("q2dm8"));
        QCOMPARE(entries(c<QAbstractItemView>(m, "lstMaps"), MaplistModel::LineRole),
                 QStringList());
    }

    // The first opening starts in the game's folder below a (fake) home; the
    // path box shows the folder and takes a typed one; hidden folders show.
    void startFolderAndPathBox() {
        GuiFixture f;
        for (const char *game : {"home/.yq2/baseq2", "home/.quake2/baseq2"})
            QDir(m_dir.path()).mkpath(game);
        FakeHome home(path("home"));
        frmCreateMaplist &m = maplist(f);
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(path("home/.yq2/baseq2")));
        auto *box = c<QLineEdit>(m, "txtFolder");
        QCOMPARE(box->text(), QDir::toNativeSeparators(m.browsedFolder()));

        type(box, "~");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(path("home")));
        QCOMPARE(entries(c<QListWidget>(m, "Dir1")), QStringList({"..", ".quake2", ".yq2"}));
        type(box, ".quake2/baseq2"); // below the folder shown
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(path("home/.quake2/baseq2")));
        QCOMPARE(box->text(), QDir::toNativeSeparators(m.browsedFolder()));
        type(box, path("nowhere"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(MessageBox::takeShown().first().text,
                 QStringLiteral("The folder \"%1\" does not exist.")
                     .arg(QDir::toNativeSeparators(path("nowhere"))));
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(path("home/.quake2/baseq2")));
        QVERIFY(m.isVisible());
    }

    // The home folder, then the mounted volumes; one that cannot be read
    // leaves the browser where it was.
    void driveListOffersHomeAndVolumes() {
        GuiFixture f;
        QDir(m_dir.path()).mkpath("home2");
        FakeHome home(path("home2"));
        frmCreateMaplist &m = maplist(f);
        auto *drives = c<QComboBox>(m, "Drive1");
        // The root folder is offered whatever the mount table holds.
        QStringList expected{QDir::cleanPath(path("home2")), QDir::rootPath()};
        for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
            if (QDir::cleanPath(volume.rootPath()) != QDir::rootPath())
                expected.append(QDir::cleanPath(volume.rootPath()));
        QCOMPARE(entries(drives->view(), Qt::UserRole), expected);

        QVERIFY(m.browse(QDir::rootPath()));
        QCOMPARE(drives->currentIndex(), int(expected.indexOf(QDir::rootPath())));
        drives->setFocus();
        press(&m, QKeySequence(Qt::Key_Home)); // the user chooses the home folder
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(path("home2")));

        QVERIFY(m.browse(m_dir.path()));
        QVERIFY(QDir(path("home2")).removeRecursively());
        press(&m, QKeySequence(Qt::Key_Home));
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(m_dir.path()));
        QCOMPARE(drives->currentIndex(), 0);
    }

    // By the buttons, their access keys, Ctrl+Up/Down and the mouse; saved in
    // the new order.
    void movingLinesAndSavingTheOrder() {
        GuiFixture f;
        frmCreateMaplist &m = maplist(f);
        for (const char *map : {"a", "b", "c", "d"}) {
            type(c<QLineEdit>(m, "txtMap"), map);
            GuiFixture::click(GuiFixture::button(&m, "cmdAdd"));
        }
        auto *list = c<QAbstractItemView>(m, "lstMaps");
        const auto order = [list] {
            QString first;
            for (const QString &line : entries(list, MaplistModel::LineRole))
                first += line.front();
            return first;
        };
        clickRow(list, 0);
        GuiFixture::click(GuiFixture::button(&m, "cmdMoveDown"));
        QCOMPARE(order(), QStringLiteral("bacd"));
        press(&m, QKeySequence(Qt::AltModifier | Qt::Key_D)); // Move &Down
        QTRY_COMPARE(order(), QStringLiteral("bcad"));
        press(&m, QKeySequence(Qt::AltModifier | Qt::Key_U)); // Move &Up
        QTRY_COMPARE(order(), QStringLiteral("bacd"));
        list->setFocus();
        press(&m, QKeySequence(Qt::ControlModifier | Qt::Key_Up));
        QCOMPARE(order(), QStringLiteral("abcd"));
        press(&m, QKeySequence(Qt::ControlModifier | Qt::Key_Up)); // at the top already
        QCOMPARE(order(), QStringLiteral("abcd"));
        press(&m, QKeySequence(Qt::ControlModifier | Qt::Key_Down));
        QCOMPARE(order(), QStringLiteral("bacd"));
        // Dragged with the mouse from the first line past the third.
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
        for (const int row : {1, 2})
            QTest::mouseMove(list->viewport(), rowCentre(list, row));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
        QCOMPARE(order(), QStringLiteral("acbd"));
        QCOMPARE(list->currentIndex().row(), 2);

        FileDialog::scriptAnswer(path("order.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdSaveList"));
        QCOMPARE(contents(path("order.txt")),
                 QByteArray("a 0 15\r\nc 0 15\r\nb 0 15\r\nd 0 15\r\n"));
    }

    void motd() {
        GuiFixture f;
        auto &editor = f.main().procedures().wizard().motdEditor();
        editor.showModal();
        auto *text = c<QPlainTextEdit>(editor, "txtMOTD");
        QTest::keyClicks(text, "Welcome");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, "Have fun");
        FileDialog::scriptAnswer(QString()); // cancelled: nothing happens
        GuiFixture::click(GuiFixture::button(&editor, "cmdSaveMOTD"));
        QVERIFY(editor.isVisible());
        GuiFixture::click(GuiFixture::button(&editor, "Command1"));
        QVERIFY(!editor.isVisible());
        editor.showModal(); // the text survives the cancel
        FileDialog::scriptAnswer(path("motd.txt"));
        GuiFixture::click(GuiFixture::button(&editor, "cmdSaveMOTD"));
        QCOMPARE(contents(path("motd.txt")), QByteArray("Welcome\r\nHave fun"));
        QCOMPARE(f.main().procedures().wizard().filesPage().txtMOTD->text(),
                 QStringLiteral("motd.txt"));
        QCOMPARE(c<QLabel>(editor, "lblLeft")->text(), QStringLiteral("483 characters left"));

        editor.showModal();
        text->clear();
        FileDialog::scriptAnswer(path("motd.txt")); // the same name again: replaced
        GuiFixture::click(GuiFixture::button(&editor, "cmdSaveMOTD"));
        QCOMPARE(contents(path("motd.txt")), QByteArray());

        // At the limit nothing is dropped unseen: a paste is cut and says so,
        // one undo takes it back, and a typed key does nothing.
        editor.showModal();
        QTest::keyClicks(text, QString(488, u'a'));
        QTest::keyClick(text, Qt::Key_Return); // a line break is two bytes: 490
        // The pasted line break counts two as well: the last 6 characters go.
        QGuiApplication::clipboard()->setText(QStringLiteral("01234567\nABCDEF"));
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        const QString full = QString(488, u'a') + QStringLiteral("\n01234567\n");
        QCOMPARE(text->toPlainText(), full);
        QVERIFY(MessageBox::takeShown().first().text.contains("the last 6 characters"));
        QCOMPARE(c<QLabel>(editor, "lblLeft")->text(), QStringLiteral("0 characters left"));
        QTest::keyClicks(text, "z");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(text->toPlainText(), full);
        QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), full.left(489));
        FileDialog::scriptAnswer(path("nowhere/motd.txt"));
        f.main().procedures().wizard().filesPage().txtMOTD->setText("kept.txt");
        GuiFixture::click(GuiFixture::button(&editor, "cmdSaveMOTD"));
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QVERIFY(editor.isVisible());
        QCOMPARE(f.main().procedures().wizard().filesPage().txtMOTD->text(),
                 QStringLiteral("kept.txt"));
    }

    void commandLine() {
        GuiFixture f;
        FileDialog::scriptAnswer(path("server.cfg")); // the name saved last is offered
        f.main().mnuSave->trigger();
        GuiFixture::click(f.main().cmdCreateShortcut);
        auto *creator = f.main().findChild<frmShortcut *>();
        QVERIFY(creator && creator->isVisible());
        QCOMPARE(creator->windowTitle(), QStringLiteral("Kestrune - Shortcut Creator"));
        QCOMPARE(c<QLineEdit>(*creator, "txtConfigName")->text(), QStringLiteral("server.cfg"));
        auto *create = GuiFixture::button(creator, "cmdCreate");
        auto *line = c<QLineEdit>(*creator, "txtShortCut");
        FileDialog::scriptAnswer(QStringLiteral("/usr/games/quake2"));
        GuiFixture::click(GuiFixture::button(creator, "Command2"));
        QCOMPARE(FileDialog::takeShowings().constLast().filter, executableFilter());
        GuiFixture::click(create);
        QCOMPARE(line->text(), QDir::toNativeSeparators("/usr/games/quake2") +
                                   " +set dedicated 1 +exec server.cfg +set port 27910");
        // The game folder, found by its label, follows the executable.
        auto *folder = c<QLineEdit>(*creator, "txtGameFolder");
        QCOMPARE(c<QLabel>(*creator, "lblGameFolder")->buddy(), folder);
        type(folder, "kestrune");
        GuiFixture::click(create);
        QCOMPARE(line->text(), QDir::toNativeSeparators("/usr/games/quake2") +
                                   " +set game kestrune +set dedicated 1 +exec server.cfg +set "
                                   "port 27910");
        type(folder, "");
        // The shared dialog, cancelled, still reports the file chosen last.
        FileDialog::scriptAnswer(QString());
        GuiFixture::click(GuiFixture::button(creator, "cmdLocateConfig"));
        QCOMPARE(c<QLineEdit>(*creator, "txtConfigName")->text(), QStringLiteral("quake2"));

        type(c<QLineEdit>(*creator, "txtQuakeLocation"), "C:\\Program Files\\Quake2\\quake2.exe");
        type(c<QLineEdit>(*creator, "txtConfigName"), "my server.cfg");
        type(c<QLineEdit>(*creator, "Text1"), "port?");
        GuiFixture::click(create);
        // Quoted for the shell that runs it (a POSIX shell here), the server
        // file for the server's console too.
        const QString made = QStringLiteral("'C:\\Program Files\\Quake2\\quake2.exe' +set "
                                            "dedicated 1 +exec '\"my server.cfg\"' +set port "
                                            "'port?'");
        QCOMPARE(line->text(), made);
        // An empty program or server file makes no line, but a message.
        for (const char *box : {"txtConfigName", "txtQuakeLocation"}) {
            type(c<QLineEdit>(*creator, box), "");
            GuiFixture::click(create);
            QCOMPARE(line->text(), made);
            QCOMPARE(MessageBox::takeShown().size(), 1);
        }
        QPointer<frmShortcut> gone = creator;
        GuiFixture::click(GuiFixture::button(creator, "cmdDone"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gone.isNull());
        GuiFixture::click(f.main().cmdCreateShortcut);
        creator = f.main().findChild<frmShortcut *>();
        QCOMPARE(c<QLineEdit>(*creator, "Text1")->text(), QStringLiteral("27910"));
        QCOMPARE(c<QLineEdit>(*creator, "txtQuakeLocation")->text(), QString());
        QCOMPARE(c<QLineEdit>(*creator, "txtShortCut")->text(), QString());
    }

    void about() {
        GuiFixture f;
        f.main().mnuAbout->trigger();
        auto *about = f.main().findChild<QDialog *>("frmAbout");
        QVERIFY(about && about->isVisible());
        // The build's version, as the package and the metainfo carry it.
        QCOMPARE(c<QLabel>(*about, "lblVersion")->text(),
                 "Version " + QStringLiteral(KESTRUNE_TEST_VERSION));
        GuiFixture::click(GuiFixture::button(about, "cmdOK"));
        QVERIFY(!about->isVisible());
    }
};

QTEST_MAIN(TestEditors)
#include "test_editors.moc"
