#include "WizardDriver.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "serverfile/ServerFileComposer.h"
#include "settings/PublicVars.h"
#include "support/ExpectedFiles.h"
#include "support/FileBytes.h"
#include "support/RandomRecords.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTemporaryDir>

using FileBytes::contents;
using FileBytes::put;
using PublicVars::ServerSettings;

namespace {

// The text with its creation time (line 36) replaced, so it can be compared.
QString timeless(QString text) {
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.size() > 35 &&
        lines[35].startsWith(QLatin1String("// Kestrune Server File - Created ")))
        lines[35] = QStringLiteral("// Kestrune Server File - Created T");
    return lines.join(QStringLiteral("\r\n"));
}

QStringList messages() {
    QStringList texts;
    for (const auto &shown : MessageBox::takeShown())
        texts.append(shown.text);
    return texts;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A file the program wrote, with some values of its own.
    QString writeServerFile(const QString &name) {
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.AdminName = QStringLiteral("From File");
        s.GameType = 5;
        s.AmmoGiven = 3;
        s.Hostname = QStringLiteral("File Host");
        s.AllowDownload = 1;
        s.AllowDownloadMaps = SettingNumber::fromText(QStringLiteral("1"));
        s.PublicServer = 1;
        s.MaplistFile = QStringLiteral("maps.txt");
        s.DMFlags = 4 + (1 << 13) + (1 << 25); // bits 13 and 25 have no box
        put(path(name), composeServerFile(s, QStringLiteral("T")).toLatin1() + "\r\n// by hand");
        return path(name);
    }

    // Replaces the text area's text as a paste over everything would.
    static void typeOver(frmOutput &m, const QString &text) {
        m.txtOutput->selectAll();
        m.txtOutput->insertPlainText(text);
        QCOMPARE(PublicVars::OutputText, text);
    }

    static void open(GuiFixture &f, const QString &file) {
        FileDialog::scriptAnswer(file);
        f.main().mnuOpen->trigger();
    }

private slots:
    void startsCompactAndGrows() {
        GuiFixture f;
        frmOutput &m = f.main();
        QCOMPARE(m.windowTitle(), QStringLiteral("Kestrune - Server Config Tool"));
        QVERIFY(PublicVars::Saved);
        QVERIFY(!m.Command1->isEnabled());
        QVERIFY(m.cmdStartConfig->isDefault());
        QCOMPARE(m.centralWidget()->size(), Look::twipsToPixels(&m, 6990, 855));
        QVERIFY(!m.txtOutput->visibleRegion().boundingRect().isValid() ||
                m.txtOutput->geometry().top() >= m.centralWidget()->height());
        QCOMPARE(m.mnuOpen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(m.mnuSave->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(m.mnuExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));

        WizardDriver(f).runWithDefaults();
        QCOMPARE(m.frameGeometry().size(), Look::twipsToPixels(&m, 8805, 8280));
        QVERIFY(m.txtOutput->geometry().bottom() <= m.centralWidget()->height());
    }

    // Grown from a compact window low on the screen, the window stays inside
    // the screen's available area (also on a small screen, where it is made
    // smaller); then it can be resized and the text area follows.
    void grownWindowFitsTheScreen() {
        GuiFixture f;
        frmOutput &m = f.main();
        const QRect available = m.screen()->availableGeometry();
        m.move(available.left() + 10, available.bottom() - m.frameGeometry().height() - 10);
        WizardDriver(f).runWithDefaults();
        QVERIFY2(available.contains(m.frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2+%3+%4")
                                .arg(m.frameGeometry().width())
                                .arg(m.frameGeometry().height())
                                .arg(m.frameGeometry().x())
                                .arg(m.frameGeometry().y())));
        const QSize designed = Look::twipsToPixels(&m, 8805, 8280);
        QCOMPARE(m.frameGeometry().size(), designed.boundedTo(available.size()));

        const QSize before = m.txtOutput->size();
        m.resize(m.size() - QSize(40, 60));
        QCOMPARE(m.txtOutput->size(), before - QSize(40, 60));
        QVERIFY(m.txtOutput->geometry().bottom() < m.centralWidget()->height());
    }

    // The whole road: wizard defaults, Finish, Save.
    void wholeRunThenSave() {
        GuiFixture f;
        WizardDriver(f).runWithDefaults();
        frmOutput &m = f.main();
        QCOMPARE(timeless(PublicVars::OutputText), Expected::wizardDefaultsFile("T"));
        QCOMPARE(timeless(m.txtOutput->toPlainText().replace("\n", "\r\n")),
                 Expected::wizardDefaultsFile("T"));
        QVERIFY(m.Command1->isEnabled());
        QVERIFY(!PublicVars::Saved);

        FileDialog::scriptAnswer(path("server")); // the cfg filter adds ".cfg"
        GuiFixture::click(m.Command1);
        QCOMPARE(contents(path("server.cfg")), PublicVars::OutputText.toLatin1());
        QCOMPARE(timeless(QString::fromLatin1(contents(path("server.cfg")))),
                 Expected::wizardDefaultsFile("T"));
        QVERIFY(PublicVars::Saved);
        QCOMPARE(PublicVars::SavePath, path("server.cfg"));
        QCOMPARE(PublicVars::SaveFileTitle, QStringLiteral("server.cfg"));
        QCOMPARE(FileDialog::takeShowings().last().filter,
                 QStringLiteral("Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*"));

        m.mnuExit->trigger(); // saved: no prompt
        QVERIFY(f.programEnds() >= 1);
    }

    // Hand edits count as changes and are what Save writes.
    void handEditsAreSaved() {
        GuiFixture f;
        WizardDriver(f).runWithDefaults();
        frmOutput &m = f.main();
        FileDialog::scriptAnswer(path("a.cfg"));
        m.mnuSave->trigger();
        QVERIFY(PublicVars::Saved);
        m.txtOutput->setFocus();
        m.txtOutput->moveCursor(QTextCursor::End);
        QTest::keyClick(m.txtOutput, Qt::Key_Return);
        QTest::keyClicks(m.txtOutput, "// mine");
        QVERIFY(!PublicVars::Saved);
        QVERIFY(PublicVars::OutputText.endsWith("//End of generated server file.\r\n// mine"));
        FileDialog::scriptAnswer(path("b.cfg"));
        m.mnuSave->trigger();
        QCOMPARE(contents(path("b.cfg")), PublicVars::OutputText.toLatin1());
    }

    void emptyTextSavesAnEmptyFile() {
        GuiFixture f;
        FileDialog::scriptAnswer(path("empty.cfg"));
        f.main().mnuSave->trigger();
        QCOMPARE(contents(path("empty.cfg")), QByteArray());
        FileDialog::scriptAnswer(QString()); // cancelled: nothing changes
        PublicVars::Saved = false;
        f.main().mnuSave->trigger();
        QVERIFY(!PublicVars::Saved);
        QCOMPARE(PublicVars::SaveFileTitle, QStringLiteral("empty.cfg"));
    }

    void exitAndCloseAsk() {
        GuiFixture f;
        frmOutput &m = f.main();
        QTest::keyClicks(m.txtOutput, "x");
        QVERIFY(m.Command1->isEnabled());
        GuiFixture::answerPrompt("cmdCancel");
        m.mnuExit->trigger();
        QCOMPARE(f.programEnds(), 0);
        GuiFixture::answerPrompt("cmdCancel");
        QVERIFY(!m.close());
        GuiFixture::answerPrompt("close"); // the prompt's close box answers nothing
        QVERIFY(!m.close());
        GuiFixture::answerPrompt("cmdNo");
        m.mnuExit->trigger();
        QVERIFY(PublicVars::Saved);
        QCOMPARE(f.programEnds(), 1);
        QCOMPARE(m.txtOutput->toPlainText(), QStringLiteral("x")); // No keeps the text
    }

    // Ctrl+X cuts in a text box and exits elsewhere.
    void ctrlX() {
        GuiFixture f;
        frmOutput &m = f.main();
        m.activateWindow();
        m.txtOutput->setFocus();
        QTest::keyClicks(m.txtOutput, "abc");
        m.txtOutput->selectAll();
        QTest::keyClick(m.txtOutput, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m.txtOutput->toPlainText(), QString());
        QCOMPARE(f.programEnds(), 0);
        QCOMPARE(ModalScript::pendingWindows(), 0);

        PublicVars::Saved = true;
        m.cmdStartConfig->setFocus();
        QTest::keyClick(m.cmdStartConfig, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(f.programEnds() >= 1);
    }

    void yesComposesAndSavesWhenNothingWouldBeLost() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        GuiFixture::answerPrompt("cmdYes");
        FileDialog::scriptAnswer(path("yes.cfg"));
        w.cancel(); // composed from page 1's defaults and page 7's initial contents
        QCOMPARE(w.page(), nullptr);
        QVERIFY(PublicVars::Saved);
        QCOMPARE(PublicVars::CancelClose, 0);
        const QString saved = QString::fromLatin1(contents(path("yes.cfg")));
        QVERIFY(saved.contains("\r\nset gametype    // \r\n"));
        QVERIFY(saved.contains("\r\nset hostname \"[[  Kestrune Server  ]]\"\r\n"));
        QCOMPARE(saved, PublicVars::OutputText);
    }

    // Fault mended: Yes, then no file written, must not let anything close.
    void yesWithoutASaveClosesNothing() {
        GuiFixture f;
        frmOutput &m = f.main();
        QTest::keyClicks(m.txtOutput, "typed");
        GuiFixture::answerPrompt("cmdYes");
        FileDialog::scriptAnswer(QString());
        QVERIFY(!m.close());
        QCOMPARE(PublicVars::CancelClose, 1);
        QVERIFY(!PublicVars::Saved);

        GuiFixture::answerPrompt("cmdYes");
        FileDialog::scriptAnswer(path("missing/folder/x.cfg"));
        QVERIFY(!m.close());
        QCOMPARE(PublicVars::CancelClose, 1);
        QCOMPARE(messages().size(), 1);
        QCOMPARE(f.programEnds(), 0);
    }

    // Hand-written lines survive Finish and Yes; each replacement is one undo step.
    void regeneratingKeepsHandWrittenLines() {
        GuiFixture f;
        WizardDriver w(f);
        w.runWithDefaults();
        frmOutput &m = f.main();
        QString edited = PublicVars::OutputText;
        edited.prepend("set sv_gravity 800\r\n");
        edited.replace("set rcon_password \"\"\r\n", "set rcon_password \"\"\r\n// my note\r\n");
        edited.replace("set fraglimit 0", "set fraglimit 99");
        edited.append("\r\nexec extra.cfg");
        typeOver(m, edited);

        w.start();
        for (int i = 0; i < 6; ++i)
            w.next();
        w.finish();
        const QStringList lines = PublicVars::OutputText.split("\r\n");
        const qsizetype map = lines.indexOf("map q2dm8");
        QCOMPARE(lines.mid(map - 3, 4),
                 QStringList({"set sv_gravity 800", "// my note", "exec extra.cfg", "map q2dm8"}));
        QVERIFY(lines.contains("set fraglimit 0"));
        QCOMPARE(lines.size(), Expected::wizardDefaultsFile("T").split("\r\n").size() + 3);
        QCOMPARE(m.statusBar()->currentMessage(),
                 QStringLiteral("3 hand-written lines kept; 1 hand change to a generated line "
                                "replaced"));
        QVERIFY(!PublicVars::Saved);

        // Ctrl+Z brings back the text before Finish, Ctrl+Y the new one.
        const QString finished = PublicVars::OutputText;
        QTest::keyClick(m.txtOutput, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, edited);
        QTest::keyClick(m.txtOutput, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, finished);

        // Yes in the prompt composes the new answers and keeps the hand lines.
        w.start();
        for (int i = 0; i < 6; ++i)
            w.next();
        w.type("txtHostname", "Changed Host");
        GuiFixture::answerPrompt("cmdYes");
        FileDialog::scriptAnswer(path("yes.cfg"));
        w.cancel();
        const QString saved = QString::fromLatin1(contents(path("yes.cfg")));
        QVERIFY(saved.contains("\r\nset hostname \"Changed Host\"\r\n"));
        QVERIFY(saved.contains("\r\nexec extra.cfg\r\nmap q2dm8\r\n"));
        QVERIFY(PublicVars::Saved);
    }

    // Every file the program writes comes back the same through Open, the
    // pages with Next only, and Finish: also over a wizard that ran before,
    // and with a 40,000-character value.
    void reopeningIsARoundTrip() {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 40; ++round) {
            ServerSettingsRecord s = RandomRecords::record(random);
            if (round == 0)
                s.Hostname = QString(40000, u'h');
            const QString file = composeServerFile(s, QStringLiteral("T"));
            put(path("round.cfg"), file.toLatin1());

            GuiFixture f;
            WizardDriver w(f);
            if (round % 2) {
                w.runWithDefaults();
                GuiFixture::answerPrompt("cmdNo");
            }
            open(f, path("round.cfg"));
            w.start();
            for (int i = 0; i < 6; ++i)
                w.next();
            QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard7"));
            w.finish();
            QCOMPARE(timeless(PublicVars::OutputText), timeless(file));
        }
    }

    // Fault mended: a failed save says so and changes nothing.
    void failedSaveChangesNothing() {
        GuiFixture f;
        WizardDriver(f).runWithDefaults();
        FileDialog::scriptAnswer(path("first.cfg"));
        f.main().mnuSave->trigger();
        QTest::keyClicks(f.main().txtOutput, "more");
        put(path("existing.cfg"), "old bytes");
        QDir(m_dir.path()).mkdir("afolder");
        for (const QString &target : {path("afolder"), path("nowhere/x.cfg")}) {
            FileDialog::scriptAnswer(target, 1); // "All Files": no extension added
            f.main().mnuSave->trigger();
            const QStringList shown = messages();
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].contains(QDir::toNativeSeparators(target)), qPrintable(shown[0]));
            QVERIFY(!PublicVars::Saved);
            QCOMPARE(PublicVars::SavePath, path("first.cfg"));
            QCOMPARE(PublicVars::SaveFileTitle, QStringLiteral("first.cfg"));
        }
        // Text that single-byte files cannot carry is refused; the old file stays.
        f.main().txtOutput->insertPlainText(QStringLiteral("\u03a9"));
        FileDialog::scriptAnswer(path("existing.cfg"));
        f.main().mnuSave->trigger();
        QVERIFY(messages().first().contains("U+03A9"));
        QCOMPARE(contents(path("existing.cfg")), QByteArray("old bytes"));
        QVERIFY(!PublicVars::Saved);
    }

    // An opened file reaches every page, those already there included.
    void openingRestoresTheWizard() {
        GuiFixture f;
        WizardDriver w(f);
        // Page 1 exists already, with its defaults.
        w.start();
        GuiFixture::answerPrompt("cmdNo");
        w.cancel();
        open(f, writeServerFile("a.cfg"));
        QVERIFY(PublicVars::LoadedFromFile);
        QCOMPARE(PublicVars::OpenFileName, path("a.cfg"));
        QVERIFY(!PublicVars::Saved);
        QVERIFY(f.main().txtOutput->toPlainText().endsWith("// by hand"));
        QCOMPARE(PublicVars::OutputText.toLatin1(), contents(path("a.cfg")));
        QCOMPARE(ServerSettings.AdminName, QStringLiteral("From File"));
        QCOMPARE(ServerSettings.GameType.text(), QStringLiteral("5"));
        QCOMPARE(ServerSettings.AllowDownloadMaps.text(), QStringLiteral("1"));
        QCOMPARE(f.main().frameGeometry().size(), Look::twipsToPixels(&f.main(), 8805, 8280));

        PublicVars::Saved = true;
        w.start();
        QCOMPARE(w.control<QLineEdit>("txtName")->text(), QStringLiteral("From File"));
        w.next();
        QCOMPARE(w.control<QComboBox>("cmbGameType")->currentText(),
                 QStringLiteral("Kestrune Rail-Only Insta-Gib Teamplay"));
        QCOMPARE(w.control<QComboBox>("cmbAmmo")->currentText(), QStringLiteral("3 Generous"));
        QVERIFY(w.wizard()
                    .page(WizardController::WeaponBans)
                    .findChild<QGroupBox *>("fraWeaponban")
                    ->isHidden());
        w.next();
        QCOMPARE(w.control<QLineEdit>("txtMaplist")->text(), QStringLiteral("maps.txt"));
        w.next();
        QVERIFY(w.box("cDMFlag(2)")->isChecked());
        QCOMPARE(w.control<QLabel>("lblMaskValue")->text(),
                 QStringLiteral("dmflags 33562628\nKept from the opened file: bits 13, 25, for "
                                "which no box stands"));
        for (int i = 0; i < 3; ++i)
            w.next();
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(4 + (1 << 13) + (1 << 25)));
        QCOMPARE(w.control<QLineEdit>("txtHostname")->text(), QStringLiteral("File Host"));
        QVERIFY(w.box("callowdl")->isChecked());
        QVERIFY(w.box("cmapsdl")->isChecked() && w.box("cmapsdl")->isEnabled());
        QVERIFY(w.box("cpublic")->isChecked());
        QVERIFY(w.control<QPlainTextEdit>("txtMasterServers")->isEnabled());
    }

    // A hand-written file through File, Import: the report, the wizard
    // showing its answers, Finish keeping its other lines, one undo step.
    void importingAHandWrittenFile() {
        GuiFixture f;
        frmOutput &m = f.main();
        QTest::keyClicks(m.txtOutput, "before");
        PublicVars::Saved = true;
        put(path("hand.cfg"), "// my server\r\nset hostname \"Frag Hall\"; set gametype 2\r\n"
                              "set dmflags 516\r\nexec bots.cfg\r\nset randomize_weapon 2\r\n"
                              "set ammo_given 3\r\nmap q2dm3\r\n");
        FileDialog::scriptAnswer(path("hand.cfg"));
        QTest::keyClick(&m, Qt::Key_I, Qt::ControlModifier);
        const QStringList report = messages();
        QCOMPARE(report.size(), 1);
        QVERIFY2(report[0].startsWith("Imported 6 answers from hand.cfg; 2 lines kept"),
                 qPrintable(report[0]));
        QCOMPARE(m.statusBar()->currentMessage(), QStringLiteral("Imported from hand.cfg"));
        QVERIFY(!PublicVars::Saved);
        const QString imported = PublicVars::OutputText;
        QTest::keyClick(m.txtOutput, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, QStringLiteral("before"));
        QTest::keyClick(m.txtOutput, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, imported);

        WizardDriver w(f);
        w.start();
        w.next();
        QCOMPARE(w.control<QComboBox>("cmbGameType")->currentText(),
                 QStringLiteral("Kestrune Extinction"));
        QVERIFY(w.box("cWeaponRandomizer")->isChecked());
        w.next();
        w.next();
        QVERIFY(w.box("cDMFlag(2)")->isChecked() && w.box("cDMFlag(9)")->isChecked());
        for (int i = 0; i < 3; ++i)
            w.next();
        QCOMPARE(w.control<QLineEdit>("txtHostname")->text(), QStringLiteral("Frag Hall"));
        w.finish();
        QVERIFY(
            PublicVars::OutputText.contains("\r\nset randomize_weapon 2\r\nset ammo_given 3\r\n"));
        QVERIFY(
            PublicVars::OutputText.contains("\r\n// my server\r\nexec bots.cfg\r\nmap q2dm3\r\n"));
    }

    void stoppedGameTypeCodesSelectNothing() {
        GuiFixture f;
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.GameType = SettingNumber::fromText("nine");
        s.AmmoGiven = 7;
        put(path("odd.cfg"), composeServerFile(s, "T").toLatin1());
        open(f, path("odd.cfg"));
        PublicVars::Saved = true;
        WizardDriver w(f);
        w.start();
        w.next();
        QCOMPARE(w.control<QComboBox>("cmbGameType")->currentIndex(), -1);
        QCOMPARE(w.control<QComboBox>("cmbAmmo")->currentIndex(), -1);
    }

    // A refused file changes nothing, LoadedFromFile included.
    void foreignFilesAreRefused() {
        GuiFixture f;
        QTest::keyClicks(f.main().txtOutput, "mine");
        PublicVars::Saved = true;
        const ServerSettingsRecord before = ServerSettings;
        put(path("foreign.cfg"), "// Begining of Raw-Code - Do Not Alter The Following! \r\n//x");
        MessageBox::scriptAnswer(MessageBox::Answer::Cancel); // no Import
        open(f, path("foreign.cfg"));
        const QStringList refusal = messages();
        QCOMPARE(refusal.size(), 1);
        QCOMPARE(refusal[0].section(QStringLiteral("\n\n"), 0, 0),
                 QStringLiteral("This is not a Kestrune Server Tool generated file!"));
        QVERIFY(!PublicVars::LoadedFromFile);
        QCOMPARE(ServerSettings, before);
        QCOMPARE(PublicVars::OutputText, QStringLiteral("mine"));
        QVERIFY(PublicVars::Saved);

        open(f, path("does-not-exist.cfg"));
        QCOMPARE(messages().size(), 1);
        QVERIFY(!PublicVars::LoadedFromFile);

        // After a refusal, Save writes what the window shows.
        FileDialog::scriptAnswer(path("shown.cfg"));
        f.main().mnuSave->trigger();
        QCOMPARE(contents(path("shown.cfg")), QByteArray("mine"));
    }

    void openingAsksAboutUnsavedText() {
        GuiFixture f;
        const QString file = writeServerFile("b.cfg");
        QTest::keyClicks(f.main().txtOutput, "unsaved");
        // Fault mended: Cancel abandons the opening instead of asking again.
        GuiFixture::answerPrompt("cmdCancel");
        open(f, file);
        QCOMPARE(PublicVars::OutputText, QStringLiteral("unsaved"));
        QVERIFY(!PublicVars::LoadedFromFile);
        GuiFixture::answerPrompt("cmdNo");
        open(f, file);
        QVERIFY(PublicVars::LoadedFromFile);
        QCOMPARE(PublicVars::OutputText.toLatin1(), contents(file));

        // Opened text counts as unsaved; Yes composes it afresh, hand line kept.
        GuiFixture::answerPrompt("cmdYes");
        FileDialog::scriptAnswer(path("copy.cfg"));
        f.main().mnuExit->trigger();
        QCOMPARE(QString::fromLatin1(contents(path("copy.cfg"))).section("\r\n", -4),
                 QStringLiteral("// by hand\r\nmap q2dm8\r\n\r\n//End of generated server file."));

        // The prompt's close box closes nothing.
        QTest::keyClicks(f.main().txtOutput, "more");
        PublicVars::CancelClose = 0;
        GuiFixture::answerPrompt("close");
        QVERIFY(!f.main().close());
        QCOMPARE(PublicVars::CancelClose, 1);
        QVERIFY(!PublicVars::Saved);

        FileDialog::scriptAnswer(QString()); // the open dialog cancelled changes nothing
        f.main().mnuOpen->trigger();
        QCOMPARE(messages(), QStringList());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
