#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Where the engine (Yamagi Quake II) looks for a file that "+exec" names: its
// game folders, in the home folder's .yq2 and beside the program (the server
// runs in the program's folder), the modification's before the base game's.
namespace GameFolders {

QStringList folders(const QString &program, const QString &gameFolder, const QString &home);

// The name "+exec" takes for the file, relative to the game folder that holds
// it; nothing when it lies in none of them.
std::optional<QString> execName(const QString &serverFile, const QStringList &folders);

// The plain message when the file lies in none of them.
QString notFoundMessage(const QString &serverFile, const QStringList &folders);

} // namespace GameFolders
