#include "WizardDriver.h"
#include "maplist/frmCreateMaplist.h"

#include <QTemporaryDir>

// Every window without a mouse: tab orders, Enter on the default button,
// Escape as Cancel, and access keys (which click after a short animation, so
// what they do is awaited).
class TestKeyboard : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void keys_data() {
        QTest::addColumn<QString>("script");
        // Save As is disabled and the text area hidden until there is text.
        QTest::newRow("main window")
            << "in main; keys; ?focus cmdStartConfig; keys Tab; ?focus cmdCreateShortcut; keys "
               "Tab; "
               "?focus cmdStartConfig; answer; keys Alt+F; ?shown mnuFile; keys O; ?done";
        QTest::newRow("wizard")
            << "in main; keys Return; ?page frmServerWizard; in page; keys Alt+N; "
               "?page frmServerWizard3; keys Alt+B; ?page frmServerWizard; keys Return; "
               "?page frmServerWizard3; in page/cmbGameType; keys Down; "
               "?text cmbGameType=Kestrune DM Free for All (FFA); in page/cmbAmmo; keys Down; "
               "?text cmbAmmo=1 Stingy; in page/cmbglblWeapon; keys Down; "
               "?text cmbglblWeapon=Blaster; keys Return; ?page frmServerWizard2; "
               // "&Cancel" and "&Create/Edit Maplist" share Alt+C: the key
               // moves between them and presses neither.
               "keys Alt+C; ?focus Command1; keys Alt+C; ?focus cmdCreateMaplist; "
               "?page frmServerWizard2; keys Space; ?shown maplist; in maplist; keys Escape; "
               "?hidden maplist; in page; answer; keys Alt+M; ?done; answer; keys Alt+O; ?done; "
               "keys Alt+T; ?shown motd; in motd; keys Escape; ?hidden motd; in page; "
               "keys Return; ?page frmServerWizard4; in page/cmdCancel; keys Tab; ?focus cmdBack; "
               "keys Tab; ?focus cmdNext; keys Tab; ?focus cDMFlag(0); keys Space, Return; "
               "?page frmServerWizard5; keys Alt+N; ?page frmServerWizard6; keys Alt+N; "
               "?page frmServerWizard7; keys Alt+F; ?page ; ?has set dmflags 1\r\n; "
               // Saved and opened again: the text area and the findings
               // under it (the empty time limit is one) join the tab order.
               "in main/txtOutput; keys Ctrl+End, Return; type txtOutput=set timelimit; "
               "answer server.cfg; keys Ctrl+S; ?saved; answer server.cfg; keys Ctrl+O; ?done; "
               "?shown lstFindings; in main/cmdStartConfig; keys Tab; ?focus Command1; keys Tab; "
               "?focus txtOutput; keys Tab; ?focus lstFindings; keys Tab; "
               "?focus cmdCreateShortcut; keys Alt+A; ?shown frmAbout; in frmAbout; keys Return; "
               "?hidden frmAbout; in main; keys Alt+C; ?shown frmShortcut; in frmShortcut; "
               "keys Escape; ?hidden frmShortcut; "
               // Ctrl+X cuts in a text box and exits elsewhere.
               "in main/txtOutput; keys Ctrl+A, Ctrl+X; ?text txtOutput=; ?ends 0; type "
               "txtOutput=x; "
               "in main/cmdStartConfig; prompt Alt+N; keys Ctrl+X; ?done; ?ends 1";
        QTest::newRow("escape is cancel")
            << "in main; keys Alt+W; ?page frmServerWizard; in page; prompt Alt+C; "
               "keys Escape; ?done; ?page frmServerWizard; prompt Escape; keys Escape; ?done; "
               "?page frmServerWizard; ?unsaved";
        // In the browser Space is a click (the name to the box), Enter a
        // double click (the map added, the editor left open).
        QTest::newRow("maplist editor")
            << "in maplist/File1; keys Down, Down, Space; ?text txtMap=q2dm2.bsp; keys Up, Return; "
               "?text lstMaps=q2dm1 0 15; ?shown maplist; keys Down, Return; "
               "?text lstMaps=q2dm1 0 15|q2dm2 0 15; click lstMaps=0; in maplist/lstMaps; "
               "keys Ctrl+Down; "
               "?text lstMaps=q2dm2 0 15|q2dm1 0 15; keys Alt+U; "
               "?text lstMaps=q2dm1 0 15|q2dm2 0 15; keys Escape; ?hidden maplist";
    }
    void keys() {
        QFETCH(QString, script);
        QDir(m_dir.path()).mkpath("maps");
        for (const char *name : {"maps/q2dm1.bsp", "maps/q2dm2.bsp"})
            FileBytes::put(m_dir.filePath(name), "x");
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        if (script.startsWith("in maplist")) {
            w.wizard().maplistEditor().showModal();
            QVERIFY(w.wizard().maplistEditor().browse(m_dir.filePath("maps")));
        }
        w.run(script);
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
