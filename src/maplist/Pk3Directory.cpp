#include "Pk3Directory.h"

#include "platform/FileSystem.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

namespace Pk3Directory {
namespace {

constexpr qint64 kEndSize = 22;       // the end record without its comment
constexpr qint64 kEndSearch = 0xFFFF; // the longest comment after it
constexpr qint64 kLocatorSize = 20;   // the zip64 end record's locator
constexpr qint64 kEnd64Size = 56;     // the zip64 end record
constexpr qint64 kEntryHeader = 46;   // a central directory entry without its texts
constexpr int kCancelCheck = 4096;    // entries between looks at the cancel flag

template <class T> T at(const char *bytes, int offset) {
    return qFromLittleEndian<T>(bytes + offset);
}

Result failed(const QString &why) {
    return {why, {}};
}

bool readAt(QIODevice &device, qint64 offset, char *into, qint64 size) {
    return device.seek(offset) && device.read(into, size) == size;
}

// Where the central directory lies and how many entries it claims.
struct Directory {
    quint64 count = 0;
    quint64 size = 0;
    quint64 offset = 0;
};

// The end record: the last "PK\5\6" whose comment ends at the file's end or
// before it. Fills the directory and where the record starts; an error or
// empty.
QString readEnd(QIODevice &device, qint64 size, Directory &directory, qint64 &endAt) {
    const qint64 tailStart = std::max<qint64>(0, size - kEndSize - kEndSearch);
    if (!device.seek(tailStart))
        return QStringLiteral("The file cannot be read.");
    const QByteArray tail = device.read(size - tailStart);
    qint64 end = -1;
    for (qint64 i = tail.size() - kEndSize; i >= 0; --i) {
        if (tail[i] == 'P' && tail.mid(i, 4) == QByteArrayView("PK\x05\x06") &&
            i + kEndSize + at<quint16>(tail.constData() + i, 20) <= tail.size()) {
            end = i;
            break;
        }
    }
    if (end < 0)
        return QStringLiteral("The file is not a .pk3 (zip) archive.");
    const char *record = tail.constData() + end;
    directory = {at<quint16>(record, 10), at<quint32>(record, 12), at<quint32>(record, 16)};
    endAt = tailStart + end;
    return {};
}

bool needsZip64(const Directory &directory) {
    return directory.count == 0xFFFF || directory.size == 0xFFFFFFFF ||
           directory.offset == 0xFFFFFFFF;
}

// The zip64 end record, found through the locator just before the end record.
QString readEnd64(QIODevice &device, qint64 endAt, Directory &directory) {
    char locator[kLocatorSize];
    char end64[kEnd64Size];
    if (endAt < kLocatorSize || !readAt(device, endAt - kLocatorSize, locator, kLocatorSize) ||
        QByteArrayView(locator, 4) != QByteArrayView("PK\x06\x07"))
        return QStringLiteral("The file's zip64 end record is missing.");
    const quint64 end64At = at<quint64>(locator, 8);
    if (end64At > quint64(endAt) || !readAt(device, qint64(end64At), end64, kEnd64Size) ||
        QByteArrayView(end64, 4) != QByteArrayView("PK\x06\x06"))
        return QStringLiteral("The file's zip64 end record is damaged.");
    directory = {at<quint64>(end64, 32), at<quint64>(end64, 40), at<quint64>(end64, 48)};
    return {};
}

// The entries, one after the other from where the device stands.
Result readEntries(QIODevice &device, const Directory &directory, const Keep &keep,
                   const std::atomic_bool *cancel) {
    Result result;
    quint64 used = 0;
    char header[kEntryHeader];
    QByteArray name;
    for (quint64 i = 0; i < directory.count; ++i) {
        if (cancel && i % kCancelCheck == 0 && cancel->load())
            return failed(QStringLiteral("Reading it was cancelled."));
        const auto damaged = [i] {
            return failed(QStringLiteral("Entry %1 of its directory is damaged.").arg(i + 1));
        };
        if (device.read(header, kEntryHeader) != kEntryHeader ||
            QByteArrayView(header, 4) != QByteArrayView("PK\x01\x02"))
            return damaged();
        const quint16 nameSize = at<quint16>(header, 28);
        const qint64 skip = qint64(at<quint16>(header, 30)) + at<quint16>(header, 32);
        used += quint64(kEntryHeader) + nameSize + quint64(skip);
        if (used > directory.size)
            return damaged();
        name.resize(nameSize);
        if (device.read(name.data(), nameSize) != nameSize)
            return damaged();
        if (skip > 0 && !device.seek(device.pos() + skip))
            return damaged();
        if (!keep || keep(name))
            result.names.append(QString::fromLatin1(name));
    }
    return result;
}

} // namespace

Result read(QIODevice &device, const Keep &keep, const std::atomic_bool *cancel) {
    const qint64 size = device.size();
    if (size < kEndSize)
        return failed(QStringLiteral("The file is too short for a .pk3 archive."));
    Directory directory;
    qint64 endAt = 0;
    if (const QString error = readEnd(device, size, directory, endAt); !error.isEmpty())
        return failed(error);
    if (needsZip64(directory)) {
        if (const QString error = readEnd64(device, endAt, directory); !error.isEmpty())
            return failed(error);
    }
    if (directory.offset > quint64(size) || directory.size > quint64(size) - directory.offset)
        return failed(QStringLiteral("Its directory runs past the end of the file."));
    // Every entry takes 46 bytes at least: a count the directory cannot hold
    // is refused before anything is kept.
    if (directory.count > directory.size / kEntryHeader)
        return failed(QStringLiteral("Its directory claims more entries than it can hold."));
    if (!device.seek(qint64(directory.offset)))
        return failed(QStringLiteral("Its directory cannot be reached."));
    return readEntries(device, directory, keep, cancel);
}

Result readFile(const QString &path, const Keep &keep, const std::atomic_bool *cancel) {
    QFile file;
    if (const QString reason = FileSystem::openRegular(file, path); !reason.isEmpty())
        return failed(QStringLiteral("It cannot be opened: %1.").arg(reason));
    return read(file, keep, cancel);
}

} // namespace Pk3Directory
