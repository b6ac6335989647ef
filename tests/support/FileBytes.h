#pragma once

#include <QByteArray>
#include <QFile>
#include <QTest>

// What lies on disk, read and written byte for byte.
namespace FileBytes {

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void put(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace FileBytes
