#include "WizardDriver.h"
#include "platform/Look.h"
#include "serverfile/ServerFileComposer.h"
#include "support/ExpectedFiles.h"
#include "support/RandomRecords.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>

using FileBytes::contents;
using FileBytes::put;

namespace {

// The text with its creation time replaced, so it can be compared.
QString timeless(QString text) {
    static const QRegularExpression created("(\r\n// Kestrune Server File - Created )[^\r]*");
    return text.replace(created, "\\1T");
}

// The ways to leave unsaved text, and the prompt's answers, with what a
// save's file dialog is answered.
enum Way { Exit, CloseBox, PageCancel, PageCloseBox, Open, Import };
const char *const kWays[] = {"menu mnuExit", "close main",   "cancel",
                             "close page",   "menu mnuOpen", "menu mnuImport"};
enum Answer { Yes, YesSaveCancelled, No, Cancel, PromptCloseBox };
const char *const kAnswers[] = {"prompt cmdYes; answer yes.cfg", "prompt cmdYes; answer",
                                "prompt cmdNo", "prompt cmdCancel", "prompt close"};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // The whole road: wizard defaults, Finish, Save As; the window grows.
    void wholeRunThenSave() {
        GuiFixture f;
        frmOutput &m = f.main();
        QVERIFY(!m.Command1->isEnabled());
        QCOMPARE(m.centralWidget()->size(), Look::twipsToPixels(&m, 6990, 855));
        WizardDriver(f, m_dir.path()).runWithDefaults();
        QCOMPARE(m.frameGeometry().size(), Look::twipsToPixels(&m, 8805, 8280));
        QCOMPARE(timeless(m.txtOutput->toPlainText().replace("\n", "\r\n")),
                 Expected::wizardDefaultsFile("T"));
        // The save names its file in the title and the status line.
        WizardDriver(f, m_dir.path()).run("in main; answer server; click Command1");
        QCOMPARE(contents(path("server.cfg")), PublicVars::OutputText.toLatin1());
        QCOMPARE(m.windowTitle(), "server.cfg[*] - Kestrune - Server Config Tool");
        QCOMPARE(m.statusBar()->currentMessage(), QStringLiteral("Saved as server.cfg"));
        QVERIFY(!m.isWindowModified());
        m.mnuExit->trigger();
        QVERIFY(f.programEnds() > 0); // saved: no prompt
    }

    // Unsaved text, every way to leave it, every answer of the prompt.
    void leavingUnsavedText_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("answer");
        for (int way = Exit; way <= Import; ++way)
            for (int answer = Yes; answer <= PromptCloseBox; ++answer)
                QTest::addRow("%s, %s", kWays[way], kAnswers[answer]) << way << answer;
    }
    void leavingUnsavedText() {
        QFETCH(int, way);
        QFETCH(int, answer);
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        put(path("other.cfg"), Expected::wizardDefaultsFile("T").toLatin1());
        QFile::remove(path("yes.cfg"));
        const bool onPage = way == PageCancel || way == PageCloseBox, opens = way >= Open;
        if (onPage)
            w.start(); // unsaved: Yes composes page 1's and page 7's first answers
        else
            w.runWithDefaults();
        const QString before = PublicVars::OutputText;
        // Open and Import ask for their file before the prompt.
        w.run(QStringLiteral("%1%2; %3; ?done")
                  .arg(opens ? "answer other.cfg; " : "", kAnswers[answer], kWays[way]));
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

    // Save writes what the window shows with CR LF line ends, or says why
    // not and changes nothing.
    void saving() {
        GuiFixture f;
        WizardDriver w(f, m_dir.path());
        put(path("existing.cfg"), "old bytes");
        w.run("in main; answer first.cfg; menu mnuSave; ?saved");
        f.main().txtOutput->insertPlainText("set a 1\n// \u03a9");
        w.run("?unsaved; answer existing.cfg; menu mnuSave; ?says U+03A9; ?unsaved; "
              "?file existing.cfg=old bytes; in main/txtOutput; keys Backspace");
        FileDialog::scriptAnswer(path("s"), 1); // "All Files": no extension is added
        w.run("menu mnuSave; ?saved; ?file s=set a 1\r\n// ");
    }

    // Hand-written lines survive Finish; a replacement is one undo step.
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
        QCOMPARE(m.statusBar()->currentMessage(),
                 QStringLiteral("3 hand-written lines kept; 1 hand change to a generated line "
                                "replaced"));
        w.run("in main/txtOutput; keys Ctrl+Z");
        QCOMPARE(PublicVars::OutputText, edited);
    }

    // Every file the program writes comes back the same through Open, the
    // pages with Next only, and Finish: also over a wizard that ran before
    // (the opened file reaches the pages already there), with a
    // 40,000-character value and with mask bits no box stands for.
    void reopeningIsARoundTrip() {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 40; ++round) {
            ServerSettingsRecord s = RandomRecords::record(random);
            if (round == 0)
                s.Hostname = QString(40000, u'h');
            if (round < 4) // bits for which no box stands are kept too
                s.DMFlags = s.DMFlags.value().value_or(0) | (1 << 13) | (1 << 25);
            const QString file = composeServerFile(s, QStringLiteral("T"));
            put(path("round.cfg"), file.toLatin1());
            GuiFixture f;
            WizardDriver w(f, m_dir.path());
            w.run((round % 2 ? "start; " + w.kToLastPage + "; finish; prompt cmdNo; " : "") +
                  "in main; answer round.cfg; keys Ctrl+O; start; in page; next 6; finish");
            QCOMPARE(timeless(PublicVars::OutputText), timeless(file));
        }
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
        // The title names no file and shows the unsaved mark.
        QCOMPARE(f.main().statusBar()->currentMessage(), QStringLiteral("Imported from hand.cfg"));
        QVERIFY(f.main().isWindowModified() && !f.main().windowTitle().contains("hand.cfg"));
        w.run("in main/txtOutput; keys Ctrl+Z; ?text txtOutput=before; keys Ctrl+Y; "
              "start; in page; next; ?text cmbGameType=Kestrune Extinction; "
              "?text cWeaponRandomizer=ticked; next 2; ?text cDMFlag(2)=ticked; "
              "?text cDMFlag(9)=ticked; next 3; ?text txtHostname=Frag Hall; finish; "
              "?has \r\nset randomize_weapon 2\r\nset ammo_given 3\r\n; "
              "?has \r\n// my server\r\nexec bots.cfg\r\nmap q2dm3\r\n");
    }

    // Codes outside the lists select nothing.
    void oddCodesSelectNothing() {
        GuiFixture f;
        ServerSettingsRecord s = Expected::wizardDefaults();
        s.GameType = SettingNumber::fromText("nine");
        s.AmmoGiven = 7;
        put(path("odd.cfg"), composeServerFile(s, "T").toLatin1());
        WizardDriver(f, m_dir.path())
            .run("in main; answer odd.cfg; keys Ctrl+O; start; in page; next; "
                 "?text cmbGameType=; ?text cmbAmmo=");
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
