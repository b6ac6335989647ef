#include "WizardDriver.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "serverfile/ServerFileComposer.h"
#include "support/ExpectedFiles.h"
#include "support/RandomRecords.h"

#include <QAction>
#include <QListWidget>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>

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

// The ways to leave unsaved text, and the prompt's answers.
enum Way { Exit, CloseBox, PageCancel, PageCloseBox, Open, Import };
enum Answer { Yes, YesSaveCancelled, No, Cancel, PromptCloseBox };

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A file the program wrote, with some values of its own and a hand line.
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

private slots:
    // The whole road: wizard defaults, Finish, Save As; the window grows.
    void wholeRunThenSave() {
        GuiFixture f;
        frmOutput &m = f.main();
        QVERIFY(!m.Command1->isEnabled());
        QCOMPARE(m.centralWidget()->size(), Look::twipsToPixels(&m, 6990, 855));
        WizardDriver(f).runWithDefaults();
        QCOMPARE(m.frameGeometry().size(), Look::twipsToPixels(&m, 8805, 8280));
        QCOMPARE(timeless(PublicVars::OutputText), Expected::wizardDefaultsFile("T"));
        QCOMPARE(timeless(m.txtOutput->toPlainText().replace("\n", "\r\n")),
                 Expected::wizardDefaultsFile("T"));
        FileDialog::scriptAnswer(path("server")); // the cfg filter adds ".cfg"
        GuiFixture::click(m.Command1);
        QCOMPARE(contents(path("server.cfg")), PublicVars::OutputText.toLatin1());
        QCOMPARE(PublicVars::SaveFileTitle, QStringLiteral("server.cfg"));
        m.mnuExit->trigger(); // saved: no prompt
        QVERIFY(f.programEnds() >= 1);
    }

    // Unsaved text, every way to leave it, every answer of the prompt.
    void leavingUnsavedText_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("answer");
        const char *ways[] = {"Exit", "close box", "Cancel on a page", "page's close box",
                              "Open", "Import"};
        const char *answers[] = {"Yes", "Yes, save cancelled", "No", "Cancel",
                                 "prompt's close box"};
        for (int way = Exit; way <= Import; ++way)
            for (int answer = Yes; answer <= PromptCloseBox; ++answer)
                QTest::addRow("%s, %s", ways[way], answers[answer]) << way << answer;
    }
    void leavingUnsavedText() {
        QFETCH(int, way);
        QFETCH(int, answer);
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        writeServerFile("other.cfg");
        QFile::remove(path("yes.cfg"));
        const bool onPage = way == PageCancel || way == PageCloseBox, opens = way >= Open;
        if (onPage)
            w.start(); // unsaved: Yes composes page 1's and page 7's first answers
        else
            w.runWithDefaults();
        const QString before = PublicVars::OutputText;
        const char *prompts[] = {"cmdYes", "cmdYes", "cmdNo", "cmdCancel", "close"};
        const char *saves[] = {"answer yes.cfg; ", "answer; ", "", "", ""};
        const char *leave[] = {"menu mnuExit", "close main",   "cancel",
                               "close page",   "menu mnuOpen", "menu mnuImport"};
        w.run(QStringLiteral("prompt %1; %2%3%4; ?done")
                  .arg(prompts[answer], opens ? "answer other.cfg; " : "", saves[answer],
                       leave[way]));
        const bool left = way == Exit         ? f.programEnds() > 0
                          : way == PageCancel ? !w.page()
                          : opens             ? PublicVars::LoadedFromFile
                                              : w.closed();
        if (way == CloseBox)
            QCOMPARE(f.programEnds() > 0, left);
        QCOMPARE(left, answer == Yes || answer == No);
        if (!left) {
            QVERIFY(!PublicVars::Saved);
            if (answer != YesSaveCancelled) // Yes composes the text before it saves
                QCOMPARE(PublicVars::OutputText, before);
            QCOMPARE(w.page() != nullptr, onPage);
        } else if (!opens) {
            QVERIFY(PublicVars::Saved);
        }
        if (answer == Yes) {
            const QString saved = QString::fromLatin1(contents(path("yes.cfg")));
            QVERIFY(saved.contains("\r\nset hostname \"[[  Kestrune Server  ]]\"\r\n"));
            if (!onPage)
                QCOMPARE(timeless(saved), timeless(before));
            if (!opens)
                QCOMPARE(saved, PublicVars::OutputText);
        } else {
            QVERIFY(!QFile::exists(path("yes.cfg")));
        }
    }

    // Save writes what the window shows, or says why not and changes nothing.
    void saving() {
        const struct {
            const char *typed, *target, *message; // no message: saved
        } rows[] = {
            {"", "s.cfg", ""},
            {"set a 1\n// mine", "s.cfg", ""},
            {"x", "afolder", "afolder"},
            {"x", "nowhere/x.cfg", "nowhere"},
            {"\u03a9", "existing.cfg", "U+03A9"},
            {"x", "", ""}, // the dialog cancelled
        };
        for (const auto &row : rows) {
            GuiFixture f;
            frmOutput &m = f.main();
            const QString typed = QString::fromUtf8(row.typed), target = row.target;
            QDir(m_dir.path()).mkpath("afolder");
            put(path("existing.cfg"), "old bytes");
            FileDialog::scriptAnswer(path("first.cfg"));
            m.mnuSave->trigger();
            QVERIFY(PublicVars::Saved);
            m.txtOutput->insertPlainText(typed);
            QCOMPARE(PublicVars::Saved, typed.isEmpty());
            const QByteArray wanted = QString(typed).replace("\n", "\r\n").toLatin1();
            QCOMPARE(PublicVars::OutputText.toLatin1(), wanted);
            QFile::remove(path("s.cfg"));
            // "All Files": no extension is added to the target.
            FileDialog::scriptAnswer(target.isEmpty() ? QString() : path(target), 1);
            m.mnuSave->trigger();
            const QStringList shown = GuiFixture::messages();
            const bool saved = !*row.message && !target.isEmpty();
            QCOMPARE(PublicVars::Saved, saved || typed.isEmpty());
            QCOMPARE(PublicVars::SavePath, saved ? path(target) : path("first.cfg"));
            if (saved)
                QCOMPARE(contents(path(target)), wanted);
            QCOMPARE(contents(path("existing.cfg")), QByteArray("old bytes"));
            QCOMPARE(shown.size(), *row.message ? 1 : 0);
            QVERIFY2(shown.join("").contains(row.message), qPrintable(shown.join("")));
        }
    }

    // Hand-written lines survive Finish and Yes; each replacement is one undo step.
    void regeneratingKeepsHandWrittenLines() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        w.runWithDefaults();
        frmOutput &m = f.main();
        QString edited = PublicVars::OutputText;
        edited.prepend("set sv_gravity 800\r\n");
        edited.replace("set rcon_password \"\"\r\n", "set rcon_password \"\"\r\n// my note\r\n");
        edited.replace("set fraglimit 0", "set fraglimit 99");
        edited.append("\r\nexec extra.cfg");
        m.txtOutput->selectAll();
        m.txtOutput->insertPlainText(edited);
        w.start();
        w.run("next 6; finish; ?has \r\nset fraglimit 0\r\n; "
              "?has \r\nset sv_gravity 800\r\n// my note\r\nexec extra.cfg\r\nmap q2dm8\r\n");
        QCOMPARE(PublicVars::OutputText.count("\r\n"),
                 Expected::wizardDefaultsFile("T").count("\r\n") + 3);
        QCOMPARE(m.statusBar()->currentMessage(),
                 QStringLiteral("3 hand-written lines kept; 1 hand change to a generated line "
                                "replaced"));
        const QString finished = PublicVars::OutputText;
        QTest::keyClick(m.txtOutput, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, edited);
        QTest::keyClick(m.txtOutput, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, finished);
        // Yes in the prompt composes the new answers and keeps the hand lines.
        w.start();
        w.run(
            "next 6; type txtHostname=Changed Host; prompt cmdYes; answer yes.cfg; cancel; "
            "?has \r\nset hostname \"Changed Host\"\r\n; ?has \r\nexec extra.cfg\r\nmap q2dm8\r\n");
        QCOMPARE(contents(path("yes.cfg")), PublicVars::OutputText.toLatin1());
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
            WizardDriver w(f, m_dir.path());
            if (round % 2)
                w.runWithDefaults();
            w.run(QString(round % 2 ? "prompt cmdNo; " : "") +
                  "in main; answer round.cfg; keys Ctrl+O; start; in page; next 6; finish");
            QCOMPARE(timeless(PublicVars::OutputText), timeless(file));
        }
    }

    // An opened file reaches every page, those already there included.
    void openingRestoresTheWizard() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        writeServerFile("a.cfg");
        w.run("start; prompt cmdNo; cancel; in main; answer a.cfg; keys Ctrl+O; ?done");
        QCOMPARE(PublicVars::OutputText.toLatin1(), contents(path("a.cfg")));
        QCOMPARE(f.main().frameGeometry().size(), Look::twipsToPixels(&f.main(), 8805, 8280));
        w.run("start; in page; ?text txtName=From File; next; "
              "?text cmbGameType=Kestrune Rail-Only Insta-Gib Teamplay; ?text cmbAmmo=3 Generous; "
              "next; ?text txtMaplist=maps.txt; next; ?text cDMFlag(2)=ticked; ?text "
              "lblMaskValue=dmflags 33562628\nKept from the opened file: bits 13, 25, for which "
              "no box stands; next 3; ?text txtHostname=File Host; ?text cmapsdl=ticked; "
              "?text cpublic=ticked; ?state cmapsdl=shown enabled; "
              "?state txtMasterServers=shown enabled");
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(4 + (1 << 13) + (1 << 25)));
    }

    // A hand-written file through File, Import: the report, the wizard
    // showing its answers, Finish keeping its other lines, one undo step.
    void importingAHandWrittenFile() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        put(path("hand.cfg"), "// my server\r\nset hostname \"Frag Hall\"; set gametype 2\r\n"
                              "set dmflags 516\r\nexec bots.cfg\r\nset randomize_weapon 2\r\n"
                              "set ammo_given 3\r\nmap q2dm3\r\n");
        w.run("in main; type txtOutput=before; prompt cmdNo; answer hand.cfg; keys Ctrl+I");
        const QString report = GuiFixture::messages().join(u'|');
        QVERIFY2(report.startsWith("Imported 6 answers from hand.cfg; 2 lines kept"),
                 qPrintable(report));
        QCOMPARE(f.main().statusBar()->currentMessage(), QStringLiteral("Imported from hand.cfg"));
        const QString imported = PublicVars::OutputText;
        w.run("in main/txtOutput; keys Ctrl+Z; ?output before; keys Ctrl+Y");
        QCOMPARE(PublicVars::OutputText, imported);
        w.run("start; in page; next; ?text cmbGameType=Kestrune Extinction; "
              "?text cWeaponRandomizer=ticked; next 2; ?text cDMFlag(2)=ticked; "
              "?text cDMFlag(9)=ticked; next 3; ?text txtHostname=Frag Hall; finish; "
              "?has \r\nset randomize_weapon 2\r\nset ammo_given 3\r\n; "
              "?has \r\n// my server\r\nexec bots.cfg\r\nmap q2dm3\r\n");
    }

    // Files that Open refuses change nothing; codes outside the lists select nothing.
    void refusedAndOddFiles() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        const ServerSettingsRecord before = ServerSettings;
        put(path("foreign.cfg"), "// Begining of Raw-Code - Do Not Alter The Following! \r\n//x");
        MessageBox::scriptAnswer(MessageBox::Answer::Cancel); // no Import
        w.run("in main; type txtOutput=mine; prompt cmdNo; answer foreign.cfg; keys Ctrl+O; "
              "?says This is not a Kestrune Server Tool generated file!\n\n; "
              "answer does-not-exist.cfg; keys Ctrl+O; ?says does-not-exist.cfg; ?output mine");
        QVERIFY(!PublicVars::LoadedFromFile);
        QCOMPARE(ServerSettings, before);
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.GameType = SettingNumber::fromText("nine");
        s.AmmoGiven = 7;
        put(path("odd.cfg"), composeServerFile(s, "T").toLatin1());
        w.run("answer odd.cfg; keys Ctrl+O; start; in page; next; ?text cmbGameType=; "
              "?text cmbAmmo=");
    }

    // A hand edit that adds a ";" to a generated line makes a finding appear
    // under the text; choosing it puts the cursor on the ";"; taking the edit
    // back hides the list and gives the text area its place again.
    void handEditShowsAFindingThatLeadsToItsLine() {
        GuiFixture f;
        QPlainTextEdit *text = f.main().txtOutput;
        f.main().replaceServerText(QStringLiteral("// by hand\r\nset hostname \"x\"\r\nmap q2dm8"));
        f.main().enlarge();
        auto *list = GuiFixture::control<QListWidget>(&f.main(), "lstFindings");
        QVERIFY(!list->accessibleName().isEmpty());
        QCoreApplication::processEvents();
        QVERIFY(list->isHidden());
        const QRect whole = text->geometry();
        QTextCursor cursor(text->document()->findBlockByNumber(1));
        cursor.movePosition(QTextCursor::EndOfBlock);
        text->setTextCursor(cursor);
        QTest::keyClicks(text, ";set cheats 1");
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->text().startsWith(QLatin1String("Line 2 (Host Name): ")));
        QVERIFY(list->item(0)->text().contains(QLatin1String("\"set cheats 1\"")));
        QTRY_VERIFY(text->geometry().height() < whole.height());
        QVERIFY(list->geometry().bottom() <= whole.bottom());
        // A larger window: the list follows the text area's new place.
        f.main().resize(f.main().size() + QSize(80, 60));
        QTRY_COMPARE(list->geometry().width(), text->geometry().width());
        QVERIFY(!list->geometry().intersects(text->geometry()));
        const QRect grown = text->geometry().united(list->geometry());
        QCOMPARE(grown.width(), whole.width() + 80);
        QVERIFY(grown.height() > whole.height());
        // The check changes nothing: the text is as typed.
        QVERIFY(PublicVars::OutputText.contains(QLatin1String("set hostname \"x\";set cheats 1")));
        text->moveCursor(QTextCursor::End);
        GuiFixture::clickRow(list, 0);
        QCOMPARE(text->textCursor().blockNumber(), 1);
        QCOMPARE(text->textCursor().positionInBlock(), 16); // at the ";"
        QCOMPARE(f.main().focusWidget(), text);
        for (int i = 0; i < 13; ++i)
            QTest::keyClick(text, Qt::Key_Delete);
        QTRY_VERIFY(list->isHidden());
        QTRY_COMPARE(text->geometry(), grown);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
