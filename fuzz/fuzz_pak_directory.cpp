// Reads the directory of a .pak archive from arbitrary bytes, as the map
// browser does for every archive of a folder it shows.

#include "FuzzCheck.h"
#include "maplist/PakDirectory.h"

#include <QBuffer>
#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const char *bytes = reinterpret_cast<const char *>(data);
    QBuffer device;
    device.setData(bytes, qsizetype(size));
    device.open(QIODevice::ReadOnly);
    const PakDirectory::Result read = PakDirectory::read(device);
    if (!read.ok()) {
        FUZZ_CHECK(read.entries.isEmpty());
        return 0;
    }
    // Accepted: the header is whole and names a directory of whole entries
    // inside the file, which was the last thing read.
    FUZZ_CHECK(size >= 12 && std::memcmp(bytes, "PACK", 4) == 0);
    const qint64 offset = qFromLittleEndian<quint32>(bytes + 4);
    const qint64 length = qFromLittleEndian<quint32>(bytes + 8);
    FUZZ_CHECK(length % 64 == 0 && offset + length <= qint64(size));
    FUZZ_CHECK(read.entries.size() == length / 64);
    FUZZ_CHECK(device.pos() == offset + length);
    // Each entry is its 64 bytes: the name up to its NUL, then the file's
    // offset and length, and the file lies inside the archive.
    for (qsizetype i = 0; i < read.entries.size(); ++i) {
        const char *entry = bytes + offset + 64 * i;
        const PakDirectory::Entry &e = read.entries[i];
        FUZZ_CHECK(e.name.size() < 56 &&
                   e.name == QString::fromLatin1(entry, qsizetype(strnlen(entry, 56))));
        FUZZ_CHECK(e.offset == qFromLittleEndian<quint32>(entry + 56));
        FUZZ_CHECK(e.length == qFromLittleEndian<quint32>(entry + 60));
        FUZZ_CHECK(qint64(e.offset) + e.length <= qint64(size));
    }
    return 0;
}
