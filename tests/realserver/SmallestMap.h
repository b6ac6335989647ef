#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstring>

// A map the server loads: the smallest valid Quake II BSP (version 38), one
// plane, one node between a solid and an empty leaf, one brush, one model,
// and a spot in the empty leaf where a player enters the game.
inline QByteArray smallestMap() {
    QByteArray lumps[19];
    const auto i32 = [](QByteArray &out, qint32 v) {
        out.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 4);
    };
    const auto i16 = [](QByteArray &out, qint16 v) {
        out.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 2);
    };
    const auto f32 = [&i32](QByteArray &out, float v) {
        qint32 bits;
        std::memcpy(&bits, &v, 4);
        i32(out, bits);
    };
    lumps[0] =
        QByteArray("{\n\"classname\" \"worldspawn\"\n}\n"
                   "{\n\"classname\" \"info_player_deathmatch\"\n\"origin\" \"0 0 -32\"\n}\n");
    lumps[0].append('\0');               // the entities end with a null character
    for (float v : {0.f, 0.f, 1.f, 0.f}) // plane: normal and distance
        f32(lumps[1], v);
    i32(lumps[1], 2);            // PLANE_Z
    for (qint32 v : {0, -1, -2}) // node: plane, then leaves 0 and 1
        i32(lumps[4], v);
    for (qint16 v : {-64, -64, -64, 64, 64, 64, 0, 0})
        i16(lumps[4], v);
    for (int i = 0; i < 8; ++i) // texture information
        f32(lumps[5], 0);
    i32(lumps[5], 0);
    i32(lumps[5], 0);
    lumps[5].append(QByteArray("e1u1/floor1_1").leftJustified(32, '\0'));
    i32(lumps[5], -1);
    // Leaf 0 solid with brush 0, leaf 1 empty.
    i32(lumps[8], 1);
    for (qint16 v : {-1, 0, -64, -64, -64, 64, 64, 0, 0, 0, 0, 1})
        i16(lumps[8], v);
    i32(lumps[8], 0);
    for (qint16 v : {0, 1, -64, -64, 0, 64, 64, 64, 0, 0, 0, 0})
        i16(lumps[8], v);
    i16(lumps[10], 0);                                                     // leaf brush
    for (float v : {-64.f, -64.f, -64.f, 64.f, 64.f, 64.f, 0.f, 0.f, 0.f}) // model
        f32(lumps[13], v);
    for (qint32 v : {0, 0, 0})
        i32(lumps[13], v);
    for (qint32 v : {0, 1, 1}) // brush: first side, sides, solid
        i32(lumps[14], v);
    i16(lumps[15], 0); // brush side: plane, texture information
    i16(lumps[15], 0);
    for (qint32 v : {0, 0, 0, 0}) // areas 0 and 1
        i32(lumps[17], v);

    QByteArray out("IBSP");
    i32(out, 38);
    qint32 offset = 8 + 19 * 8;
    for (const QByteArray &lump : lumps) {
        i32(out, offset);
        i32(out, qint32(lump.size()));
        offset += qint32(lump.size());
    }
    for (const QByteArray &lump : lumps)
        out += lump;
    return out;
}
