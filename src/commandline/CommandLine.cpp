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
    // The program gets a quote that stands inside quotes as \".
    if (!piece.contains(u' ') && !piece.contains(u'"'))
        return piece;
    return u'"' + QString(piece).replace(u'"', QLatin1StringView("\\\"")) + u'"';
}

// A name as the server's console takes it whole: in double quotes when it
// holds a blank or a ";" (the console reads "+exec my server.cfg" as
// "exec my").
QString consoleWord(const QString &name) {
    for (const QChar c : name)
        if (c.unicode() <= u' ' || c == u';')
            return u'"' + name + u'"';
    return name;
}

} // namespace

QString commandLineProblem(const QString &gameLocation, const QString &serverFile,
                           const QString &gameFolder) {
    if (gameLocation.trimmed().isEmpty())
        return QStringLiteral("Locate the game's program first: the command line starts "
                              "with it.");
    if (serverFile.trimmed().isEmpty())
        return QStringLiteral("Name the server file first: the command line has the server "
                              "run it.");
    for (const QString &name : {serverFile, gameFolder})
        if (name.contains(u'"'))
            return QStringLiteral("The name %1 holds a double quote, which the server's console "
                                  "cannot take in a name: rename it without one.")
                .arg(name);
    return {};
}

Shell hostShell() {
    return HostSystem::Current == HostSystem::Kind::Windows ? Shell::Windows : Shell::Posix;
}

QString serverCommandLine(const QString &gameLocation, const QString &serverFile,
                          const QString &port, const QString &gameFolder, Shell shell) {
    QString line = quoted(gameLocation, shell);
    if (!gameFolder.isEmpty())
        line += QLatin1StringView(" +set game ") + quoted(consoleWord(gameFolder), shell);
    return line + QLatin1StringView(" +set dedicated 1 +exec ") +
           quoted(consoleWord(serverFile), shell) + QLatin1StringView(" +set port ") +
           quoted(port, shell);
}

QString executableFilter(Shell shell) {
    if (shell == Shell::Windows)
        return QStringLiteral("Executable Files (*.exe)|*.exe|All Files (*.*)|*.*");
    return QStringLiteral("All Files (*)|*|Executable Files (*.exe)|*.exe");
}
