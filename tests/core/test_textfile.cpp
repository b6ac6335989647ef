#include "platform/TextFile.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using FileBytes::contents;
using FileBytes::put;

class TestTextFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // Every byte comes back as it was; lines are written with CR LF and read
    // at any line end.
    void writesAndReadsExactly() {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        put(path("all.bin"), all);
        const auto read = TextFile::readBytes(path("all.bin"), 1 << 20);
        QVERIFY(read.ok());
        QVERIFY(TextFile::write(path("copy.bin"), QString::fromLatin1(read.bytes)).ok());
        QCOMPARE(contents(path("copy.bin")), all);
        QVERIFY(TextFile::write(path("empty.txt"), QString()).ok());
        QCOMPARE(contents(path("empty.txt")), QByteArray());
        QVERIFY(TextFile::writeLines(path("lines.txt"), {"q2dm1 0 15", "", "x"}).ok());
        QCOMPARE(contents(path("lines.txt")), QByteArray("q2dm1 0 15\r\n\r\nx\r\n"));
        QVERIFY(TextFile::writeLines(path("nolines.txt"), {}).ok());
        QCOMPARE(contents(path("nolines.txt")), QByteArray());
        QCOMPARE(TextFile::splitLines("a\r\nb\nc\rd\r\n\r\ne\r\n"),
                 QStringList({"a", "b", "c", "d", "", "e"}));
        QCOMPARE(TextFile::splitLines(""), QStringList());
    }

    // Characters beyond single-byte text are refused, naming the first and its line.
    void refusesWhatSingleByteTextCannotHold() {
        put(path("keep.txt"), "old");
        const auto result =
            TextFile::write(path("keep.txt"), QStringLiteral("ok\r\nline\u00e9\nx\u03a9y\u20ac"));
        QVERIFY(!result.ok());
        QVERIFY2(result.error.contains(QLatin1String("U+03A9")), qPrintable(result.error));
        QVERIFY2(result.error.contains(QLatin1String("line 3")), qPrintable(result.error));
        QVERIFY(result.error.contains(QDir::toNativeSeparators(path("keep.txt"))));
        QCOMPARE(contents(path("keep.txt")), QByteArray("old"));
        // A maplist's lines alike: the character and the line it is on.
        const auto lines =
            TextFile::writeLines(path("keep.txt"), {"q2dm1 0 15", "\u00e9 1", "x\u03a9"});
        QVERIFY2(lines.error.contains(QLatin1String("U+03A9")) &&
                     lines.error.contains(QLatin1String("line 3")),
                 qPrintable(lines.error));
        QCOMPARE(contents(path("keep.txt")), QByteArray("old"));
    }

    void failuresComeBackAsErrors() {
        QVERIFY(!TextFile::write(path("no/such/folder/file.txt"), QStringLiteral("x")).ok());
        QVERIFY(!QFile::exists(path("no/such/folder/file.txt")));
        QDir(m_dir.path()).mkdir("afolder");
        QVERIFY(!TextFile::write(path("afolder"), QStringLiteral("x")).ok());
        QVERIFY(QFileInfo(path("afolder")).isDir());
        const auto readMissing = TextFile::readBytes(path("missing.txt"), 100);
        QVERIFY(!readMissing.ok() && !readMissing.error.isEmpty());
        QVERIFY(!TextFile::readBytes(path("afolder"), 100).ok());
        QVERIFY(TextFile::folderExists(m_dir.path()));
        QVERIFY(!TextFile::folderExists(path("nothing-here")));
    }

    void readOnlyFolderKeepsTheOldFile() {
        if (geteuid() == 0)
            QSKIP("running as root: a read-only folder does not stop root from writing");
        QDir(m_dir.path()).mkdir("ro");
        put(path("ro/old.txt"), "old content");
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::ExeOwner);
        const auto result = TextFile::write(path("ro/old.txt"), QStringLiteral("new"));
        QFile::setPermissions(path("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!result.ok());
        QCOMPARE(contents(path("ro/old.txt")), QByteArray("old content"));
    }

    void tooLargeIsRefusedUnread() {
        put(path("big.txt"), QByteArray(1000, 'x'));
        const auto result = TextFile::readBytes(path("big.txt"), 999);
        QCOMPARE(result.failure, TextFile::Failure::TooLarge);
        QVERIFY(result.bytes.isEmpty());
        QVERIFY(TextFile::readBytes(path("big.txt"), 1000).ok());
    }

    // Files whose size the system reports as 0 are read whole.
    void unreportedSizesAreReadUpToTheLimit() {
        if (!QFile::exists(QStringLiteral("/proc/self/status")))
            QSKIP("needs Linux's /proc and /dev/zero");
        QCOMPARE(QFileInfo(QStringLiteral("/proc/self/status")).size(), 0);
        const auto status = TextFile::readBytes(QStringLiteral("/proc/self/status"), 1 << 20);
        QVERIFY(status.ok());
        QVERIFY(status.bytes.startsWith("Name:"));
        QVERIFY(status.bytes.contains("\nPid:"));

        // A device is no file: refused unread, however endless it is.
        const auto endless = TextFile::readBytes(QStringLiteral("/dev/zero"), 300000);
        QCOMPARE(endless.failure, TextFile::Failure::Other);
        QVERIFY(endless.error.contains(QLatin1String("device")) && endless.bytes.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "test_textfile.moc"
