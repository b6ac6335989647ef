#pragma once

#include <QString>
#include <QStringList>

// The names in a .pk3 archive, which is a zip archive: only its central
// directory is read, by libzip.
namespace Pk3Directory {

struct Result {
    QString error; // why the archive cannot be read, as a sentence; empty when it can
    QStringList names;
    bool ok() const { return error.isEmpty(); }
};

Result readFile(const QString &path);

} // namespace Pk3Directory
