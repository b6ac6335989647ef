#include "platform/TextFile.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using FileBytes::contents;

class TestTextFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // Every byte comes back as it was, from a file of just the largest size
    // allowed; lines are written with CR LF and read at any line end.
    void writesAndReadsExactly() {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        FileBytes::put(path("all.bin"), all);
        const auto tooLarge = TextFile::readBytes(path("all.bin"), all.size() - 1);
        QVERIFY(tooLarge.failure == TextFile::Failure::TooLarge && tooLarge.bytes.isEmpty());
        const auto read = TextFile::readBytes(path("all.bin"), all.size());
        QVERIFY(read.ok());
        QVERIFY(TextFile::write(path("copy.bin"), QString::fromLatin1(read.bytes)).ok());
        QCOMPARE(contents(path("copy.bin")), all);
        QVERIFY(TextFile::writeLines(path("lines.txt"), {"q2dm1 0 15", "", "x"}).ok());
        QCOMPARE(contents(path("lines.txt")), QByteArray("q2dm1 0 15\r\n\r\nx\r\n"));
        QCOMPARE(TextFile::splitLines("a\r\nb\nc\rd\r\n\r\ne\r\n"),
                 QStringList({"a", "b", "c", "d", "", "e"}));
    }

    // Characters beyond single-byte text are refused, naming the first and
    // its line, in a text and in a maplist's lines alike.
    void refusesWhatSingleByteTextCannotHold() {
        FileBytes::put(path("keep.txt"), "old");
        for (const auto &result :
             {TextFile::write(path("keep.txt"), QStringLiteral("ok\r\nline\u00e9\nx\u03a9y\u20ac")),
              TextFile::writeLines(path("keep.txt"), {"q2dm1 0 15", "\u00e9 1", "x\u03a9"})}) {
            for (const QString &part : {QStringLiteral("U+03A9"), QStringLiteral("line 3"),
                                        QDir::toNativeSeparators(path("keep.txt"))})
                QVERIFY2(result.error.contains(part), qPrintable(result.error));
            QCOMPARE(contents(path("keep.txt")), QByteArray("old"));
        }
    }

    // Files whose size the system reports as 0 are read whole.
    void unreportedSizesAreReadUpToTheLimit() {
        QCOMPARE(QFileInfo(QStringLiteral("/proc/self/status")).size(), 0);
        const auto status = TextFile::readBytes(QStringLiteral("/proc/self/status"), 1 << 20);
        QVERIFY(status.ok() && status.bytes.startsWith("Name:") && status.bytes.contains("\nPid:"));
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "test_textfile.moc"
