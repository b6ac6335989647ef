#pragma once

#include <QFile>
#include <QProcess>
#include <QTest>

// Where the two scripts beside this file lie, and where the fetched engine is.
inline const QString kScripts = QStringLiteral(REALSERVER_SCRIPTS);
inline const QString kFetched = QStringLiteral(REALSERVER_FETCHED);

// Fetches Yamagi Quake II if it is not there yet and copies its engine folder
// to `to`, inside `dir`, which the server's user may then enter.
inline void copyEngine(const QString &dir, const QString &to) {
    QProcess fetch;
    fetch.start(kScripts + QLatin1String("/fetch_quake2.sh"), {kFetched});
    QVERIFY(fetch.waitForFinished(240000));
    QVERIFY2(fetch.exitCode() == 0, fetch.readAllStandardError().constData());
    QProcess copy;
    copy.start(QStringLiteral("cp"),
               {QStringLiteral("-a"), kFetched + QLatin1String("/root/usr/lib/yamagi-quake2"), to});
    QVERIFY(copy.waitForFinished(30000) && copy.exitCode() == 0);
    QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther));
}
