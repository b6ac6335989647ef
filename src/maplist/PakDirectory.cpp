#include "PakDirectory.h"

#include "platform/FileSystem.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace PakDirectory {
namespace {

Result failed(const QString &why) {
    return {why, {}};
}

quint32 number(const char *bytes) {
    return qFromLittleEndian<quint32>(bytes);
}

} // namespace

Result read(QIODevice &device) {
    const qint64 size = device.size();
    if (size < HeaderSize || !device.seek(0))
        return failed(QStringLiteral("The file is too short for a .pak archive."));
    char header[HeaderSize];
    if (device.read(header, HeaderSize) != HeaderSize)
        return failed(QStringLiteral("The file ended inside its header."));
    if (std::memcmp(header, "PACK", 4) != 0)
        return failed(QStringLiteral("The file is not a .pak archive."));
    const quint32 offset = number(header + 4);
    const quint32 length = number(header + 8);
    if (length % EntrySize != 0)
        return failed(QStringLiteral("Its directory is not a whole number of entries."));
    // 64-bit sums: neither number can wrap around the other.
    if (qint64(offset) + qint64(length) > size)
        return failed(QStringLiteral("Its directory runs past the end of the file."));
    if (length / EntrySize > MaxEntries)
        return failed(QStringLiteral("Its directory claims %1 entries; Quake II takes at most %2.")
                          .arg(length / EntrySize)
                          .arg(MaxEntries));
    if (!device.seek(offset))
        return failed(QStringLiteral("Its directory cannot be reached."));

    Result result;
    result.entries.reserve(length / EntrySize);
    char entry[EntrySize];
    for (qint64 at = 0; at < length; at += EntrySize) {
        if (device.read(entry, EntrySize) != EntrySize)
            return failed(QStringLiteral("The file ended inside its directory."));
        const void *end = std::memchr(entry, '\0', NameSize);
        if (!end)
            return failed(
                QStringLiteral("Entry %1 has a name without an end.").arg(at / EntrySize + 1));
        const quint32 fileOffset = number(entry + NameSize);
        const quint32 fileLength = number(entry + NameSize + 4);
        const QString name = QString::fromLatin1(entry, static_cast<const char *>(end) - entry);
        if (qint64(fileOffset) + qint64(fileLength) > size)
            return failed(QStringLiteral("Entry %1 (%2) lies past the end of the file.")
                              .arg(at / EntrySize + 1)
                              .arg(name));
        result.entries.append({name, fileOffset, fileLength});
    }
    return result;
}

Result readFile(const QString &path) {
    QFile file;
    if (const QString reason = FileSystem::openRegular(file, path); !reason.isEmpty())
        return failed(QStringLiteral("It cannot be opened: %1.").arg(reason));
    return read(file);
}

} // namespace PakDirectory
