#include "CommandLine.h"

#include "platform/HostSystem.h"

namespace {

// Characters a POSIX shell takes as they are, wherever they stand in a word.
bool plainForPosix(QChar c) {
    return c.isLetterOrNumber() || QStringView(u"_-./:@%+,").contains(c) || c.unicode() >= 0x80;
}

QString posixQuoted(const QString &piece) {
    bool plain = true;
    for (const QChar c : piece)
        plain = plain && plainForPosix(c);
    if (plain)
        return piece;
    QString out = piece;
    out.replace(u'\'', QLatin1StringView("'\\''"));
    return u'\'' + out + u'\'';
}

QString quoted(const QString &piece, Shell shell) {
    if (shell == Shell::Posix)
        return posixQuoted(piece);
    return piece.contains(u' ') ? u'"' + piece + u'"' : piece;
}

} // namespace

Shell hostShell() {
    return HostSystem::Current == HostSystem::Kind::Windows ? Shell::Windows : Shell::Posix;
}

QString serverCommandLine(const QString &gameLocation, const QString &serverFile,
                          const QString &port, const QString &gameFolder, Shell shell) {
    QString line = quoted(gameLocation, shell);
    if (!gameFolder.isEmpty())
        line += QLatin1StringView(" +set game ") + quoted(gameFolder, shell);
    return line + QLatin1StringView(" +set dedicated 1 +exec ") + quoted(serverFile, shell) +
           QLatin1StringView(" +set port ") + quoted(port, shell);
}

QString executableFilter(Shell shell) {
    if (shell == Shell::Windows)
        return QStringLiteral("Executable Files (*.exe)|*.exe|All Files (*.*)|*.*");
    return QStringLiteral("All Files (*)|*|Executable Files (*.exe)|*.exe");
}
