// Reads the central directory of a .pk3 (zip) archive from arbitrary bytes,
// as the map browser does for every archive of a folder it shows.

#include "FuzzCheck.h"
#include "maplist/Pk3Directory.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QBuffer device;
    device.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    device.open(QIODevice::ReadOnly);
    const Pk3Directory::Result all = Pk3Directory::read(device);
    if (!all.ok()) {
        FUZZ_CHECK(all.names.isEmpty());
        return 0;
    }
    // Accepted: the end record fits, and every name came with its own 46-byte
    // header and its bytes inside the file.
    FUZZ_CHECK(size >= 22);
    qint64 nameBytes = 0;
    for (const QString &name : all.names)
        nameBytes += name.size();
    FUZZ_CHECK(qint64(all.names.size()) * 46 + nameBytes <= qint64(size));

    // Reading again with a filter keeps exactly the names it accepts, in order.
    const auto isMap = [](QByteArrayView name) { return name.endsWith(".bsp"); };
    device.seek(0);
    const Pk3Directory::Result maps = Pk3Directory::read(device, isMap);
    FUZZ_CHECK(maps.ok());
    QStringList expected;
    for (const QString &name : all.names)
        if (isMap(name.toLatin1()))
            expected.append(name);
    FUZZ_CHECK(maps.names == expected);
    return 0;
}
