#include "platform/TextFile.h"
#include "support/FileBytes.h"
#include "support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using FileBytes::contents;

// A save that the disk refused must say so, naming the file.
#define EXPECT_REFUSED(save, path)                                                                 \
    do {                                                                                           \
        const TextFile::WriteResult result_ = (save);                                              \
        QVERIFY2(!result_.ok(), "reported as saved");                                              \
        QVERIFY2(result_.error.contains(QDir::toNativeSeparators(path)),                           \
                 qPrintable(result_.error));                                                       \
    } while (false)

// Saves onto a disk that refuses them: each comes back as an error that names
// the file, and a file of that name that was there stays byte for byte.
class TestFailedDisk : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    static bool put(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
    }
    static QStringList entries(const QString &folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                      QDir::Name);
    }
    static QString bigText() {
        QString text;
        for (int i = 0; i < 4000; ++i)
            text += QStringLiteral("set hostname \"line %1\"\r\n").arg(i);
        return text;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void fullFileSystem() {
        SmallDisk disk(m_dir.filePath(QStringLiteral("full")), "size=64k,mode=0700");
        if (!disk.failure.isEmpty())
            QSKIP(qPrintable(disk.failure));
        const QString target = disk.path + QStringLiteral("/server.cfg");
        const QByteArray old = QByteArray("// the old server file\r\n").repeated(300);
        QVERIFY(put(target, old));

        // Fill what is left, one page at a time, until the disk says it is full.
        QFile filler(disk.path + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray page(4096, 'f');
        for (int i = 0; i < 64 && filler.write(page) == page.size(); ++i) {
        }
        QCOMPARE(filler.error(), QFileDevice::ResourceError); // ENOSPC
        filler.close();
        const QStringList before = entries(disk.path);

        EXPECT_REFUSED(TextFile::write(target, bigText()), target);
        QCOMPARE(contents(target), old);
        EXPECT_REFUSED(TextFile::write(target, QStringLiteral("x")), target);
        QCOMPARE(contents(target), old);
        EXPECT_REFUSED(TextFile::writeLines(target, {"q2dm1 0 15", "q2dm2 2 8"}), target);
        QCOMPARE(contents(target), old);
        // A new file fails the same way and leaves nothing behind.
        const QString fresh = disk.path + QStringLiteral("/new.cfg");
        EXPECT_REFUSED(TextFile::write(fresh, bigText()), fresh);
        QCOMPARE(entries(disk.path), before);

        // Room again: the same save goes through.
        QVERIFY(QFile::remove(disk.path + QStringLiteral("/filler")));
        QVERIFY(TextFile::write(target, QStringLiteral("new")).ok());
        QCOMPARE(contents(target), QByteArray("new"));
    }

    void readOnlyFolder() {
        const QString folder = m_dir.filePath(QStringLiteral("ro"));
        const QString target = folder + QStringLiteral("/server.cfg");
        const QByteArray old = "// the old server file\r\n";
        if (geteuid() == 0) {
            // Permissions do not stop root; a read-only file system does.
            SmallDisk disk(folder, "size=64k,mode=0700");
            if (!disk.failure.isEmpty())
                QSKIP(qPrintable(disk.failure));
            QVERIFY(put(target, old));
            QVERIFY2(disk.remountReadOnly(), std::strerror(errno));
            EXPECT_REFUSED(TextFile::write(target, bigText()), target);
            EXPECT_REFUSED(TextFile::writeLines(target, {"q2dm1 0 15"}), target);
            const QString fresh = folder + QStringLiteral("/new.cfg");
            EXPECT_REFUSED(TextFile::write(fresh, QStringLiteral("x")), fresh);
            QCOMPARE(contents(target), old);
            QCOMPARE(entries(folder), QStringList{QStringLiteral("server.cfg")});
        } else {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(put(target, old));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            const auto refused = TextFile::write(target, bigText());
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            EXPECT_REFUSED(refused, target);
            QCOMPARE(contents(target), old);
            QCOMPARE(entries(folder), QStringList{QStringLiteral("server.cfg")});
        }
    }

    void missingFolder() {
        const QString target = m_dir.filePath(QStringLiteral("gone/away/server.cfg"));
        EXPECT_REFUSED(TextFile::write(target, bigText()), target);
        EXPECT_REFUSED(TextFile::writeLines(target, {"q2dm1 0 15"}), target);
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("gone"))));
    }

    void pathIsAFolder() {
        const QString folder = m_dir.filePath(QStringLiteral("isfolder"));
        const QString target = folder + QStringLiteral("/server.cfg");
        QVERIFY(QDir().mkpath(target));
        QVERIFY(put(target + QStringLiteral("/inside.txt"), "kept"));
        EXPECT_REFUSED(TextFile::write(target, bigText()), target);
        EXPECT_REFUSED(TextFile::writeLines(target, {"q2dm1 0 15"}), target);
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(entries(target), QStringList{QStringLiteral("inside.txt")});
        QCOMPARE(contents(target + QStringLiteral("/inside.txt")), QByteArray("kept"));
        QCOMPARE(entries(folder), QStringList{QStringLiteral("server.cfg")});
    }
};

QTEST_APPLESS_MAIN(TestFailedDisk)
#include "test_faileddisk.moc"
