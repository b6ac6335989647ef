#include "WizardDriver.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "platform/MessageBox.h"
#include "serverfile/ServerFileComposer.h"
#include "settings/PublicVars.h"
#include "support/ExpectedFiles.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <unistd.h>

// Files other tools made, opened through File, Open and through the maplist
// editor's Open: each is taken or refused with a message, and a refusal
// leaves everything as it was.
class TestHostileFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    enum Outcome { Accepted, Refused, TooLarge };

    QString make(const QString &name, const QByteArray &bytes) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        f.write(bytes);
        return path;
    }

    static QByteArray marker() { return "// Begining of Raw-Code - Do Not Alter The Following!"; }

private slots:
    void initTestCase() {
        const QByteArray generated = Expected::wizardDefaultsFile("T").toLatin1();
        QByteArray bareCr = generated;
        bareCr.replace("\r\n", "\r");
        QByteArray nul = generated;
        nul.replace("//Sunny San Diego", QByteArray("//Sunny\0San\0Diego", 17));
        QByteArray high;
        for (int b = 0x80; b <= 0xFF; ++b)
            high.append(char(b));
        QByteArray longLines;
        for (int i = 0; i < 200; ++i)
            longLines += QByteArray(100 * 1024, 'x') + "\r\n";
        QByteArray huge = generated + "\r\n";
        huge += QByteArray(64 * 1024 * 1024 - huge.size(), 'y');
        make("empty", {});
        make("onebyte", "/");
        make("marker", marker() + "\r\n");
        make("nolineends", marker() + "//a//b//c");
        make("barecr", bareCr);
        make("nul", nul);
        make("longlines", longLines);
        make("huge", huge);
        make("high", high);
        make("unreadable", generated);
        QFile::setPermissions(m_dir.filePath("unreadable"), QFileDevice::WriteOwner);
        QDir(m_dir.path()).mkdir("folder");
    }

    void serverFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("outcome");
        QTest::newRow("empty") << "empty" << int(Refused);
        QTest::newRow("one byte") << "onebyte" << int(Refused);
        QTest::newRow("marker alone") << "marker" << int(Refused);
        QTest::newRow("marker, no line ends") << "nolineends" << int(Refused);
        QTest::newRow("bare CR") << "barecr" << int(Accepted);
        QTest::newRow("NUL bytes") << "nul" << int(Accepted);
        QTest::newRow("200 lines of 100 KB") << "longlines" << int(TooLarge);
        QTest::newRow("64 MiB with the marker") << "huge" << int(TooLarge);
        QTest::newRow("bytes 0x80 to 0xFF") << "high" << int(Refused);
        QTest::newRow("a folder") << "folder" << int(Refused);
        QTest::newRow("missing") << "missing" << int(Refused);
        QTest::newRow("no read permission")
            << "unreadable" << int(geteuid() == 0 ? Accepted : Refused);
    }
    void serverFile() {
        QFETCH(QString, name);
        QFETCH(int, outcome);
        GuiFixture f;
        QTest::keyClicks(f.main().txtOutput, "before");
        const ServerSettingsRecord record = PublicVars::ServerSettings;
        GuiFixture::answerPrompt("cmdNo");
        MessageBox::takeShown();
        const bool foreign =
            outcome == Refused && name != "folder" && name != "missing" && name != "unreadable";
        if (foreign)
            MessageBox::scriptAnswer(MessageBox::Answer::Cancel); // Import is offered: no
        FileDialog::scriptAnswer(m_dir.filePath(name));
        f.main().mnuOpen->trigger();
        const auto shown = MessageBox::takeShown();
        if (outcome == Accepted) {
            QCOMPARE(shown.size(), 0);
            QVERIFY(PublicVars::LoadedFromFile);
            QFile file(m_dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                QCOMPARE(PublicVars::OutputText.toLatin1(), file.readAll());
            return;
        }
        QCOMPARE(shown.size(), 1);
        if (outcome == TooLarge)
            QVERIFY2(shown[0].text.contains("too large for a server file"),
                     qPrintable(shown[0].text));
        else if (foreign)
            QCOMPARE(shown[0].text.section(QStringLiteral("\n\n"), 0, 0),
                     QStringLiteral("This is not a Kestrune Server Tool generated file!"));
        else
            QVERIFY(shown[0].text.contains(QDir::toNativeSeparators(m_dir.filePath(name))));
        QCOMPARE(PublicVars::ServerSettings, record);
        QCOMPARE(PublicVars::OutputText, QStringLiteral("before"));
        QVERIFY(PublicVars::Saved);
        QVERIFY(!PublicVars::LoadedFromFile);
    }

    void maplist_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lines"); // -1: refused
        QTest::newRow("empty") << "empty" << 0;
        QTest::newRow("one byte") << "onebyte" << 1;
        QTest::newRow("marker alone") << "marker" << 1;
        QTest::newRow("bare CR") << "barecr" << 64;
        QTest::newRow("NUL bytes") << "nul" << 64;
        QTest::newRow("200 lines of 100 KB") << "longlines" << -1;
        QTest::newRow("64 MiB") << "huge" << -1;
        QTest::newRow("bytes 0x80 to 0xFF") << "high" << 1;
        QTest::newRow("a folder") << "folder" << -1;
        QTest::newRow("missing") << "missing" << -1;
    }
    void maplist() {
        QFETCH(QString, name);
        QFETCH(int, lines);
        GuiFixture f;
        frmCreateMaplist &editor = f.main().procedures().wizard().maplistEditor();
        editor.showModal();
        GuiFixture::click(GuiFixture::button(&editor, "cmdAdd"));
        MessageBox::takeShown();
        FileDialog::scriptAnswer(m_dir.filePath(name));
        GuiFixture::click(GuiFixture::button(&editor, "cmdOpen"));
        const QStringList &shown =
            qobject_cast<MaplistModel *>(
                GuiFixture::control<QAbstractItemView>(&editor, "lstMaps")->model())
                ->lines();
        QCOMPARE(MessageBox::takeShown().size(), lines < 0 ? 1 : 0);
        QCOMPARE(shown.size(), 1 + qMax(lines, 0));
        QCOMPARE(shown.first(), QStringLiteral("q2dm8 0 15"));
    }
};

QTEST_MAIN(TestHostileFiles)
#include "test_hostilefiles.moc"
