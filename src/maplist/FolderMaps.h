#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The maps a folder offers: its loose .bsp files and the maps/NAME.bsp entries
// of its .pak and .pk3 archives, all in any letter case. A map found in
// several places is one map that remembers each place.
struct FolderMap {
    QString fileName;   // as the map box takes it: "q2dm1.bsp"
    QStringList places; // where it lies, in the order found: LooseFile or an archive's file name
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

// "maps/NAME.bsp" (any letter case) gives "NAME.bsp"; any other entry nothing.
QString mapInArchive(const QString &entry);

// Loose files first, then the archives in the order given.
FolderMaps merge(const QStringList &looseMaps, const QList<ArchiveListing> &archives);

// Reads the folder, its subfolders' names and the directory of each of its
// archives, in one pass over the folder.
FolderMaps read(const QString &folder);

} // namespace MapsOfFolder
