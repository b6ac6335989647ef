#include "maplist/FolderMaps.h"
#include "maplist/MaplistModel.h"
#include "maplist/PakDirectory.h"
#include "support/Archives.h"
#include "support/FileBytes.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

class TestMapFolders : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // The directory as written, and nothing of the files' contents; an entry
    // that runs past the file's end is refused.
    void readsThePakDirectory() {
        QByteArray bytes = Archives::pak({"maps/q2dm1.bsp", "pics/colormap.pcx"}, 5);
        QBuffer device(&bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const PakDirectory::Result read = PakDirectory::read(device);
        QCOMPARE(read.entries.size(), 2);
        QCOMPARE(read.entries[1].name, QStringLiteral("pics/colormap.pcx"));
        QCOMPARE(read.entries[1].offset, 17u);
        QCOMPARE(read.entries[1].length, 5u);
        QCOMPARE(device.pos(), bytes.size()); // the directory is the last thing read
        qToLittleEndian(quint32(bytes.size() - 16), bytes.data() + bytes.size() - 4);
        QVERIFY(PakDirectory::read(device).error.contains(QLatin1String("2 (pics/colormap.pcx)")));
    }

    // Only a .bsp right in maps/, in any letter case, is a map.
    void mapEntries() {
        QStringList found;
        for (const char *entry : {"MAPS/BASE1.BSP", "maps/sub/x.bsp", "maps/.bsp", "textures/x.bsp",
                                  "maps/q2dm1.ent", "q2dm1.bsp"})
            found.append(MapsOfFolder::mapInArchive(QString::fromLatin1(entry)));
        QCOMPARE(found.join(u'|'), QStringLiteral("BASE1.BSP|||||"));
    }

    // Each map once, by name in any case, with every place it lies in; a
    // broken archive apart, a folder named like an archive a folder.
    void readsAFolder() {
        QDir(m_dir.path()).mkpath("game/maps.pak");
        QDir(m_dir.path()).mkpath("game/.Hidden");
        FileBytes::put(path("game/pak0.PAK"),
                       Archives::pak({"maps/Q2DM1.bsp", "maps/base1.bsp", "pics/x.pcx"}));
        QVERIFY(Archives::writePk3(path("game/extra.pk3"), {"maps/q2dm1.bsp", "MAPS/ALPHA.BSP"}));
        FileBytes::put(path("game/q2dm1.BSP"), "x");
        FileBytes::put(path("game/bad.pak"), "PACK");
        const FolderMaps maps = MapsOfFolder::read(path("game"));
        QStringList shown;
        for (const FolderMap &map : maps.maps)
            shown.append(map.fileName + u':' + map.places.join(u','));
        QCOMPARE(shown, QStringList({"ALPHA.BSP:extra.pk3", "base1.bsp:pak0.PAK",
                                     "q2dm1.BSP:,extra.pk3,pak0.PAK"}));
        QCOMPARE(maps.broken.size(), 1);
        QCOMPARE(maps.broken[0].fileName, QStringLiteral("bad.pak"));
        QCOMPARE(maps.subfolders, QStringList({".Hidden", "maps.pak"}));
    }

    // Up, down, to either end; past an end nothing moves.
    void movesLines() {
        static const struct {
            int from, to;
            bool moved;
            const char *after;
        } rows[] = {{2, 1, true, "acbd"}, {1, 2, true, "acbd"},   {3, 0, true, "dabc"},
                    {0, 3, true, "bcda"}, {0, -1, false, "abcd"}, {3, 4, false, "abcd"}};
        for (const auto &row : rows) {
            MaplistModel model;
            model.appendLines({"a", "b", "c", "d"});
            QCOMPARE(model.moveLine(row.from, row.to), row.moved);
            QCOMPARE(model.lines().join(QString()), QLatin1String(row.after));
        }
    }
};

QTEST_GUILESS_MAIN(TestMapFolders)
#include "test_mapfolders.moc"
