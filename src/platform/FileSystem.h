#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QFile;

// What the tool asks of the file system beyond Qt: nothing here waits on a
// FIFO or a device, and names that are no valid UTF-8 keep their bytes.
//
// Paths are held as QString. A byte of a name that is no valid UTF-8 is held
// as one of the code points U+DC80 to U+DCFF (as Python's "surrogateescape"
// does), so that the path gets its exact bytes back; shown() puts a
// replacement mark in its place. Only the functions here understand such
// paths, so every file system call of the browser and the text files comes
// through them.
namespace FileSystem {

QString decodeName(const QByteArray &bytes);
QByteArray encodeName(const QString &path);
// For the user's eyes: native separators, a replacement mark for each byte
// that is no valid UTF-8.
QString shown(const QString &path);

// The kind of what a path names, links followed.
enum class Kind { Missing, Regular, Folder, Fifo, Socket, Device, Other };
Kind kindOf(const QString &path);
// "a FIFO (named pipe)", "a device", ...: what the path is, in words.
QString kindText(Kind kind);

// Opens an existing file for reading, and only a regular file (links
// followed): a FIFO, socket or device is refused without being waited on.
// Empty when opened, else the reason.
QString openRegular(QFile &file, const QString &path);

struct Entry {
    QString name; // decoded as by decodeName
    Kind kind = Kind::Other;
};
struct Listing {
    QString error; // the system's reason when the folder cannot be read
    QList<Entry> entries;
};
// The folder's entries but "." and "..", hidden ones included, in no order;
// each entry's kind with links followed.
Listing list(const QString &folder);

// What a file to be replaced has, so that its replacement gets the same.
struct Ownership {
    uint owner = 0;
    uint group = 0;
    uint mode = 0;     // permission bits
    quint64 links = 1; // hard links
};
std::optional<Ownership> ownershipOf(const QString &path);
// Gives the open file (the new text, not yet in place) the old one's owner,
// group and mode, as far as this process may; what may not be set is left.
void applyOwnership(int handle, const Ownership &ownership);
// Gives a new file the mode, less what the umask forbids.
void applyNewMode(int handle, uint mode);
// Whether new files may be made in the folder.
bool folderTakesNewFiles(const QString &folder);

} // namespace FileSystem
