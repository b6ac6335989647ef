#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QtEndian>

#include <zip.h>

// Game archives made from nothing: a .pak written byte by byte from its
// published layout, a .pk3 written by libzip.
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

// A .pk3 (a zip) of empty files with these names, written by libzip as
// other tools write them; false when libzip fails.
inline bool writePk3(const QString &path, const QStringList &names) {
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    for (const QString &name : names) {
        zip_source_t *source = zip_source_buffer(archive, nullptr, 0, 0);
        if (!source ||
            zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

} // namespace Archives
