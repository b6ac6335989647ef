#include "StartFolders.h"

namespace StartFolders {
namespace {

enum class Where { Everywhere, WindowsOnly, UnixOnly };

struct Row {
    Where where;
    bool underHome; // the path is relative to the home folder
    const char *path;
};

// The one table of start folders, in the order they are tried.
constexpr Row kRows[] = {
    {Where::WindowsOnly, false, "c:\\quake2"},
    {Where::Everywhere, true, ".yq2/baseq2"}, // Yamagi Quake II's user folder
    {Where::Everywhere, true, ".quake2/baseq2"},
    {Where::UnixOnly, false, "/usr/share/games/quake2/baseq2"},
    {Where::UnixOnly, false, "/usr/lib/yamagi-quake2/baseq2"},
    {Where::Everywhere, true, ".steam/steam/steamapps/common/Quake 2/baseq2"},
    {Where::WindowsOnly, false,
     "C:\\Program Files (x86)\\Steam\\steamapps\\common\\Quake 2\\baseq2"},
    {Where::WindowsOnly, false, "C:\\Program Files (x86)\\GOG Galaxy\\Games\\Quake II\\baseq2"},
};

} // namespace

QStringList candidates(const QString &home, System system) {
    QStringList paths;
    for (const Row &row : kRows) {
        if ((row.where == Where::WindowsOnly && system != System::Windows) ||
            (row.where == Where::UnixOnly && system != System::Unix))
            continue;
        const QString path = QString::fromLatin1(row.path);
        paths.append(row.underHome ? home + u'/' + path : path);
    }
    return paths;
}

QString first(const QStringList &candidates,
              const std::function<bool(const QString &)> &folderExists, const QString &fallback) {
    for (const QString &candidate : candidates)
        if (folderExists(candidate))
            return candidate;
    return fallback;
}

} // namespace StartFolders
