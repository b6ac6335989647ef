#include "MaplistLine.h"

QString mapName(const QString &text) {
    if (text.endsWith(QLatin1String(".bsp")) || text.endsWith(QLatin1String(".BSP")))
        return text.chopped(4);
    return text;
}

QString maplistLine(const QString &mapBoxText, const QString &minPlayers, const QString &maxPlayers,
                    std::optional<MapOverrides> overrides) {
    QString line = mapName(mapBoxText) + u' ' + minPlayers + u' ' + maxPlayers;
    if (overrides)
        line += QStringLiteral(" %1 %2").arg(overrides->ammoCode).arg(overrides->weaponCode);
    return line;
}
