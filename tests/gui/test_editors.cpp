#include "GuiTestSupport.h"
#include "commandline/CommandLine.h"
#include "commandline/frmShortcut.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"
#include "support/FileBytes.h"
#include "wizard/WizardController.h"
#include "wizard/frmServerWizard2.h"

#include <QAction>
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
#include <QTemporaryDir>

using FileBytes::contents;
using FileBytes::put;
namespace {

QStringList entries(QListWidget *list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QStringList entries(QListView *list) {
    return qobject_cast<MaplistModel *>(list->model())->lines();
}

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
    void maplistLines() {
        GuiFixture f;
        frmCreateMaplist &m = maplist(f);
        auto *map = c<QLineEdit>(m, "txtMap");
        auto *add = GuiFixture::button(&m, "cmdAdd");
        GuiFixture::click(add); // the initial values
        for (const char *name : {"q2dm1.bsp", "Q2DM1.BSP", "q2dm1.Bsp", "", ".bsp"}) {
            type(map, QString::fromLatin1(name));
            GuiFixture::click(add);
        }
        type(c<QLineEdit>(m, "txtMinPlayers"), "");
        type(map, "x");
        GuiFixture::click(add);
        QCOMPARE(entries(c<QListView>(m, "lstMaps")),
                 QStringList({"q2dm8 0 15", "q2dm1 0 15", "Q2DM1 0 15", "q2dm1.Bsp 0 15", " 0 15",
                              " 0 15", "x  15"}));
    }

    void maplistOverrides() {
        GuiFixture f;
        frmCreateMaplist &m = maplist(f);
        auto *ammo = c<QComboBox>(m, "cmbAmmo");
        auto *weapon = c<QComboBox>(m, "cmbWeaponRespawn");
        QVERIFY(!ammo->isEnabled() && !weapon->isEnabled());
        QCOMPARE(ammo->lineEdit()->placeholderText(), QStringLiteral("Ammo Given"));
        GuiFixture::click(c<QCheckBox>(m, "cXtra"));
        QVERIFY(ammo->isEnabled() && weapon->isEnabled());
        auto *add = GuiFixture::button(&m, "cmdAdd");
        ammo->setCurrentIndex(ammo->findText("3 Generous"));
        GuiFixture::click(add); // the weapon is missing
        QCOMPARE(MessageBox::takeShown().first().text,
                 QStringLiteral("Please check your Ammo/Weapons settings!"));
        QCOMPARE(entries(c<QListView>(m, "lstMaps")).size(), 0);
        weapon->setCurrentIndex(weapon->findText("Ultra Railgun"));
        GuiFixture::click(add);
        ammo->setCurrentIndex(0);
        weapon->setCurrentIndex(0);
        GuiFixture::click(add);
        // Text typed into the field is no choice.
        weapon->lineEdit()->setText(QStringLiteral("Typed gun"));
        GuiFixture::click(add);
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(entries(c<QListView>(m, "lstMaps")),
                 QStringList({"q2dm8 0 15 3 19", "q2dm8 0 15 1 0"}));
        // Unticked: the combos keep their choice but are not looked at.
        GuiFixture::click(c<QCheckBox>(m, "cXtra"));
        GuiFixture::click(add);
        QCOMPARE(entries(c<QListView>(m, "lstMaps")).last(), QStringLiteral("q2dm8 0 15"));
    }

    void maplistOpenSaveAndHandBack() {
        GuiFixture f;
        frmCreateMaplist &m = maplist(f);
        put(path("in.txt"), "a 0 15\r\n\r\nb 1 2 3 4\nc 0 15");
        FileDialog::scriptAnswer(path("in.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdOpen"));
        FileDialog::scriptAnswer(path("in.txt"));
        GuiFixture::click(GuiFixture::button(&m, "cmdOpen")); // appends
        auto *list = c<QListView>(m, "lstMaps");
        QCOMPARE(entries(list), QStringList({"a 0 15", "", "b 1 2 3 4", "c 0 15", "a 0 15", "",
                                             "b 1 2 3 4", "c 0 15"}));
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

    void browserListsMapsOnly() {
        GuiFixture f;
        QDir(m_dir.path()).mkpath("maps/sub");
        for (const char *name : {"q2dm1.bsp", "BIG.BSP", "mixed.Bsp", "readme.txt", "bsp"})
            put(path(QStringLiteral("maps/") + name), "x");
        frmCreateMaplist &m = maplist(f);
        QVERIFY(m.browse(path("maps")));
        auto *files = c<QListWidget>(m, "File1");
        QCOMPARE(entries(files), QStringList({"BIG.BSP", "mixed.Bsp", "q2dm1.bsp"}));
        QCOMPARE(entries(c<QListWidget>(m, "Dir1")), QStringList({"..", "sub"}));
        const QRect second = files->visualItemRect(files->item(2));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(c<QLineEdit>(m, "txtMap")->text(), QStringLiteral("q2dm1.bsp"));
        // A double-click is a click and then the double-click event.
        const QPoint first = files->visualItemRect(files->item(0)).center();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(entries(c<QListView>(m, "lstMaps")), QStringList({"BIG 0 15"}));

        MessageBox::scriptAnswer(MessageBox::Answer::Cancel); // the answer is not used
        QVERIFY(!m.browse(path("no-such-folder")));
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(path("maps")));
        QCOMPARE(files->count(), 3);
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
        QGuiApplication::clipboard()->setText(QStringLiteral("0123456789ABCDEF"));
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        const QString full = QString(488, u'a') + QStringLiteral("\n0123456789");
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
        PublicVars::SaveFileTitle = QStringLiteral("server.cfg");
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
        type(c<QLineEdit>(*creator, "txtConfigName"), "");
        type(c<QLineEdit>(*creator, "Text1"), "port?");
        GuiFixture::click(create);
        // Quoted for the shell that runs it (a POSIX shell here).
        QCOMPARE(line->text(), QStringLiteral("'C:\\Program Files\\Quake2\\quake2.exe' +set "
                                              "dedicated 1 +exec  +set port 'port?'"));
        type(c<QLineEdit>(*creator, "txtQuakeLocation"), "");
        type(c<QLineEdit>(*creator, "Text1"), "27910");
        GuiFixture::click(create);
        QCOMPARE(line->text(), QStringLiteral(" +set dedicated 1 +exec  +set port 27910"));

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
        QCOMPARE(c<QLabel>(*about, "lblVersion")->text(), QStringLiteral("Version 1.0.22"));
        QCOMPARE(about->windowTitle(), QStringLiteral("About Kestrune Server Utility"));
    }
};

QTEST_MAIN(TestEditors)
#include "test_editors.moc"
