#include "maplist/FolderMaps.h"
#include "maplist/MaplistModel.h"
#include "maplist/PakDirectory.h"
#include "maplist/Pk3Directory.h"
#include "maplist/StartFolders.h"
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
    // The directory as written, and nothing of the files' contents.
    void readsThePakDirectory() {
        QByteArray bytes = Archives::pak({"maps/q2dm1.bsp", "pics/colormap.pcx"}, 5);
        QBuffer device(&bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const PakDirectory::Result read = PakDirectory::read(device);
        QVERIFY2(read.ok(), qPrintable(read.error));
        QCOMPARE(read.entries.size(), 2);
        QCOMPARE(read.entries[1].name, QStringLiteral("pics/colormap.pcx"));
        QCOMPARE(read.entries[1].offset, 17u);
        QCOMPARE(read.entries[1].length, 5u);
        QCOMPARE(device.pos(), bytes.size()); // the directory is the last thing read

        QByteArray empty = Archives::pakHeader(12, 0);
        QBuffer emptyDevice(&empty);
        QVERIFY(emptyDevice.open(QIODevice::ReadOnly));
        QVERIFY(PakDirectory::read(emptyDevice).ok());
        QVERIFY(!PakDirectory::readFile(path("missing.pak")).ok());
    }

    void readsThePk3Directory() {
        QVERIFY(Archives::writePk3(path("a.pk3"), {"maps/ktctf1.bsp", "textures/x.wal"}));
        const Pk3Directory::Result read = Pk3Directory::readFile(path("a.pk3"));
        QCOMPARE(read.names, QStringList({"maps/ktctf1.bsp", "textures/x.wal"}));
        FileBytes::put(path("b.pk3"), "PK\x03\x04 but no zip");
        QVERIFY(!Pk3Directory::readFile(path("b.pk3")).error.isEmpty());
    }

    // Only a .bsp right in maps/, in any letter case, is a map.
    void mapEntries() {
        static const char *const rows[][2] = {{"maps/q2dm1.bsp", "q2dm1.bsp"},
                                              {"MAPS/BASE1.BSP", "BASE1.BSP"},
                                              {"Maps/Ktctf1.Bsp", "Ktctf1.Bsp"},
                                              {"maps/sub/x.bsp", ""},
                                              {"maps/.bsp", ""},
                                              {"textures/x.bsp", ""},
                                              {"maps/q2dm1.ent", ""},
                                              {"q2dm1.bsp", ""}};
        for (const auto &[entry, map] : rows)
            QCOMPARE(MapsOfFolder::mapInArchive(QString::fromLatin1(entry)), QLatin1String(map));
    }

    // Each map once, by name in any case, with every place it lies in.
    void mergesLooseAndArchivedMaps() {
        const FolderMaps maps = MapsOfFolder::merge(
            {"q2dm1.bsp", "Zed.BSP"},
            {{"pak0.pak", {"maps/Q2DM1.bsp", "maps/base1.bsp", "pics/x.pcx"}, {}},
             {"pak1.pak", {}, "Broken."},
             {"z.pk3", {"maps/q2dm1.bsp", "maps/base1.bsp", "MAPS/ALPHA.BSP"}, {}}});
        QStringList shown;
        for (const FolderMap &map : maps.maps)
            shown.append(map.fileName + u':' + map.places.join(u','));
        QCOMPARE(shown, QStringList({"ALPHA.BSP:z.pk3", "base1.bsp:pak0.pak,z.pk3",
                                     "q2dm1.bsp:,pak0.pak,z.pk3", "Zed.BSP:"}));
        QCOMPARE(maps.broken.size(), 1);
        QCOMPARE(maps.broken[0].fileName, QStringLiteral("pak1.pak"));
        QCOMPARE(maps.broken[0].reason, QStringLiteral("Broken."));
    }

    void readsAFolder() {
        QDir(m_dir.path()).mkpath("game/maps.pak"); // a folder, not an archive
        QDir(m_dir.path()).mkpath("game/.Hidden");
        FileBytes::put(path("game/pak0.PAK"), Archives::pak({"maps/base1.bsp"}));
        QVERIFY(Archives::writePk3(path("game/extra.pk3"), {"maps/q2dm1.bsp"}));
        FileBytes::put(path("game/q2dm1.BSP"), "x");
        FileBytes::put(path("game/bad.pak"), "PACK");
        const FolderMaps maps = MapsOfFolder::read(path("game"));
        QCOMPARE(maps.maps.size(), 2);
        QCOMPARE(maps.maps[0].fileName, QStringLiteral("base1.bsp"));
        QCOMPARE(maps.maps[1].places, QStringList({MapsOfFolder::LooseFile, "extra.pk3"}));
        QCOMPARE(maps.broken.size(), 1);
        QCOMPARE(maps.broken[0].fileName, QStringLiteral("bad.pak"));
        QCOMPARE(maps.subfolders, QStringList({".Hidden", "maps.pak"}));
    }

    // The first of the places that exists, else the fallback.
    void firstStartFolder() {
        const auto exists = [](const QString &path) { return path.contains("quake2/"); };
        QCOMPARE(StartFolders::first({"a", "b/quake2/x", "c/quake2/y"}, exists, "here"),
                 QStringLiteral("b/quake2/x"));
        QCOMPARE(StartFolders::first({"a", "b"}, exists, "here"), QStringLiteral("here"));
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
