#pragma once

#include <QString>

// The shell a command line is written for: a POSIX shell on Linux and macOS,
// the Windows command line elsewhere.
enum class Shell { Posix, Windows };
Shell hostShell();

// The command that starts the game as a dedicated server running a server
// file on a port, for pasting into a shortcut or a shell. Each piece is
// quoted the way the shell needs it, so that the shell hands it over whole:
// on Windows a piece with a blank stands in double quotes; for a POSIX shell a
// piece with any character the shell treats specially stands in single
// quotes. A game folder, when given, follows the executable, for the
// modification's server runs only in its own folder. The server file and
// the game folder are quoted for the server's console as well, when they hold
// a blank or a ";".
QString serverCommandLine(const QString &gameLocation, const QString &serverFile,
                          const QString &port, const QString &gameFolder = QString(),
                          Shell shell = hostShell());

// Why no working command line can be made of these, in a sentence for the
// administrator; empty when one can.
QString commandLineProblem(const QString &gameLocation, const QString &serverFile,
                           const QString &gameFolder);

// The filter of Locate for the game's executable: programs first, and where
// programs have no ".exe", every file first.
QString executableFilter(Shell shell = hostShell());
