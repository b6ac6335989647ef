#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QtEndian>

// Game archives made from nothing, byte by byte from their published layouts.
namespace Archives {

template <typename T> QByteArray le(T value) {
    QByteArray bytes(sizeof value, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// The 12-byte header: "PACK", the directory's offset and length.
inline QByteArray pakHeader(quint32 directoryOffset, quint32 directoryLength) {
    return "PACK" + le(directoryOffset) + le(directoryLength);
}

// One 64-byte directory entry; a name of 56 bytes has no NUL left.
inline QByteArray pakEntry(const QByteArray &name, quint32 offset, quint32 length) {
    return name.leftJustified(56, '\0', true) + le(offset) + le(length);
}

// A whole .pak: the header, each file's bytes (its name, repeated to the
// length given), then the directory.
inline QByteArray pak(const QStringList &names, quint32 fileLength = 8) {
    QByteArray data, directory;
    for (const QString &name : names) {
        directory += pakEntry(name.toLatin1(), quint32(12 + data.size()), fileLength);
        data += name.toLatin1().repeated(int(fileLength)).left(fileLength);
    }
    return pakHeader(quint32(12 + data.size()), quint32(directory.size())) + data + directory;
}

// A .pk3 (a zip64) of only a central directory of these names: listing it
// needs no more, and it stays small however many entries it has.
inline bool writePk3(const QString &path, const QStringList &names) {
    QByteArray directory;
    for (const QString &name : names)
        directory += "PK\x01\x02" + QByteArray(24, '\0') + le(quint16(name.toUtf8().size())) +
                     QByteArray(16, '\0') + name.toUtf8();
    const quint64 count = quint64(names.size()), size = quint64(directory.size());
    QFile file(path);
    const QByteArray ff = le(quint32(0xFFFFFFFF));
    return file.open(QIODevice::WriteOnly) &&
           file.write(directory + "PK\x06\x06" + le(quint64(44)) + QByteArray(12, '\0') +
                      le(count) + le(count) + le(size) + le(quint64(0)) + "PK\x06\x07" +
                      QByteArray(4, '\0') + le(size) + le(quint32(1)) + "PK\x05\x06" +
                      QByteArray(4, '\0') + ff + ff + ff + le(quint16(0))) > 0;
}

} // namespace Archives
