#include "CommandLine.h"

QString serverCommandLine(const QString &gameLocation, const QString &serverFile,
                          const QString &port) {
    const QString location =
        gameLocation.contains(u' ') ? u'"' + gameLocation + u'"' : gameLocation;
    return location + QLatin1String(" + set dedicated 1 + exec ") + serverFile +
           QLatin1String(" + set port ") + port;
}
