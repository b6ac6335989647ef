#include "platform/TextFile.h"
#include "support/FileBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int WaitMs = 30000; // the bound on any one wait for the child

// About 4 MiB of one version: a file that mixes two, or stops short, is neither.
QByteArray text(char version) {
    return QByteArray("set sv_version ").append(version).append("\r\n").repeated(240000);
}

} // namespace

// A save killed with SIGKILL at any moment leaves the file either as it was
// or as it was going to be, whole: never half of one, never a mix.
class TestKilledSave : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString target() const { return m_dir.filePath(QStringLiteral("server.cfg")); }

    // Starts this program saving `version` and returns once it has begun to save.
    bool startSaving(QProcess &child, char version) {
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--save"), target(), QString(QLatin1Char(version))});
        while (child.waitForStarted(WaitMs) && !child.canReadLine())
            if (!child.waitForReadyRead(WaitMs))
                return false;
        return child.readLine() == "writing\n";
    }

private slots:
    void survivesSigkillAtRandomMoments() {
        // How long one save takes here, so the kills fall across all of it.
        QProcess calibration;
        QVERIFY(startSaving(calibration, 'B'));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(calibration.waitForFinished(WaitMs) && calibration.exitCode() == 0 &&
                calibration.exitStatus() == QProcess::NormalExit);
        const qint64 saveUs = qMax<qint64>(timer.nsecsElapsed() / 1000, 1000);

        std::mt19937 random(20251207);
        // Up to half again the save's length, so some kills come after the end.
        std::uniform_int_distribution<qint64> delayUs(0, saveUs + saveUs / 2);
        int asBefore = 0, asWritten = 0, killed = 0;
        for (int round = 0; round < 200; ++round) {
            const char before = round % 2 ? 'A' : 'B', written = round % 2 ? 'B' : 'A';
            QProcess child;
            QVERIFY2(startSaving(child, written), qPrintable(child.errorString()));
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
            child.kill(); // SIGKILL
            QVERIFY(child.waitForFinished(WaitMs));
            killed += child.exitStatus() == QProcess::CrashExit;
            QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() == 0);
            const QByteArray after = FileBytes::contents(target()), old = text(before),
                             made = text(written);
            asBefore += after == old;
            asWritten += after == made;
            QVERIFY2(after == old || after == made,
                     qPrintable(QStringLiteral("round %1: neither text whole").arg(round)));
            for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
                QFile::remove(m_dir.filePath(name)); // a killed save's temporary file too
            FileBytes::put(target(), made);          // what the next round expects
        }
        qInfo("%d killed mid-way, %d left the old text, %d the new one", killed, asBefore,
              asWritten);
        // The kills did land both before and after the file was replaced.
        QVERIFY(killed > 0 && asBefore > 0 && asWritten > 0);
    }
};

// With --save PATH VERSION this program is the child that gets killed: it
// composes the text, says so, then saves it.
int main(int argc, char **argv) {
    if (argc == 4 && qstrcmp(argv[1], "--save") == 0) {
        const QString path = QString::fromLocal8Bit(argv[2]),
                      saved = QString::fromLatin1(text(argv[3][0]));
        std::fputs("writing\n", stdout);
        std::fflush(stdout); // the parent kills from here on
        return TextFile::write(path, saved).ok() ? 0 : 1;
    }
    QCoreApplication app(argc, argv);
    TestKilledSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_killedsave.moc"
