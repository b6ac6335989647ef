#pragma once

#include "platform/HostSystem.h"

#include <QString>
#include <QStringList>

#include <functional>

// Where the map browser starts: the game's folder of today's usual
// installations, the first of them that exists.
namespace StartFolders {

using System = HostSystem::Kind;
inline constexpr System ThisSystem = HostSystem::Current;

// The folders to try, in order, for the given home folder and system.
QStringList candidates(const QString &home, System system);

// The first candidate for which folderExists holds, else the fallback.
QString first(const QStringList &candidates,
              const std::function<bool(const QString &)> &folderExists, const QString &fallback);

} // namespace StartFolders
