#include "ServerSettings.h"

QString highScorerLine(QStringView value) {
    return QStringLiteral("set highscorer ") + value.toString();
}
