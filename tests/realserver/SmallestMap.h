#pragma once

#include <QByteArray>
#include <QtEndian>

// A map the server loads: the smallest valid Quake II BSP (version 38), one
// plane, one node between a solid and an empty leaf, one brush, one model,
// and a spot in the empty leaf where a player enters the game. The lumps are
// little-endian bytes; the rest stay empty.
inline QByteArray smallestMap() {
    const QByteArray zeros(32, '\0');
    QByteArray lumps[19];
    lumps[0] = QByteArray("{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" "
                          "\"info_player_deathmatch\"\n\"origin\" \"0 0 -32\"\n}\n") +
               '\0'; // the null character that ends the entities
    lumps[1] = QByteArray::fromHex("00000000 00000000 0000803f 00000000 02000000"); // z = 0
    // A node on plane 0 between leaves 0 and 1, with its bounds.
    lumps[4] = QByteArray::fromHex("00000000 ffffffff feffffff c0ffc0ffc0ff 400040004000 "
                                   "0000 0000");
    lumps[5] = zeros + QByteArray(8, '\0') + QByteArray("e1u1/floor1_1").leftJustified(32, '\0') +
               QByteArray::fromHex("ffffffff"); // a texture information
    // Leaf 0 solid with brush 0, leaf 1 empty: contents, cluster, area, bounds,
    // faces and brushes.
    lumps[8] = QByteArray::fromHex("01000000 ffff 0000 c0ffc0ffc0ff 400040000000 0000 0000 "
                                   "0000 0100 00000000 0000 0100 c0ffc0ff0000 400040004000 "
                                   "0000 0000 0000 0000");
    lumps[10] = QByteArray(2, '\0'); // leaf brush 0
    lumps[13] = QByteArray::fromHex("000080c2 000080c2 000080c2 00008042 00008042 00008042") +
                QByteArray(24, '\0');                              // the model's bounds
    lumps[14] = QByteArray::fromHex("00000000 01000000 01000000"); // brush: first side, sides
    lumps[15] = QByteArray(4, '\0');                               // brush side
    lumps[17] = QByteArray(16, '\0');                              // areas 0 and 1

    QByteArray out = QByteArray::fromHex("49425350 26000000"); // IBSP 38
    qint32 offset = 8 + 19 * 8;
    for (const QByteArray &lump : lumps) {
        for (const qint32 v : {qToLittleEndian(offset), qToLittleEndian(qint32(lump.size()))})
            out += QByteArray(reinterpret_cast<const char *>(&v), 4);
        offset += qint32(lump.size());
    }
    for (const QByteArray &lump : lumps)
        out += lump;
    return out;
}
