#include "MaplistLine.h"

#include <algorithm>

QString mapName(const QString &text) {
    if (text.endsWith(QLatin1String(".bsp")) || text.endsWith(QLatin1String(".BSP")))
        return text.chopped(4);
    return text;
}

QString splittingMapName(const QString &mapBoxText) {
    const QString name = mapName(mapBoxText);
    // A plain walk: a map is added many times in a row, once per click.
    const auto at = std::find_if(name.cbegin(), name.cend(),
                                 [](QChar c) { return c.unicode() <= 0x20 || c == u';'; });
    if (at == name.cend())
        return {};
    const QChar c = *at;
    const QString what = c == u' '                  ? QStringLiteral("a blank")
                         : c == u'\t'               ? QStringLiteral("a tab")
                         : c == u';'                ? QStringLiteral("a \";\"")
                         : c == u'\r' || c == u'\n' ? QStringLiteral("a line break")
                                                    : QStringLiteral("a control character");
    QString shown = name;
    shown.replace(u'\t', QLatin1String("\\t"))
        .replace(u'\r', QLatin1String("\\r"))
        .replace(u'\n', QLatin1String("\\n"));
    return QStringLiteral("The map name \"%1\" holds %2, which would split its line in the "
                          "maplist. Nothing was added.")
        .arg(shown, what);
}

QString maplistLine(const QString &mapBoxText, const QString &minPlayers, const QString &maxPlayers,
                    std::optional<MapOverrides> overrides) {
    QString line = mapName(mapBoxText) + u' ' + minPlayers + u' ' + maxPlayers;
    if (overrides)
        line += QStringLiteral(" %1 %2").arg(overrides->ammoCode).arg(overrides->weaponCode);
    return line;
}

QStringList maplistFields(const QString &line) {
    constexpr int kFields = 5;
    QStringList fields = line.split(u' ');
    if (fields.size() > kFields) {
        const QString rest = fields.mid(kFields - 1).join(u' ');
        fields.resize(kFields - 1);
        fields.append(rest);
    }
    fields.resize(kFields);
    return fields;
}
