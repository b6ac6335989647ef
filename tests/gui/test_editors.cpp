#include "WizardDriver.h"
#include "support/Archives.h"
#include "wizard/frmServerWizard2.h"

#include <QClipboard>
#include <QScopeGuard>
#include <QTemporaryDir>

class TestEditors : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The maplist editor shown, a driver working in it.
    static frmCreateMaplist &maplist(WizardDriver &w) {
        w.wizard().maplistEditor().showModal();
        w.run("in maplist");
        return w.wizard().maplistEditor();
    }

private slots:
    // What Add puts into the list, or refuses with a message.
    void maplistLines_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("said");
        const char *const refused = "Please check your Ammo/Weapons settings!";
        const char *const rows[][4] = {
            {"typed .bsp", "type txtMap=.bsp", " 0 15", ""},
            {"typed .BSP", "type txtMap=Q2DM1.BSP", "Q2DM1 0 15", ""},
            {"typed .Bsp", "type txtMap=q2dm1.Bsp", "q2dm1.Bsp 0 15", ""},
            {"empty minimum", "type txtMap=x; type txtMinPlayers=", "x  15", ""},
            {"overrides",
             "click cXtra; pick cmbAmmo=3 Generous; pick cmbWeaponRespawn=Ultra Railgun",
             "q2dm8 0 15 3 19", ""},
            {"first overrides", "click cXtra; pick cmbAmmo=1 Stingy; pick cmbWeaponRespawn=Blaster",
             "q2dm8 0 15 1 0", ""},
            {"no weapon", "click cXtra; pick cmbAmmo=3 Generous; pick cmbWeaponRespawn=", "",
             refused},
            {"typed weapon", "click cXtra; pick cmbAmmo=1 Stingy; type cmbWeaponRespawn=Typed gun",
             "", refused}};
        for (const auto &[name, script, line, said] : rows)
            QTest::newRow(name) << QString(script) << QString(line) << QString(said);
    }
    void maplistLines() {
        QFETCH(QString, script);
        QFETCH(QString, line);
        QFETCH(QString, said);
        GuiFixture f;
        WizardDriver w(f);
        frmCreateMaplist &m = maplist(w);
        QVERIFY(!GuiFixture::control<QWidget>(&m, "cmbAmmo")->isEnabled());
        w.run(script + "; click cmdAdd; ?text lstMaps=" + line + "; ?said " + said);
    }

    // The maplist's lines under headings, a field in each column; odd lines
    // as they stand, the line itself kept whole.
    void maplistColumns() {
        const QStringList lines{"q2dm8 0 15 3 19", "a  15", "b 1 2 9 7 x"};
        const QStringList shown{"q2dm8|0|15|3 Generous|19 Ultra Railgun", "a||15||", "b|1|2|9|7 x"};
        MaplistModel maps;
        maps.appendLines(lines);
        for (int row = 0; row < maps.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < maps.columnCount(); ++column)
                cells << maps.index(row, column).data().toString();
            QCOMPARE(cells.join(u'|'), shown[row]);
        }
        QCOMPARE(maps.lines(), lines);
    }

    // Saved, opened (appended), lines removed, saved again; the files page
    // takes the name; reopened, the list is still there.
    void maplistOpenSaveAndHandBack() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        frmCreateMaplist &m = maplist(w);
        QLineEdit *handedBack = w.wizard().filesPage().txtMaplist;
        w.run("answer empty.txt; click cmdSaveList; ?file empty.txt=; ?hidden maplist");
        QCOMPARE(handedBack->text(), QStringLiteral("empty.txt"));
        FileBytes::put(path("in.txt"), "a 0 15\r\n\r\nb 1 2 3 4\nc 0 15");
        m.showModal();
        w.run("answer in.txt; click cmdOpen; answer in.txt; click cmdOpen; "
              "?text lstMaps=a 0 15||b 1 2 3 4|c 0 15|a 0 15||b 1 2 3 4|c 0 15; "
              "click lstMaps=0; click cmdRemove");
        GuiFixture::control<QAbstractItemView>(&m, "lstMaps")->clearSelection();
        const QString saved = "\r\nb 1 2 3 4\r\nc 0 15\r\na 0 15\r\n\r\nb 1 2 3 4\r\nc 0 15\r\n";
        w.run("click cmdRemove; ?text lstMaps=|b 1 2 3 4|c 0 15|a 0 15||b 1 2 3 4|c 0 15; "
              "answer out.txt; click cmdSaveList; ?hidden maplist; ?file out.txt=" +
              saved);
        QCOMPARE(handedBack->text(), QStringLiteral("out.txt"));
        m.showModal();
        w.run("click cmdAdd; answer out2.txt; click cmdSaveList; ?file out2.txt=" + saved +
              "q2dm8 0 15\r\n");
    }

    // Loose maps and those in the folder's archives, each once, added alike;
    // a line moved by the mouse.
    void browserListsLooseAndArchivedMaps() {
        GuiFixture f;
        WizardDriver w(f);
        QDir(m_dir.path()).mkpath("maps/sub");
        QDir(m_dir.path()).mkpath("maps/.hidden");
        for (const char *name : {"q2dm1.bsp", "BIG.BSP", "mixed.Bsp", "readme.txt", "bsp"})
            FileBytes::put(path(QStringLiteral("maps/") + name), "x");
        FileBytes::put(path("maps/pak0.pak"), Archives::pak({"maps/base1.bsp", "MAPS/Q2DM1.BSP",
                                                             "maps/sub/deep.bsp", "pics/x.pcx"}));
        QVERIFY(Archives::writePk3(path("maps/extra.PK3"), {"maps/ktctf1.bsp", "maps/base1.bsp"}));
        frmCreateMaplist &m = maplist(w);
        QVERIFY(m.browse(path("maps")));
        w.run("?text File1=base1.bsp|BIG.BSP|ktctf1.bsp|mixed.Bsp|q2dm1.bsp; "
              "?text Dir1=..|.hidden|sub; click File1=4; ?text txtMap=q2dm1.bsp; "
              "dclick File1=0; dclick File1=1; dclick File1=2; "
              "?text lstMaps=base1 0 15|BIG 0 15|ktctf1 0 15");
        // Dragged with the mouse from the first line past the third (the keys
        // and buttons: test_keyboard).
        auto *list = GuiFixture::control<QAbstractItemView>(&m, "lstMaps");
        const auto centre = [list](int row) {
            return list->visualRect(list->model()->index(row, 0)).center();
        };
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre(0));
        for (const int row : {1, 2})
            QTest::mouseMove(list->viewport(), centre(row));
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre(2));
        QCOMPARE(list->currentIndex().row(), 2);
        w.run("?text lstMaps=BIG 0 15|ktctf1 0 15|base1 0 15");
    }

    // Each listed once, greyed, with its reason; the rest of the folder is listed.
    void hostileArchives() {
        GuiFixture f;
        WizardDriver w(f);
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
            FileBytes::put(path("hostile/") + row.name, row.bytes);
        FileBytes::put(path("hostile/good.pak"), pak({"maps/q2dm1.bsp"}));
        FileBytes::put(path("hostile/loose.bsp"), "x");
        frmCreateMaplist &m = maplist(w);
        QVERIFY(m.browse(path("hostile")));
        auto *files = GuiFixture::control<QAbstractItemView>(&m, "File1");
        const QStringList shown = GuiFixture::entries(files);
        QCOMPARE(shown.size(), 2 + int(std::size(table)));
        QCOMPARE(shown.mid(0, 2), QStringList({"loose.bsp", "q2dm1.bsp"}));
        for (const auto &row : table) {
            const QString text = QStringLiteral("%1 (cannot be read)").arg(row.name);
            QCOMPARE(shown.count(text), 1);
            const QModelIndex broken = files->model()->index(int(shown.indexOf(text)), 0);
            QVERIFY(!(broken.flags() & Qt::ItemIsEnabled));
            const QString why = broken.data(Qt::ToolTipRole).toString();
            QVERIFY2(why.contains(row.reason, Qt::CaseInsensitive), qPrintable(why));
        }
        // A broken archive is no map: clicking it changes nothing.
        w.run(QStringLiteral("dclick File1=%1; ?text txtMap=q2dm8; ?text lstMaps=")
                  .arg(shown.size() - 1));
    }

    // The first opening starts in the game's folder below a (fake) home; the
    // path box shows the folder and takes a typed one; hidden folders show.
    // The drive list offers the home folder, then the root and the volumes.
    void startFolderPathBoxAndDrives() {
        GuiFixture f;
        WizardDriver w(f);
        for (const char *game : {"home/.yq2/baseq2", "home/.quake2/baseq2"})
            QDir(m_dir.path()).mkpath(game);
        // The home folder is elsewhere meanwhile: no test reads the real one.
        const QByteArray realHome = qgetenv("HOME");
        const auto restore = qScopeGuard([&realHome] { qputenv("HOME", realHome); });
        qputenv("HOME", QFile::encodeName(path("home")));
        frmCreateMaplist &m = maplist(w);
        w.run(QStringLiteral("?text txtFolder=%1/.yq2/baseq2; in maplist/txtFolder; type "
                             "txtFolder=~; keys Return; "
                             "?text txtFolder=%1; ?text Dir1=..|.quake2|.yq2; type "
                             "txtFolder=.quake2/baseq2; keys Return; ?text txtFolder=%1/.quake2/"
                             "baseq2; type txtFolder=%2; keys Return; ?said The folder \"%2\" "
                             "does not exist.; ?shown maplist")
                  .arg(path("home"), path("nowhere")));
        QCOMPARE(m.browsedFolder(), path("home/.quake2/baseq2"));
        auto *drives = GuiFixture::control<QComboBox>(&m, "Drive1");
        // The root folder is offered whatever the mount table holds.
        const QStringList offered = GuiFixture::entries(drives->view(), Qt::UserRole);
        QCOMPARE(offered.mid(0, 2), QStringList({path("home"), QDir::rootPath()}));
        QVERIFY(m.browse(QDir::rootPath()) && offered.count(QDir::rootPath()) == 1);
        QCOMPARE(drives->currentIndex(), 1);
        w.run("in maplist/Drive1; keys Home"); // the user chooses the home folder
        QCOMPARE(m.browsedFolder(), path("home"));
        // A home that cannot be read leaves the browser where it was.
        QVERIFY(m.browse(m_dir.path()));
        QVERIFY(QDir(path("home")).removeRecursively());
        w.run("keys Home; ?says ");
        QCOMPARE(m.browsedFolder(), QDir::cleanPath(m_dir.path()));
        QCOMPARE(drives->currentIndex(), 0);
    }

    void motd() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        frmCreateMOTD &editor = w.wizard().motdEditor();
        auto *text = GuiFixture::control<QPlainTextEdit>(&editor, "txtMOTD");
        const auto key = [text](QKeyCombination key) {
            QTest::keyClick(text, key.key(), key.keyboardModifiers());
        };
        editor.showModal();
        // A cancelled dialog does nothing; the text survives Cancel.
        w.run("in motd; type txtMOTD=Welcome");
        key(Qt::Key_Return);
        w.run("type txtMOTD=Have fun; answer; click cmdSaveMOTD; ?shown motd; click Command1; "
              "?hidden motd");
        editor.showModal();
        w.run("answer motd.txt; click cmdSaveMOTD; ?file motd.txt=Welcome\r\nHave fun; "
              "?text lblLeft=483 characters left");
        QCOMPARE(w.wizard().filesPage().txtMOTD->text(), QStringLiteral("motd.txt"));
        // At the limit nothing is dropped unseen: a paste is cut and says so
        // (a line break counts two), one undo takes it back, and a typed key
        // does nothing.
        editor.showModal();
        text->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("01234567\nABCDEF"));
        const QString full = QString(488, u'a') + QStringLiteral("\n01234567\n");
        w.run("type txtMOTD=" + QString(488, u'a'));
        key(Qt::Key_Return);
        key(Qt::ControlModifier | Qt::Key_V);
        w.run("?says the last 6 characters; ?text lblLeft=0 characters left; type txtMOTD=z");
        key(Qt::Key_Return);
        QCOMPARE(text->toPlainText(), full);
        key(Qt::ControlModifier | Qt::Key_Z);
        QCOMPARE(text->toPlainText(), full.left(489));
    }

    void commandLine() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        // Each box reaches the line, quoted for the shell that runs it (a
        // POSIX shell here), the server file for the server's console too.
        const QString made = "'C:\\Program Files\\Quake2\\quake2.exe' +set game kestrune +set "
                             "dedicated 1 +exec '\"my server.cfg\"' +set port 'port?'";
        // The name saved last is offered; the shared dialog, cancelled, still
        // reports the file chosen last.
        w.run("in main; answer server.cfg; menu mnuSave; click cmdCreateShortcut; "
              "in frmShortcut; ?text txtConfigName=server.cfg; answer /usr/games/quake2; "
              "click Command2; ?text txtQuakeLocation=/usr/games/quake2; answer; "
              "click cmdLocateConfig; ?text txtConfigName=quake2; "
              "type txtQuakeLocation=C:\\Program Files\\Quake2\\quake2.exe; "
              "type txtConfigName=my server.cfg; type Text1=port?; keys Alt+G; ?focus "
              "txtGameFolder; type txtGameFolder=kestrune; "
              "click cmdCreate; ?text txtShortCut=" +
              made +
              // An empty program or server file makes no line, but a message.
              "; type txtConfigName=; click cmdCreate; ?says ; type txtQuakeLocation=; "
              "click cmdCreate; ?says ; ?text txtShortCut=" +
              made + "; click cmdDone");
        // Done ends it: opened again, it starts afresh.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w.run("in main; click cmdCreateShortcut; in frmShortcut; ?text Text1=27910; "
              "?text txtQuakeLocation=; ?text txtShortCut=");
    }

    void about() {
        GuiFixture f;
        // The build's version, as the package and the metainfo carry it.
        WizardDriver(f).run("in main; menu mnuAbout; ?shown frmAbout; in frmAbout; "
                            "?text lblVersion=Version " KESTRUNE_TEST_VERSION
                            "; click cmdOK; ?hidden frmAbout");
    }
};

QTEST_MAIN(TestEditors)
#include "test_editors.moc"
