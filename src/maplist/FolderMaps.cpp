#include "FolderMaps.h"

#include "PakDirectory.h"
#include "Pk3Directory.h"

#include "platform/FileSystem.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace MapsOfFolder {
namespace {

QString asBytes(const QString &decodedName) {
    return QString::fromLatin1(FileSystem::encodeName(decodedName));
}

bool isMapFile(const FileSystem::Entry &entry) {
    return entry.kind == FileSystem::Kind::Regular &&
           entry.name.endsWith(QLatin1String(".bsp"), Qt::CaseInsensitive);
}

bool isMapEntry(QByteArrayView entry) {
    return entry.size() > 9 && entry.first(5).compare("maps/", Qt::CaseInsensitive) == 0 &&
           entry.last(4).compare(".bsp", Qt::CaseInsensitive) == 0 &&
           !entry.sliced(5).contains('/');
}

ArchiveListing listArchive(const QString &folder, const QString &fileName,
                           const std::atomic_bool *cancel) {
    const QString path = folder + u'/' + fileName;
    if (fileName.endsWith(QLatin1String(".pk3"), Qt::CaseInsensitive)) {
        // Only the maps are kept: a million other entries cost nothing.
        const Pk3Directory::Result read = Pk3Directory::readFile(path, isMapEntry, cancel);
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

FolderMaps merge(const QStringList &looseMaps, const QList<ArchiveListing> &archives,
                 const QStringList &mapsFolderMaps) {
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
    for (const QString &inMaps : mapsFolderMaps)
        add(inMaps, MapsFolder);
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

FolderMaps read(const QString &folder, const std::atomic_bool *cancel, QString *error) {
    const auto cancelled = [cancel] { return cancel && cancel->load(); };
    const FileSystem::Listing listing = FileSystem::list(folder);
    if (error)
        *error = listing.error;
    QStringList loose;
    QStringList archiveNames;
    QStringList subfolders;
    QString mapsFolder;
    for (const FileSystem::Entry &entry : listing.entries) {
        const QString &name = entry.name;
        if (entry.kind == FileSystem::Kind::Folder) {
            subfolders.append(name);
            if (name.compare(QLatin1String("maps"), Qt::CaseInsensitive) == 0)
                mapsFolder = name;
        } else if (isMapFile(entry)) {
            loose.append(asBytes(name));
        } else if (name.endsWith(QLatin1String(".pak"), Qt::CaseInsensitive) ||
                   name.endsWith(QLatin1String(".pk3"), Qt::CaseInsensitive)) {
            archiveNames.append(name); // a FIFO so named is refused, and said so
        }
    }
    QStringList inMapsFolder;
    if (!mapsFolder.isEmpty())
        for (const FileSystem::Entry &entry : FileSystem::list(folder + u'/' + mapsFolder).entries)
            if (isMapFile(entry))
                inMapsFolder.append(asBytes(entry.name));
    archiveNames.sort();
    QList<ArchiveListing> archives;
    for (const QString &fileName : std::as_const(archiveNames)) {
        if (cancelled())
            return {};
        archives.append(listArchive(folder, fileName, cancel));
    }
    if (cancelled())
        return {};
    FolderMaps result = merge(loose, archives, inMapsFolder);
    subfolders.sort(Qt::CaseInsensitive);
    result.subfolders = subfolders;
    return result;
}

} // namespace MapsOfFolder
