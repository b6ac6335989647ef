#include "WizardDriver.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"
#include "support/FileBytes.h"
#include "support/SmallDisk.h"
#include "wizard/frmServerWizard2.h"

#include <QAction>
#include <QFile>
#include <QListView>
#include <QPlainTextEdit>
#include <QTemporaryDir>

using FileBytes::contents;
using FileBytes::put;

// Saves from the three windows that write files, onto disks that refuse
// them: each shows a message, keeps the window's contents and the unsaved
// state, and leaves a file of that name as it was.
class TestFailedDiskWindows : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_round = 0;

private slots:
    void save_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("fault");
        for (const char *window : {"main", "maplist", "motd"})
            for (const char *fault : {"full", "read-only", "missing folder", "folder"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(window, fault)))
                    << QString::fromLatin1(window) << QString::fromLatin1(fault);
    }

    void save() {
        QFETCH(QString, window);
        QFETCH(QString, fault);
        const QString folder = m_dir.filePath(QStringLiteral("round%1").arg(++m_round));
        const QByteArray old = "// the old file\r\n";
        std::unique_ptr<SmallDisk> disk;
        QString target = folder + QStringLiteral("/saved.txt");
        if (fault == QLatin1String("full") || fault == QLatin1String("read-only")) {
            disk = std::make_unique<SmallDisk>(folder, "size=64k,mode=0700");
            if (!disk->failure.isEmpty())
                QSKIP(qPrintable(disk->failure));
            put(target, old);
            if (fault == QLatin1String("full")) {
                QFile filler(folder + QStringLiteral("/filler"));
                QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
                const QByteArray page(4096, 'f');
                for (int i = 0; i < 64 && filler.write(page) == page.size(); ++i) {
                }
            } else {
                QVERIFY(disk->remountReadOnly());
            }
        } else if (fault == QLatin1String("missing folder")) {
            target = folder + QStringLiteral("/not/there/saved.txt");
        } else {
            QVERIFY(QDir().mkpath(target)); // the path is a folder
        }

        const auto entries = [&] {
            return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        const QStringList before = entries();
        GuiFixture f;
        WizardController &wizard = f.main().procedures().wizard();
        wizard.filesPage().txtMaplist->setText(QStringLiteral("before.txt"));
        wizard.filesPage().txtMOTD->setText(QStringLiteral("before.txt"));
        // Big enough that it cannot hide in a write buffer.
        const QString text = QStringLiteral("set hostname \"x\"\r\n").repeated(4000);
        FileDialog::scriptAnswer(target);
        if (window == QLatin1String("main")) {
            f.main().replaceServerText(text);
            f.main().mnuSave->trigger();
            QVERIFY(!PublicVars::Saved);
            QCOMPARE(PublicVars::SavePath, QString());
            QCOMPARE(PublicVars::OutputText, text);
        } else if (window == QLatin1String("maplist")) {
            frmCreateMaplist &editor = wizard.maplistEditor();
            editor.showModal();
            auto *maps = qobject_cast<MaplistModel *>(
                GuiFixture::control<QAbstractItemView>(&editor, "lstMaps")->model());
            maps->appendLines(text.split(QStringLiteral("\r\n")));
            const QStringList lines = maps->lines();
            GuiFixture::click(GuiFixture::button(&editor, "cmdSaveList"));
            QVERIFY(editor.isVisible());
            QCOMPARE(maps->lines(), lines);
            QCOMPARE(wizard.filesPage().txtMaplist->text(), QStringLiteral("before.txt"));
        } else {
            frmCreateMOTD &editor = wizard.motdEditor();
            editor.showModal();
            auto *box = GuiFixture::control<QPlainTextEdit>(&editor, "txtMOTD");
            QTest::keyClicks(box, "Welcome to the server");
            GuiFixture::click(GuiFixture::button(&editor, "cmdSaveMOTD"));
            QVERIFY(editor.isVisible());
            QCOMPARE(box->toPlainText(), QStringLiteral("Welcome to the server"));
            QCOMPARE(wizard.filesPage().txtMOTD->text(), QStringLiteral("before.txt"));
        }
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(QDir::toNativeSeparators(target)),
                 qPrintable(shown[0].text));
        QCOMPARE(entries(), before); // no temporary file left behind
        if (disk)
            QCOMPARE(contents(target), old);
        else if (fault == QLatin1String("folder"))
            QVERIFY(QFileInfo(target).isDir());
        else
            QVERIFY(!QFileInfo::exists(target));
    }
};

QTEST_MAIN(TestFailedDiskWindows)
#include "test_faileddisk_windows.moc"
