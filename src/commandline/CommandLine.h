#pragma once

#include <QString>

// The command that starts the game as a dedicated server running a server
// file on a port. A location with a blank is quoted, so that the line runs
// when pasted into a shortcut or a shell; nothing else is changed or checked.
QString serverCommandLine(const QString &gameLocation, const QString &serverFile,
                          const QString &port);
