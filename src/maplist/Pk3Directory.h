#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class QIODevice;

// The names in a .pk3 archive, which is a zip archive: only its central
// directory is read, entry by entry, so that an archive of any size costs no
// more memory than the names kept. Zip64 archives are read as well.
namespace Pk3Directory {

struct Result {
    QString error; // why the archive cannot be read, as a sentence; empty when it can
    // Each byte of a name as one Latin-1 character, so that a name that is no
    // valid UTF-8 keeps its bytes.
    QStringList names;
    bool ok() const { return error.isEmpty(); }
};

// Which names to keep (given their bytes); all of them when empty.
using Keep = std::function<bool(QByteArrayView)>;

Result read(QIODevice &device, const Keep &keep = {}, const std::atomic_bool *cancel = nullptr);
// Only a regular file is opened: a FIFO or device is refused unread.
Result readFile(const QString &path, const Keep &keep = {},
                const std::atomic_bool *cancel = nullptr);

} // namespace Pk3Directory
