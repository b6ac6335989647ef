#include "DatagramLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

// Beside the program (as built, and on Windows and macOS), where the package
// installs it, and in the build folder for the tests.
QStringList places() {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir, dir + QStringLiteral("/../" KESTRUNE_INSTALLED_MODULES),
            QStringLiteral(KESTRUNE_BUILT_MODULES)};
}

} // namespace

DatagramLink *DatagramLink::open(Events events, QObject *parent, QString *why) {
    // Loaded once; the library stays loaded while the program runs.
    static const auto [make, error] = [] {
        QLibrary library;
        for (const QString &dir : places()) {
            library.setFileName(QDir(dir).filePath(QStringLiteral("kestrune_udp")));
            if (library.load())
                return std::pair(
                    reinterpret_cast<MakeDatagramLink>(library.resolve(MakeDatagramLinkName)),
                    library.errorString());
        }
        return std::pair(MakeDatagramLink{}, library.errorString());
    }();
    if (!make) {
        *why = error;
        return nullptr;
    }
    return make(std::move(events), parent);
}
