#include "FolderMaps.h"

#include "PakDirectory.h"
#include "Pk3Directory.h"

#include <QDir>
#include <QDirIterator>
#include <QHash>

#include <algorithm>

namespace MapsOfFolder {
namespace {

ArchiveListing listArchive(const QDir &folder, const QString &fileName) {
    const QString path = folder.filePath(fileName);
    if (fileName.endsWith(QLatin1String(".pk3"), Qt::CaseInsensitive)) {
        const Pk3Directory::Result read = Pk3Directory::readFile(path);
        return {fileName, read.names, read.error};
    }
    const PakDirectory::Result read = PakDirectory::readFile(path);
    QStringList names;
    names.reserve(read.entries.size());
    for (const PakDirectory::Entry &entry : read.entries)
        names.append(entry.name);
    return {fileName, names, read.error};
}

} // namespace

QString mapInArchive(const QString &entry) {
    constexpr qsizetype kFolder = 5; // "maps/"
    constexpr qsizetype kSuffix = 4; // ".bsp"
    if (entry.size() <= kFolder + kSuffix ||
        !entry.startsWith(QLatin1String("maps/"), Qt::CaseInsensitive) ||
        !entry.endsWith(QLatin1String(".bsp"), Qt::CaseInsensitive))
        return {};
    const QString name = entry.mid(kFolder);
    return name.contains(u'/') ? QString() : name;
}

FolderMaps merge(const QStringList &looseMaps, const QList<ArchiveListing> &archives) {
    FolderMaps result;
    QHash<QString, qsizetype> seen; // lower-case name -> index in result.maps
    const auto add = [&](const QString &fileName, const QString &place) {
        const QString key = fileName.toLower();
        const auto found = seen.constFind(key);
        if (found == seen.cend()) {
            seen.insert(key, result.maps.size());
            result.maps.append({fileName, {place}});
        } else if (QStringList &places = result.maps[*found].places; !places.contains(place)) {
            places.append(place);
        }
    };
    for (const QString &loose : looseMaps)
        add(loose, LooseFile);
    for (const ArchiveListing &archive : archives) {
        if (!archive.error.isEmpty()) {
            result.broken.append({archive.fileName, archive.error});
            continue;
        }
        for (const QString &entry : archive.entries)
            if (const QString name = mapInArchive(entry); !name.isEmpty())
                add(name, archive.fileName);
    }
    std::stable_sort(result.maps.begin(), result.maps.end(),
                     [](const FolderMap &a, const FolderMap &b) {
                         return a.fileName.compare(b.fileName, Qt::CaseInsensitive) < 0;
                     });
    return result;
}

FolderMaps read(const QString &folder) {
    // One pass over the folder, hidden entries included (the game's user
    // folder ~/.yq2 is one); merge sorts the maps.
    QStringList loose;
    QStringList archiveNames;
    QStringList subfolders;
    QDirIterator entries(folder, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (entries.fileInfo().isDir())
            subfolders.append(name);
        else if (name.endsWith(QLatin1String(".bsp"), Qt::CaseInsensitive))
            loose.append(name);
        else if (name.endsWith(QLatin1String(".pak"), Qt::CaseInsensitive) ||
                 name.endsWith(QLatin1String(".pk3"), Qt::CaseInsensitive))
            archiveNames.append(name);
    }
    archiveNames.sort();
    QList<ArchiveListing> archives;
    for (const QString &fileName : std::as_const(archiveNames))
        archives.append(listArchive(QDir(folder), fileName));
    FolderMaps result = merge(loose, archives);
    subfolders.sort(Qt::CaseInsensitive);
    result.subfolders = subfolders;
    return result;
}

} // namespace MapsOfFolder
