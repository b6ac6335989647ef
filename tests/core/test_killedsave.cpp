#include "support/FileBytes.h"
#include "support/KilledSaveText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <random>
#include <thread>

using FileBytes::contents;

// A save killed with SIGKILL at any moment leaves the file either as it was
// or as it was going to be, whole: never half of one, never a mix.
class TestKilledSave : public QObject {
    Q_OBJECT

    static constexpr int Rounds = 200;
    static constexpr int WaitMs = 30000; // the bound on any one wait for the child

    QTemporaryDir m_dir;
    QByteArray m_a, m_b;

    QString target() const { return m_dir.filePath(QStringLiteral("server.cfg")); }

    // Starts the child writing `version` and returns once it has begun to save.
    static bool startSaving(QProcess &child, const QString &path, char version) {
        child.setProgram(QStringLiteral(SAVE_CHILD));
        child.setArguments({path, QString(QLatin1Char(version))});
        child.start();
        if (!child.waitForStarted(WaitMs))
            return false;
        while (!child.canReadLine())
            if (!child.waitForReadyRead(WaitMs))
                return false;
        return child.readLine() == "writing\n";
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_a = KilledSave::text(u'A').toLatin1();
        m_b = KilledSave::text(u'B').toLatin1();
        QVERIFY(m_a.size() > 4000000);
        FileBytes::put(target(), m_a);
    }

    void survivesSigkillAtRandomMoments() {
        // How long one save takes here, so the kills fall across all of it.
        QElapsedTimer timer;
        QProcess calibration;
        QVERIFY(startSaving(calibration, target(), 'B'));
        timer.start();
        QVERIFY(calibration.waitForFinished(WaitMs));
        const qint64 saveUs = qMax<qint64>(timer.nsecsElapsed() / 1000, 1000);
        QCOMPARE(calibration.exitStatus(), QProcess::NormalExit);
        QCOMPARE(calibration.exitCode(), 0);
        QVERIFY(contents(target()) == m_b);

        std::mt19937 random(20251207);
        // Up to half again the save's length, so some kills come after the end.
        std::uniform_int_distribution<qint64> delayUs(0, saveUs + saveUs / 2);
        int asBefore = 0, asWritten = 0, killed = 0;
        for (int round = 0; round < Rounds; ++round) {
            const bool hasA = round % 2 == 1; // the calibration left B
            const QByteArray &before = hasA ? m_a : m_b;
            const QByteArray &written = hasA ? m_b : m_a;

            QProcess child;
            QVERIFY2(startSaving(child, target(), hasA ? 'B' : 'A'),
                     qPrintable(child.errorString()));
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
            child.kill(); // SIGKILL
            QVERIFY(child.waitForFinished(WaitMs));
            if (child.exitStatus() == QProcess::CrashExit)
                ++killed;
            else
                QCOMPARE(child.exitCode(), 0);

            const QByteArray after = contents(target());
            if (after == before) {
                ++asBefore;
            } else {
                QVERIFY2(after == written,
                         qPrintable(QStringLiteral("round %1: the file has %2 bytes, neither "
                                                   "the old text nor the new one")
                                        .arg(round)
                                        .arg(after.size())));
                ++asWritten;
            }
            // The next round expects the text that is there now.
            if (after != written)
                FileBytes::put(target(), written);
            // A killed save may leave its temporary file behind: cleared, so
            // the rounds do not fill the disk.
            for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
                if (name != QLatin1String("server.cfg"))
                    QFile::remove(m_dir.filePath(name));
        }
        qInfo("%d rounds: %d killed mid-way, %d left the old text, %d the new one", Rounds, killed,
              asBefore, asWritten);
        // The kills did land both before and after the file was replaced.
        QVERIFY(killed > 0 && asBefore > 0 && asWritten > 0);
    }
};

QTEST_GUILESS_MAIN(TestKilledSave)
#include "test_killedsave.moc"
