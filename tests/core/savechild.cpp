// The child process of the killed-save test: composes one version of the large
// text, says so on its standard output, then saves it over the given file.
// Usage: savechild <path> <A|B>

#include "platform/TextFile.h"
#include "support/KilledSaveText.h"

#include <QString>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString text = KilledSave::text(QLatin1Char(argv[2][0]));
    // The parent kills from here on.
    std::fputs("writing\n", stdout);
    std::fflush(stdout);
    const auto result = TextFile::write(path, text);
    if (!result.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}
