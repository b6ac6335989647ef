#include "WizardDriver.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"
#include "support/FileBytes.h"

#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>

// What a desktop user expects of the windows: warnings while typing, windows
// that keep their places, a title that names the file, refusals that explain.
namespace {

QString withLine(const QString &text, int index, const QString &line) {
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (line.isNull())
        lines.removeAt(index);
    else
        lines[index] = line;
    return lines.join(QStringLiteral("\r\n"));
}

bool showsLineOne(const QPlainTextEdit *text) {
    return text->textCursor().position() == 0 && text->verticalScrollBar()->value() == 0;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    static void toGeneralPage(WizardDriver &w) {
        w.start();
        w.next();
        w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        w.choose("cmbAmmo", "2 Normal");
        w.choose("cmbglblWeapon", "Blaster");
        for (int i = 0; i < 5; ++i)
            w.next();
    }

private slots:
    // The warning follows each keystroke, goes when the value is mended, and
    // never stops Next or Finish.
    void pageWarnsWhileTyping() {
        const struct {
            bool lastPage;
            const char *box, *bad, *says, *good;
        } rows[] = {
            {false, "txtName", "Bob;x", "refuses the line", "Bob"},
            {false, "txtLocation", "a\"b", "quote", "ab"},
            {true, "txtHostname", "x;set cheats 1", "\"set cheats 1\"", "x"},
            {true, "txtMaxclients", "15abc", "number 15", "15"},
            {true, "txtFraglimit", "abc", "number 0", "0"},
        };
        for (const auto &row : rows) {
            GuiFixture f;
            WizardDriver w(f);
            row.lastPage ? toGeneralPage(w) : w.start();
            auto *warning = w.control<QLabel>(QStringLiteral("lblWarning_") + row.box);
            QVERIFY(warning->isHidden());
            w.type(row.box, row.bad);
            QVERIFY2(warning->isVisible() && warning->text().contains(row.says),
                     qPrintable(warning->text()));
            QCOMPARE(w.control<QLineEdit>(row.box)->accessibleDescription(), warning->text());
            w.type(row.box, row.good);
            QVERIFY2(warning->isHidden(), row.box);
            w.type(row.box, row.bad);
            const QString page = w.pageName();
            row.lastPage ? w.finish() : w.next();
            QVERIFY2(w.pageName() != page && MessageBox::takeShown().isEmpty(), row.box);
            QVERIFY(PublicVars::OutputText.contains(row.bad) || !row.lastPage);
        }
    }

    // It grows for the first Finish; what the user gives it then stays, for
    // a second Finish and in the next run of the program.
    void mainWindowKeepsTheUsersSize() {
        for (const bool restart : {false, true}) {
            GuiFixture f;
            WizardDriver(f).runWithDefaults();
            QVERIFY(showsLineOne(f.main().txtOutput));
            const QRect users = f.main().geometry().adjusted(10, 20, 60, 10);
            f.main().setGeometry(users);
            if (restart) {
                f.restart();
                QCOMPARE(f.main().size(), f.main().minimumSize()); // compact until grown
            }
            WizardDriver(f).runWithDefaults();
            QCOMPARE(f.main().size(), users.size());
            // Restored places may differ by the frame's few pixels (Qt 6.8 offscreen).
            const QPoint moved = f.main().geometry().topLeft() - users.topLeft();
            QVERIFY2(moved.manhattanLength() <= 8,
                     qPrintable(QStringLiteral("moved by %1, %2").arg(moved.x()).arg(moved.y())));
            QVERIFY(showsLineOne(f.main().txtOutput));
        }
    }

    // Next, Back and the next run open each page where the page before stood.
    void wizardPagesOpenWhereThePageBeforeStood() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        const QRect users = w.page()->geometry().adjusted(-30, -20, 40, 50);
        w.page()->setGeometry(users);
        w.next();
        QCOMPARE(w.page()->geometry().topLeft(), users.topLeft());
        QVERIFY(w.page()->width() >= users.width() && w.page()->height() >= users.height());
        const QRect second = w.page()->geometry();
        w.back();
        QCOMPARE(w.page()->geometry().topLeft(), second.topLeft());
        w.cancel(); // after Back: closes without asking
        f.restart();
        w.start();
        QCOMPARE(w.page()->geometry().topLeft(), second.topLeft());
        // The unsaved-changes question opens over the page that asked.
        ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [](QWidget *prompt) {
            QCOMPARE(prompt->parentWidget()->objectName(), QStringLiteral("frmServerWizard"));
            GuiFixture::click(GuiFixture::button(prompt, "cmdNo"));
        });
        w.cancel();
        QCOMPARE(ModalScript::pendingWindows(), 0);
    }

    // After Import the title names no file and shows the unsaved mark; each
    // save names its file in the title and in the status line.
    void saveNamesTheFile() {
        const struct {
            const char *typed;
            int filter; // the .cfg filter, or all files
            QString saved;
        } rows[] = {{"imported", 0, "imported.cfg"},
                    {"imported", 1, "imported"},
                    {"imported.txt", 0, "imported.txt"}};
        for (const auto &[typed, filter, saved] : rows) {
            GuiFixture f;
            frmOutput &m = f.main();
            FileBytes::put(path("server.cfg"), "set hostname \"x\"\r\nmap q2dm1\r\n");
            FileDialog::scriptAnswer(path("server.cfg"));
            m.mnuImport->trigger();
            QCOMPARE(m.statusBar()->currentMessage(), QStringLiteral("Imported from server.cfg"));
            QVERIFY(m.isWindowModified());
            QVERIFY(!m.windowTitle().contains(QLatin1String("server.cfg")));
            QVERIFY(showsLineOne(m.txtOutput));
            FileDialog::scriptAnswer(path(typed), filter);
            m.mnuSave->trigger();
            QVERIFY(QFile::exists(path(saved)));
            QCOMPARE(m.windowFilePath(), path(saved));
            QVERIFY(m.windowTitle().startsWith(saved + QLatin1String("[*] - ")));
            QVERIFY(m.windowTitle().endsWith(QLatin1String("Kestrune - Server Config Tool")));
            QVERIFY(!m.isWindowModified());
            QCOMPARE(m.statusBar()->currentMessage(), QStringLiteral("Saved as %1").arg(saved));
            QTest::keyClicks(m.txtOutput, "x");
            QVERIFY(m.isWindowModified());
        }
    }

    // The findings list tells at once; Open names the line and offers Import.
    void brokenBlockIsExplained() {
        const struct {
            int index;
            QString line; // null: the line is cut out
            int broken;
            bool refused;
        } rows[] = {{0, "// Begining of Raw-Code", 1, true}, // the marker cut short
                    {5, "0", 6, true},                       // slashes cut
                    {10, QString(), 27, false}};             // an answer cut out
        for (const auto &[index, line, broken, refused] : rows) {
            GuiFixture f;
            WizardDriver(f).runWithDefaults();
            const QString text = withLine(PublicVars::OutputText, index, line);
            QVERIFY(text != PublicVars::OutputText);
            f.main().replaceServerText(text);
            auto *list = GuiFixture::control<QListWidget>(&f.main(), "lstFindings");
            const QString told = QStringLiteral("Line %1: Open will refuse this file").arg(broken);
            QTRY_VERIFY(list->count() > 0 && list->item(0)->text().startsWith(told));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            QCOMPARE(f.main().txtOutput->textCursor().blockNumber(), broken - 1);

            FileBytes::put(path("broken.cfg"), text.toLatin1());
            GuiFixture::answerPrompt("cmdNo");
            MessageBox::scriptAnswer(MessageBox::Answer::Ok); // Import it
            FileDialog::scriptAnswer(path("broken.cfg"));
            f.main().mnuOpen->trigger();
            const QList<MessageBox::Shown> shown = MessageBox::takeShown();
            QCOMPARE(shown.size(), refused ? 2 : 0); // the refusal, then the import's report
            if (!refused)
                continue;
            QVERIFY(shown[0].withCancel);
            const QStringList parts = shown[0].text.split(QStringLiteral("\n\n"));
            QCOMPARE(parts[0],
                     QStringLiteral("This is not a Kestrune Server Tool generated file!"));
            QVERIFY2(parts.value(1).startsWith(QStringLiteral("Line %1: ").arg(broken)),
                     qPrintable(shown[0].text));
            QCOMPARE(f.main().statusBar()->currentMessage(),
                     QStringLiteral("Imported from broken.cfg"));
        }
    }

    // The creator can be made larger, shows a long line whole and copies it.
    void creatorShowsAndCopiesTheWholeLine() {
        GuiFixture f;
        GuiFixture::click(f.main().cmdCreateShortcut);
        auto *creator = f.main().findChild<QDialog *>(QStringLiteral("frmShortcut"));
        QVERIFY(QTest::qWaitForWindowExposed(creator));
        QVERIFY(creator->maximumWidth() > creator->minimumWidth());
        const QString game = QStringLiteral("/opt/games/Quake II Ultimate Edition/bin/q2ded");
        GuiFixture::control<QLineEdit>(creator, "txtQuakeLocation")->setText(game);
        GuiFixture::control<QLineEdit>(creator, "txtConfigName")->setText(QStringLiteral("k.cfg"));
        GuiFixture::click(GuiFixture::button(creator, "cmdCreate"));
        auto *line = GuiFixture::control<QLineEdit>(creator, "txtShortCut");
        QVERIFY(line->text().contains(QLatin1String("+set port 27910")));
        QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) < line->width(),
                 qPrintable(QString::number(line->width())));
        QVERIFY(creator->frameGeometry().right() <= creator->screen()->availableGeometry().right());
        QGuiApplication::clipboard()->clear();
        creator->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(creator));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), line->text()); // pressed after a blink
        creator->close();
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
