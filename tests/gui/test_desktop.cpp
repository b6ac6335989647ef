#include "WizardDriver.h"
#include "platform/MessageBox.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>

// What a desktop user expects of the windows: warnings while typing, windows
// that keep their places, a title that names the file, refusals that explain.

class TestDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // The warning follows each keystroke, goes when the value is mended, and
    // never stops Next or Finish.
    void pageWarnsWhileTyping() {
        const struct {
            const char *box, *bad, *leave;
        } rows[] = {
            {"txtName", "Bob;x", "next; ?page frmServerWizard3"},
            {"txtHostname", "15;set cheats 1", "finish; ?page ; ?has 15;set"},
            {"txtMaxclients", "15;set cheats 1", "finish; ?page ; ?has 15;set"},
        };
        for (const auto &[box, bad, leave] : rows) {
            GuiFixture f;
            WizardDriver w(f);
            w.run("start; " + (*leave == 'n' ? QString() : WizardDriver::kToLastPage));
            auto *edit = w.control<QLineEdit>(box);
            auto *warning = w.control<QLabel>(QStringLiteral("lblWarning_") + box);
            w.run(QStringLiteral("?state %1=hidden enabled; type %2=%3; ?state %1=shown enabled; "
                                 "type %2=%4; ?state %1=hidden enabled; type %2=%3")
                      .arg(warning->objectName(), box, bad, QString(bad).section(';', 0, 0)));
            QVERIFY(!warning->text().isEmpty());
            QCOMPARE(edit->accessibleDescription(), warning->text());
            w.run(QString(leave) + "; ?said ");
        }
    }

    // It grows for the first Finish; what the user gives it then stays, for
    // a second Finish and in the next run of the program.
    void mainWindowKeepsTheUsersSize() {
        for (const bool restart : {false, true}) {
            GuiFixture f;
            WizardDriver(f).runWithDefaults();
            const QRect users = f.main().geometry().adjusted(10, 20, 60, 10);
            f.main().setGeometry(users);
            if (restart) {
                f.restart();
                QCOMPARE(f.main().size(), f.main().minimumSize()); // compact until grown
            }
            WizardDriver(f).runWithDefaults();
            QCOMPARE(f.main().size(), users.size());
            // Restored places may differ by the frame's few pixels (Qt 6.8 offscreen).
            QVERIFY((f.main().geometry().topLeft() - users.topLeft()).manhattanLength() <= 8);
            // The new text shows from its first line.
            QCOMPARE(f.main().txtOutput->textCursor().position(), 0);
            QCOMPARE(f.main().txtOutput->verticalScrollBar()->value(), 0);
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
        w.run("cancel; ?done");
    }

    // The findings list tells at once; Open names the line and offers Import.
    void brokenBlockIsExplained() {
        for (const bool markerCut : {true, false}) {
            GuiFixture f;
            WizardDriver(f).runWithDefaults();
            const QString whole = PublicVars::OutputText;
            QStringList lines = whole.split(QStringLiteral("\r\n"));
            markerCut ? void(lines[0] = "// Begining of Raw-Code") : lines.removeAt(10);
            const QString text = lines.join("\r\n");
            const int broken = markerCut ? 1 : 27;
            const QRect place = f.main().txtOutput->geometry();
            f.main().replaceServerText(text);
            auto *list = GuiFixture::control<QListWidget>(&f.main(), "lstFindings");
            const QString told = QStringLiteral("Line %1: Open will refuse this file").arg(broken);
            QTRY_VERIFY(list->count() > 0 && list->item(0)->text().startsWith(told));
            GuiFixture::clickRow(list, 0);
            QCOMPARE(f.main().txtOutput->textCursor().blockNumber(), broken - 1);
            QVERIFY(f.main().txtOutput->geometry().height() < place.height());
            f.main().replaceServerText(whole); // mended: the list goes
            QTRY_VERIFY(list->isHidden());

            FileBytes::put(path("broken.cfg"), text.toLatin1());
            MessageBox::scriptAnswer(MessageBox::Answer::Ok); // Import it
            WizardDriver(f, m_dir.path()).run("prompt cmdNo; answer broken.cfg; menu mnuOpen");
            const QList<MessageBox::Shown> shown = MessageBox::takeShown();
            QCOMPARE(shown.size(), markerCut ? 2 : 0); // the refusal, then the import's report
            if (!markerCut)
                continue;
            QVERIFY(shown[0].withCancel);
            QVERIFY2(shown[0].text.startsWith("This is not a Kestrune Server Tool generated "
                                              "file!\n\nLine 1: "),
                     qPrintable(shown[0].text));
            QCOMPARE(f.main().statusBar()->currentMessage(),
                     QStringLiteral("Imported from broken.cfg"));
        }
    }

    // The creator can be made larger, shows a long line whole and copies it.
    void creatorShowsAndCopiesTheWholeLine() {
        GuiFixture f;
        WizardDriver w(f);
        w.run("in main; click cmdCreateShortcut; in frmShortcut; type txtQuakeLocation=/opt/games/"
              "Quake II Ultimate Edition/bin/q2ded; type txtConfigName=k.cfg; click cmdCreate");
        auto *creator = f.main().findChild<QDialog *>(QStringLiteral("frmShortcut"));
        QVERIFY(creator->maximumWidth() > creator->minimumWidth());
        auto *line = GuiFixture::control<QLineEdit>(creator, "txtShortCut");
        QVERIFY(line->text().contains(QLatin1String("+set port 27910")));
        QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) < line->width(),
                 qPrintable(QString::number(line->width())));
        w.run("keys Alt+P");
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), line->text()); // pressed after a blink
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
