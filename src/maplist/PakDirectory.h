#pragma once

#include <QList>
#include <QString>

class QIODevice;

// The directory of a Quake II .pak archive: a 12-byte header ("PACK", then the
// directory's offset and length, little-endian 32-bit), and at that offset one
// 64-byte entry per file (a NUL-padded 56-byte name, the file's offset and
// length). Only the header and the directory are read, the directory in pieces
// of a bounded size; every number is checked against the file's size and the
// entry count the game accepts before anything is read or allocated.
namespace PakDirectory {

inline constexpr qint64 HeaderSize = 12;
inline constexpr qint64 EntrySize = 64;
inline constexpr qint64 NameSize = 56;
// Quake II (Yamagi 8.20 as well) says a .pak of more entries is over its limit.
inline constexpr qint64 MaxEntries = 4096;

struct Entry {
    QString name; // a path with "/", each byte one Latin-1 character
    quint32 offset = 0;
    quint32 length = 0;
};

struct Result {
    QString error; // why the archive cannot be read, as a sentence; empty when it can
    QList<Entry> entries;
    bool ok() const { return error.isEmpty(); }
};

Result read(QIODevice &device);
// Only a regular file is opened: a FIFO or device is refused unread.
Result readFile(const QString &path);

} // namespace PakDirectory
