#include "WizardDriver.h"
#include "platform/Look.h"
#include "platform/MessageBox.h"
#include "serverfile/ServerFileComposer.h"
#include "settings/PublicVars.h"
#include "support/ExpectedFiles.h"
#include "support/FileBytes.h"
#include "support/RandomRecords.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
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

    static void open(GuiFixture &f, const QString &file) {
        FileDialog::scriptAnswer(file);
        f.main().mnuOpen->trigger();
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
        WizardDriver w(f);
        frmOutput &m = f.main();
        const QString other = writeServerFile("other.cfg");
        QFile::remove(path("yes.cfg"));
        const bool onPage = way == PageCancel || way == PageCloseBox;
        if (onPage)
            w.start(); // unsaved: Yes composes page 1's and page 7's first answers
        else
            w.runWithDefaults();
        const QString before = PublicVars::OutputText;
        const char *buttons[] = {"cmdYes", "cmdYes", "cmdNo", "cmdCancel", "close"};
        GuiFixture::answerPrompt(QString::fromLatin1(buttons[answer]));
        if (way == Open || way == Import)
            FileDialog::scriptAnswer(other);
        if (answer == Yes || answer == YesSaveCancelled)
            FileDialog::scriptAnswer(answer == Yes ? path("yes.cfg") : QString());
        bool left = false;
        switch (way) {
        case Exit:
            m.mnuExit->trigger();
            left = f.programEnds() > 0;
            break;
        case CloseBox:
            left = m.close();
            QCOMPARE(f.programEnds() > 0, left);
            break;
        case PageCancel:
            w.cancel();
            left = !w.page();
            break;
        case PageCloseBox:
            left = w.page()->close();
            break;
        default:
            (way == Open ? m.mnuOpen : m.mnuImport)->trigger();
            left = PublicVars::LoadedFromFile;
        }
        QCOMPARE(ModalScript::pendingWindows(), 0);
        QCOMPARE(FileDialog::pendingAnswers(), 0);
        QCOMPARE(left, answer == Yes || answer == No);
        if (!left) {
            QVERIFY(!PublicVars::Saved);
            if (answer != YesSaveCancelled) // Yes composes the text before it saves
                QCOMPARE(PublicVars::OutputText, before);
            QCOMPARE(w.page() != nullptr, onPage);
        } else if (way != Open && way != Import) {
            QVERIFY(PublicVars::Saved);
        }
        if (answer == Yes) {
            const QString saved = QString::fromLatin1(contents(path("yes.cfg")));
            QVERIFY(saved.contains("\r\nset hostname \"[[  Kestrune Server  ]]\"\r\n"));
            if (!onPage)
                QCOMPARE(timeless(saved), timeless(before));
            if (way != Open && way != Import)
                QCOMPARE(saved, PublicVars::OutputText);
        } else {
            QVERIFY(!QFile::exists(path("yes.cfg")));
        }
    }

    // Save writes what the window shows, or says why not and changes nothing.
    void saving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message"); // empty: saved
        QTest::newRow("empty text") << ""
                                    << "s.cfg"
                                    << "";
        QTest::newRow("hand edit") << "set a 1\n// mine"
                                   << "s.cfg"
                                   << "";
        QTest::newRow("over a folder") << "x"
                                       << "afolder"
                                       << "afolder";
        QTest::newRow("missing folder") << "x"
                                        << "nowhere/x.cfg"
                                        << "nowhere";
        QTest::newRow("not single-byte") << "\u03a9"
                                         << "existing.cfg"
                                         << "U+03A9";
        QTest::newRow("dialog cancelled") << "x"
                                          << ""
                                          << "";
    }
    void saving() {
        QFETCH(QString, typed);
        QFETCH(QString, target);
        QFETCH(QString, message);
        GuiFixture f;
        frmOutput &m = f.main();
        QDir(m_dir.path()).mkpath("afolder");
        put(path("existing.cfg"), "old bytes");
        FileDialog::scriptAnswer(path("first.cfg"));
        m.mnuSave->trigger();
        QVERIFY(PublicVars::Saved);
        m.txtOutput->insertPlainText(typed);
        QCOMPARE(PublicVars::Saved, typed.isEmpty());
        const QByteArray wanted = typed.replace("\n", "\r\n").toLatin1();
        QCOMPARE(PublicVars::OutputText.toLatin1(), wanted);
        QFile::remove(path("s.cfg"));
        // "All Files": no extension is added to the target.
        FileDialog::scriptAnswer(target.isEmpty() ? QString() : path(target), 1);
        m.mnuSave->trigger();
        const QStringList shown = messages();
        const bool saved = message.isEmpty() && !target.isEmpty();
        QCOMPARE(PublicVars::Saved, saved || typed.isEmpty());
        QCOMPARE(PublicVars::SavePath, saved ? path(target) : path("first.cfg"));
        if (saved)
            QCOMPARE(contents(path(target)), wanted);
        QCOMPARE(contents(path("existing.cfg")), QByteArray("old bytes"));
        QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(shown[0].contains(message), qPrintable(shown[0]));
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
        m.txtOutput->selectAll();
        m.txtOutput->insertPlainText(edited);
        w.start();
        w.run("next 6");
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
        const QString finished = PublicVars::OutputText;
        QTest::keyClick(m.txtOutput, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, edited);
        QTest::keyClick(m.txtOutput, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(PublicVars::OutputText, finished);

        // Yes in the prompt composes the new answers and keeps the hand lines.
        w.start();
        w.run("next 6");
        w.type("txtHostname", "Changed Host");
        GuiFixture::answerPrompt("cmdYes");
        FileDialog::scriptAnswer(path("yes.cfg"));
        w.cancel();
        const QString saved = QString::fromLatin1(contents(path("yes.cfg")));
        QVERIFY(saved.contains("\r\nset hostname \"Changed Host\"\r\n"));
        QVERIFY(saved.contains("\r\nexec extra.cfg\r\nmap q2dm8\r\n"));
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
            w.run("next 6");
            w.finish();
            QCOMPARE(timeless(PublicVars::OutputText), timeless(file));
        }
    }

    // An opened file reaches every page, those already there included.
    void openingRestoresTheWizard() {
        GuiFixture f;
        WizardDriver w(f);
        w.start(); // page 1 exists already, with its defaults
        GuiFixture::answerPrompt("cmdNo");
        w.cancel();
        open(f, writeServerFile("a.cfg"));
        QCOMPARE(PublicVars::OutputText.toLatin1(), contents(path("a.cfg")));
        QCOMPARE(f.main().frameGeometry().size(), Look::twipsToPixels(&f.main(), 8805, 8280));
        w.start();
        QCOMPARE(w.control<QLineEdit>("txtName")->text(), QStringLiteral("From File"));
        w.next();
        QCOMPARE(w.control<QComboBox>("cmbGameType")->currentText(),
                 QStringLiteral("Kestrune Rail-Only Insta-Gib Teamplay"));
        QCOMPARE(w.control<QComboBox>("cmbAmmo")->currentText(), QStringLiteral("3 Generous"));
        w.next();
        QCOMPARE(w.control<QLineEdit>("txtMaplist")->text(), QStringLiteral("maps.txt"));
        w.next();
        QVERIFY(w.box("cDMFlag(2)")->isChecked());
        QCOMPARE(w.control<QLabel>("lblMaskValue")->text(),
                 QStringLiteral("dmflags 33562628\nKept from the opened file: bits 13, 25, for "
                                "which no box stands"));
        w.run("next 3");
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(4 + (1 << 13) + (1 << 25)));
        QCOMPARE(w.control<QLineEdit>("txtHostname")->text(), QStringLiteral("File Host"));
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
        put(path("hand.cfg"), "// my server\r\nset hostname \"Frag Hall\"; set gametype 2\r\n"
                              "set dmflags 516\r\nexec bots.cfg\r\nset randomize_weapon 2\r\n"
                              "set ammo_given 3\r\nmap q2dm3\r\n");
        GuiFixture::answerPrompt("cmdNo");
        FileDialog::scriptAnswer(path("hand.cfg"));
        QTest::keyClick(&m, Qt::Key_I, Qt::ControlModifier);
        const QStringList report = messages();
        QCOMPARE(report.size(), 1);
        QVERIFY2(report[0].startsWith("Imported 6 answers from hand.cfg; 2 lines kept"),
                 qPrintable(report[0]));
        QCOMPARE(m.statusBar()->currentMessage(), QStringLiteral("Imported from hand.cfg"));
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
        w.run("next 3");
        QCOMPARE(w.control<QLineEdit>("txtHostname")->text(), QStringLiteral("Frag Hall"));
        w.finish();
        QVERIFY(
            PublicVars::OutputText.contains("\r\nset randomize_weapon 2\r\nset ammo_given 3\r\n"));
        QVERIFY(
            PublicVars::OutputText.contains("\r\n// my server\r\nexec bots.cfg\r\nmap q2dm3\r\n"));
    }

    // Files that Open refuses change nothing; codes outside the lists select nothing.
    void refusedAndOddFiles() {
        GuiFixture f;
        QTest::keyClicks(f.main().txtOutput, "mine");
        const ServerSettingsRecord before = ServerSettings;
        put(path("foreign.cfg"), "// Begining of Raw-Code - Do Not Alter The Following! \r\n//x");
        GuiFixture::answerPrompt("cmdNo");
        MessageBox::scriptAnswer(MessageBox::Answer::Cancel); // no Import
        open(f, path("foreign.cfg"));
        const QStringList refusal = messages();
        QCOMPARE(refusal.size(), 1);
        QCOMPARE(refusal[0].section(QStringLiteral("\n\n"), 0, 0),
                 QStringLiteral("This is not a Kestrune Server Tool generated file!"));
        open(f, path("does-not-exist.cfg"));
        QCOMPARE(messages().size(), 1);
        QVERIFY(!PublicVars::LoadedFromFile);
        QCOMPARE(ServerSettings, before);
        QCOMPARE(PublicVars::OutputText, QStringLiteral("mine"));

        ServerSettingsRecord s = Expected::wizardDefaults();
        s.GameType = SettingNumber::fromText("nine");
        s.AmmoGiven = 7;
        put(path("odd.cfg"), composeServerFile(s, "T").toLatin1());
        open(f, path("odd.cfg"));
        WizardDriver w(f);
        w.start();
        w.next();
        QCOMPARE(w.control<QComboBox>("cmbGameType")->currentIndex(), -1);
        QCOMPARE(w.control<QComboBox>("cmbAmmo")->currentIndex(), -1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
