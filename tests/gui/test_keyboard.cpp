#include "WizardDriver.h"
#include "about/frmAbout.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/FileDialog.h"
#include "settings/PublicVars.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using PublicVars::ServerSettings;

namespace {

// Keys go where a user's would: to the focused control of the active window.
QWidget *activated(QWidget *window) {
    window->activateWindow();
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
        qFatal("%s did not become active", qPrintable(window->objectName()));
    return window;
}

void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    activated(window);
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(target, key, modifiers);
}

QString focused() {
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

// The names that Tab visits from the focused control on.
QStringList tabWalk(QWidget *window, int steps) {
    activated(window);
    QStringList names{focused()};
    for (int i = 0; i < steps; ++i) {
        press(window, Qt::Key_Tab);
        names.append(focused());
    }
    return names;
}

} // namespace

// An access key clicks its button after a short animation, so what it does
// is awaited (QTRY_*), bounded by the default timeout.

// Every window without a mouse: tab orders, Enter on the default button,
// Escape as Cancel, and every access key.
class TestKeyboard : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void mainWindowAndItsMenus() {
        GuiFixture f;
        frmOutput &m = f.main();
        activated(&m);
        QCOMPARE(focused(), QStringLiteral("cmdStartConfig"));
        // Save As is disabled and the text area is out of sight until there is text.
        QCOMPARE(tabWalk(&m, 2),
                 QStringList({"cmdStartConfig", "cmdCreateShortcut", "cmdStartConfig"}));

        // File, Open by its access keys; the scripted dialog is cancelled.
        FileDialog::scriptAnswer(QString());
        press(&m, Qt::Key_F, Qt::AltModifier);
        auto *file = m.menuBar()->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QTRY_VERIFY(file && file->isVisible());
        QTest::keyClick(file, Qt::Key_O);
        QTRY_COMPARE(FileDialog::pendingAnswers(), 0);
        QCOMPARE(FileDialog::takeShowings().size(), 1);

        // Ctrl+O opens a server file, and the text area joins the tab order.
        const QString path = m_dir.filePath(QStringLiteral("server.cfg"));
        {
            WizardDriver w(f);
            w.runWithDefaults();
            m.txtOutput->appendPlainText(QStringLiteral("set timelimit"));
            FileDialog::scriptAnswer(path);
            press(&m, Qt::Key_S, Qt::ControlModifier);
            QVERIFY(PublicVars::Saved);
        }
        FileDialog::scriptAnswer(path);
        press(&m, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(PublicVars::LoadedFromFile);
        m.cmdStartConfig->setFocus();
        // The findings under the text follow it (the empty time limit is one),
        // once the check, which runs on a worker, has answered.
        QTRY_VERIFY(GuiFixture::control<QWidget>(&m, "lstFindings")->isVisible());
        QCOMPARE(tabWalk(&m, 5),
                 QStringList({"cmdStartConfig", "Command1", "txtOutput", "lstFindings",
                              "cmdCreateShortcut", "cmdStartConfig"}));
    }

    void wizardByKeysAlone() {
        GuiFixture f;
        WizardDriver w(f);
        frmOutput &m = f.main();
        activated(&m);
        press(&m, Qt::Key_Return); // the default button starts the wizard
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard"));
        press(w.page(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(w.pageName(), QStringLiteral("frmServerWizard3"));
        press(w.page(), Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(w.pageName(), QStringLiteral("frmServerWizard"));
        press(w.page(), Qt::Key_Return);
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard3"));

        // The lists are chosen with the arrow keys.
        for (const char *list : {"cmbGameType", "cmbAmmo", "cmbglblWeapon"}) {
            auto *combo = w.control<QComboBox>(QString::fromLatin1(list));
            combo->setFocus(Qt::TabFocusReason);
            press(w.page(), Qt::Key_Down);
            QCOMPARE(combo->currentIndex(), 0);
        }
        press(w.page(), Qt::Key_Return);
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard2"));

        // "&Cancel" and "&Create/Edit Maplist" share Alt+C: the key moves
        // between them and presses neither; Space presses the focused one.
        QWidget *page = w.page();
        press(page, Qt::Key_C, Qt::AltModifier);
        const QString first = focused();
        press(page, Qt::Key_C, Qt::AltModifier);
        const QString second = focused();
        QCOMPARE(QSet<QString>({first, second}), QSet<QString>({"Command1", "cmdCreateMaplist"}));
        QCOMPARE(w.page(), page);
        if (focused() != QLatin1String("cmdCreateMaplist"))
            press(page, Qt::Key_C, Qt::AltModifier);
        press(page, Qt::Key_Space);
        frmCreateMaplist &maplist = w.wizard().maplistEditor();
        QVERIFY(maplist.isVisible());
        press(&maplist, Qt::Key_Escape);
        QVERIFY(!maplist.isVisible());

        // The other access keys of the page reach their buttons.
        FileDialog::scriptAnswer(QString());
        press(page, Qt::Key_M, Qt::AltModifier); // Select &Maplist
        QTRY_COMPARE(FileDialog::pendingAnswers(), 0);
        QCOMPARE(FileDialog::takeShowings().size(), 1);
        FileDialog::scriptAnswer(QString());
        press(page, Qt::Key_O, Qt::AltModifier); // Select M&OTD
        QTRY_COMPARE(FileDialog::pendingAnswers(), 0);
        QCOMPARE(FileDialog::takeShowings().size(), 1);
        press(page, Qt::Key_T, Qt::AltModifier); // Create/Edit MO&TD
        QTRY_VERIFY(w.wizard().motdEditor().isVisible());
        press(&w.wizard().motdEditor(), Qt::Key_Escape);
        QVERIFY(!w.wizard().motdEditor().isVisible());

        press(page, Qt::Key_Return);
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard4"));
        // Finish is disabled here; the boxes follow the buttons.
        activated(w.page())->focusWidget();
        w.page()->cancelButton()->setFocus(Qt::TabFocusReason);
        QCOMPARE(tabWalk(w.page(), 3),
                 QStringList({"cmdCancel", "cmdBack", "cmdNext", "cDMFlag(0)"}));
        press(w.page(), Qt::Key_Space); // ticks No Health
        press(w.page(), Qt::Key_Return);
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(1));

        press(w.page(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(w.pageName(), QStringLiteral("frmServerWizard6"));
        press(w.page(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(w.pageName(), QStringLiteral("frmServerWizard7"));
        press(w.page(), Qt::Key_F, Qt::AltModifier); // &Finish
        QTRY_VERIFY(!w.page());
        QVERIFY(PublicVars::OutputText.contains(QLatin1String("set dmflags 1\r\n")));
    }

    void escapeIsCancel() {
        GuiFixture f;
        WizardDriver w(f);
        press(&f.main(), Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(w.pageName(), QStringLiteral("frmServerWizard"));
        // The prompt comes; its Cancel (Alt+C) keeps the page.
        ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [](QWidget *prompt) {
            press(prompt, Qt::Key_C, Qt::AltModifier);
            QTRY_VERIFY(!prompt->isVisible());
        });
        press(w.page(), Qt::Key_Escape);
        QCOMPARE(ModalScript::pendingWindows(), 0);
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard"));
        // Escape on the prompt is its Cancel too.
        ModalScript::expectWindow(QStringLiteral("frmSaveChanges"),
                                  [](QWidget *prompt) { press(prompt, Qt::Key_Escape); });
        press(w.page(), Qt::Key_Escape);
        QCOMPARE(ModalScript::pendingWindows(), 0);
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard"));
        QVERIFY(!PublicVars::Saved);
    }

    void unsavedPromptByKeys() {
        GuiFixture f;
        WizardDriver w(f);
        w.runWithDefaults();
        // Alt+N answers No: the text is given up and the program ends.
        ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [](QWidget *prompt) {
            press(prompt, Qt::Key_N, Qt::AltModifier);
            QTRY_VERIFY(!prompt->isVisible());
        });
        press(&f.main(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(ModalScript::pendingWindows(), 0);
        QCOMPARE(f.programEnds(), 1);
    }

    void mapBrowserByKeys() {
        const QString folder = m_dir.filePath(QStringLiteral("maps"));
        QDir().mkpath(folder);
        for (const char *name : {"q2dm1.bsp", "q2dm2.bsp"})
            QFile(folder + QLatin1Char('/') + QLatin1String(name)).open(QIODevice::WriteOnly);
        GuiFixture f;
        frmCreateMaplist &m = f.main().procedures().wizard().maplistEditor();
        m.showModal();
        QVERIFY(m.browse(folder));
        auto *files = GuiFixture::control<QListView>(&m, "File1");
        files->setFocus(Qt::TabFocusReason);
        press(&m, Qt::Key_Down);
        press(&m, Qt::Key_Down);
        press(&m, Qt::Key_Space); // as a click: the map's name goes to the box
        QCOMPARE(GuiFixture::control<QLineEdit>(&m, "txtMap")->text(), QStringLiteral("q2dm2.bsp"));
        press(&m, Qt::Key_Up);
        press(&m, Qt::Key_Return); // as a double click: the map is added
        auto *maps = qobject_cast<MaplistModel *>(
            GuiFixture::control<QAbstractItemView>(&m, "lstMaps")->model());
        QCOMPARE(maps->lines(), QStringList({"q2dm1 0 15"}));
        QVERIFY(m.isVisible()); // Enter in the browser does not close the editor
        press(&m, Qt::Key_Escape);
        QVERIFY(!m.isVisible());
    }

    // Ctrl+X cuts in a text box and exits elsewhere.
    void ctrlXCutsInTheTextArea() {
        GuiFixture f;
        frmOutput &m = f.main();
        activated(&m);
        m.txtOutput->setFocus();
        QTest::keyClicks(m.txtOutput, "abc");
        m.txtOutput->selectAll();
        QTest::keyClick(m.txtOutput, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m.txtOutput->toPlainText(), QString());
        QCOMPARE(f.programEnds(), 0);
    }

    void smallWindowsClose() {
        GuiFixture f;
        frmOutput &m = f.main();
        press(&m, Qt::Key_A, Qt::AltModifier); // &About
        QTRY_VERIFY(m.findChild<frmAbout *>());
        auto *about = m.findChild<frmAbout *>();
        QVERIFY(about->isVisible());
        press(about, Qt::Key_Return); // OK
        QVERIFY(!about->isVisible());

        press(&m, Qt::Key_C, Qt::AltModifier); // &Create Command Line
        QTRY_VERIFY(m.findChild<QDialog *>(QStringLiteral("frmShortcut")));
        auto *shortcut = m.findChild<QDialog *>(QStringLiteral("frmShortcut"));
        QVERIFY(shortcut->isVisible());
        press(shortcut, Qt::Key_Escape);
        QVERIFY(!shortcut->isVisible());
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
