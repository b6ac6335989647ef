#include "commandline/CommandLine.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    // The boxes: location, file, port, game folder.
    void lines() {
        const auto row = [](const QStringList &boxes, Shell shell, const char *line) {
            QCOMPARE(serverCommandLine(boxes[0], boxes[1], boxes[2], boxes[3], shell),
                     QString::fromLatin1(line));
        };
        // What a POSIX shell makes of the quoting: shellReceivesEachPieceWhole.
        row({"", "", "27910", ""}, Shell::Posix, " +set dedicated 1 +exec  +set port 27910");
        row({"C:\\Program Files\\Quake2\\quake2.exe", "server.cfg", "27910", ""}, Shell::Windows,
            "\"C:\\Program Files\\Quake2\\quake2.exe\" +set dedicated 1 +exec server.cfg +set port "
            "27910");
        row({"C:\\Quake2\\quake2.exe", "it's;$x.cfg", "27910", ""}, Shell::Windows,
            "C:\\Quake2\\quake2.exe +set dedicated 1 +exec \"\\\"it's;$x.cfg\\\"\" +set port "
            "27910");
    }
    // Through a real shell: a stand-in for the game in a folder whose name
    // holds blanks, quotes, "$" and ";" prints the arguments it receives.
    void shellReceivesEachPieceWhole() {
        const std::pair<QString, QString> rows[] = {{"Quake 2", "my server.cfg"},
                                                    {"it's \"q2\"", "a'b\"c.cfg"},
                                                    {"$HOME and ${PATH}", "$x.cfg"},
                                                    {"a;b; echo hacked", "s;rm -rf x.cfg"},
                                                    {"a\\b `date`", "*.cfg"}};
        for (const auto &[folder, file] : rows) {
            QTemporaryDir dir;
            QVERIFY(dir.isValid() && QDir(dir.path()).mkpath(folder));
            const QString game = dir.path() + u'/' + folder + QLatin1String("/quake2");
            FileBytes::put(game, "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\"\n");
            QVERIFY(QFile::setPermissions(game, QFile::ReadOwner | QFile::ExeOwner));

            QProcess shell;
            shell.start("/bin/sh",
                        {"-c", serverCommandLine(game, file, "27 910", folder, Shell::Posix)});
            QVERIFY(shell.waitForFinished(10000));
            const QStringList received =
                QString::fromUtf8(shell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
            // A name with a blank or a ";" reaches the game in quotes for its console.
            const auto console = [](const QString &name) {
                return name.contains(u' ') || name.contains(u';') ? u'"' + name + u'"' : name;
            };
            QCOMPARE(received,
                     QStringList({game, "+set", "game", console(folder), "+set", "dedicated", "1",
                                  "+exec", console(file), "+set", "port", "27 910"}));
        }
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
