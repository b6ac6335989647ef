#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Where the map browser starts: the game's folder of today's usual
// installations, the first of them that exists.
namespace StartFolders {

enum class System { Windows, Unix };

#ifdef Q_OS_WIN
inline constexpr System ThisSystem = System::Windows;
#else
inline constexpr System ThisSystem = System::Unix;
#endif

// The folders to try, in order, for the given home folder and system.
QStringList candidates(const QString &home, System system);

// The first candidate for which folderExists holds, else the fallback.
QString first(const QStringList &candidates,
              const std::function<bool(const QString &)> &folderExists, const QString &fallback);

} // namespace StartFolders
