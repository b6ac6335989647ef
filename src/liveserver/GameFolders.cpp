#include "GameFolders.h"

#include <QDir>
#include <QFileInfo>

namespace GameFolders {

QStringList folders(const QString &program, const QString &gameFolder, const QString &home) {
    QStringList games;
    if (!gameFolder.trimmed().isEmpty() && gameFolder.trimmed() != QLatin1StringView("baseq2"))
        games.append(gameFolder.trimmed());
    games.append(QStringLiteral("baseq2"));
    const QString programFolder = QFileInfo(program).absolutePath();
    QStringList out;
    for (const QString &game : games)
        out.append(QDir::cleanPath(home + QLatin1StringView("/.yq2/") + game));
    for (const QString &game : games)
        out.append(QDir::cleanPath(programFolder + u'/' + game));
    return out;
}

std::optional<QString> execName(const QString &serverFile, const QStringList &folders) {
    // Links resolved on both sides: the engine opens the path it composes.
    const QString file = QFileInfo(serverFile).canonicalFilePath();
    if (file.isEmpty())
        return std::nullopt;
    for (const QString &folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty())
            continue;
        const QString relative = QDir(canonical).relativeFilePath(file);
        // The console splits a name at blanks and ";": such a name cannot be run.
        if (!relative.startsWith(QLatin1StringView("../")) && !relative.contains(u' ') &&
            !relative.contains(u';') && !relative.contains(u'"'))
            return relative;
    }
    return std::nullopt;
}

QString notFoundMessage(const QString &serverFile, const QStringList &folders) {
    return QStringLiteral("The server runs its file by +exec from its game folders, and %1 "
                          "lies in none of them (or its name has a blank). Save it into one of "
                          "these folders and start again:\n\n%2")
        .arg(QDir::toNativeSeparators(serverFile), QDir::toNativeSeparators(folders.join(u'\n')));
}

} // namespace GameFolders
