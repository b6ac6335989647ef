#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

// The maps a folder offers: its loose .bsp files, those of its maps folder
// (a game folder such as baseq2 keeps them there) and the maps/NAME.bsp
// entries of its .pak and .pk3 archives, all in any letter case. A map found
// in several places is one map that remembers each place.
struct FolderMap {
    // As the map box takes it, "q2dm1.bsp": each byte of the name as one
    // Latin-1 character, so that the maplist holds the bytes the game looks
    // for, also where the name is no valid UTF-8.
    QString fileName;
    QStringList places; // where it lies, in the order found: LooseFile, MapsFolder or an archive's
                        // file name

    // The name for the user's eyes: UTF-8, with a replacement mark for a
    // byte that is none.
    QString shownName() const { return QString::fromUtf8(fileName.toLatin1()); }
};

struct BrokenArchive {
    QString fileName;
    QString reason; // a sentence
};

struct FolderMaps {
    QList<FolderMap> maps;       // by file name, letter case ignored
    QList<BrokenArchive> broken; // in the order given
    QStringList subfolders;      // by name, letter case ignored; filled by read only
};

// One archive as read: its file name and entry names, or why it cannot be read.
struct ArchiveListing {
    QString fileName;
    QStringList entries;
    QString error;
};

namespace MapsOfFolder {

// The place of a map that lies in the folder itself.
inline const QString LooseFile;
// The place of a map that lies in the folder's maps folder.
inline const QString MapsFolder = QStringLiteral("maps/");

// "maps/NAME.bsp" (any letter case) gives "NAME.bsp"; any other entry nothing.
QString mapInArchive(const QString &entry);

// Loose files first, then those of the maps folder, then the archives in the
// order given.
FolderMaps merge(const QStringList &looseMaps, const QList<ArchiveListing> &archives,
                 const QStringList &mapsFolderMaps = {});

// Reads the folder, its subfolders' names, its maps folder and the directory
// of each of its archives. Stops early, with an empty result, once cancel is
// set. error holds the system's reason when the folder cannot be read.
FolderMaps read(const QString &folder, const std::atomic_bool *cancel = nullptr,
                QString *error = nullptr);

} // namespace MapsOfFolder
