// Figures of hostile places, printed as rows for bench/run.sh: the window's
// longest stall (the longest gap of a 1 ms heartbeat on its thread) while the
// map browser lists a .pk3 of 1,000,000 entries and while a file of one 15 MB
// line is imported; the peak memory of listing a sparse 4 GiB .pak beyond
// the idle program's; the time of a keystroke in the largest texts.
#include "mainwindow/frmOutput.h"
#include "maplist/PakDirectory.h"
#include "maplist/frmCreateMaplist.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ModalScript.h"
#include "platform/Program.h"
#include "settings/PublicVars.h"
#include "support/Archives.h"
#include "wizard/WizardController.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

void check(bool done, const char *what) {
    if (!done) {
        std::fprintf(stderr, "benchmark check failed: %s\n", what);
        std::exit(1);
    }
}

void row(const char *what, double value, double target, const char *unit = "s") {
    std::printf("row\t%s\t%.9g\tnan\tabs\t%g\t%s\n", what, value, target, unit);
    std::fflush(stdout);
}

void put(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    check(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), "file written");
}

// The longest time, in seconds, the window's thread gave no turn to a timer.
double longestStall(const std::function<void()> &work) {
    QElapsedTimer sinceBeat;
    qint64 longest = 0;
    QTimer heart;
    heart.setInterval(1);
    QObject::connect(&heart, &QTimer::timeout, &heart, [&] {
        longest = std::max(longest, sinceBeat.nsecsElapsed());
        sinceBeat.restart();
    });
    heart.start();
    sinceBeat.start();
    work();
    longest = std::max(longest, sinceBeat.nsecsElapsed());
    return longest / 1e9;
}

qint64 statusKb(const char *field) {
    QFile f(QStringLiteral("/proc/self/status"));
    check(f.open(QIODevice::ReadOnly), "status read");
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    return -1;
}

QByteArray le(quint64 v, int size) {
    QByteArray bytes(8, '\0');
    qToLittleEndian(v, bytes.data());
    return bytes.left(size);
}

// A zip64 of only its central directory: count entries, two of them maps.
QByteArray bareZip(int count) {
    QByteArray directory;
    const auto entry = [&](const QByteArray &name) {
        directory +=
            "PK\x01\x02" + QByteArray(24, '\0') + le(name.size(), 2) + QByteArray(16, '\0') + name;
    };
    for (int i = 0; i < count - 2; ++i)
        entry("t/" + QByteArray::number(i));
    entry("maps/m1.bsp");
    entry("maps/m2.bsp");
    const quint64 size = quint64(directory.size());
    return directory + "PK\x06\x06" + le(44, 8) + QByteArray(12, '\0') + le(count, 8) +
           le(count, 8) + le(size, 8) + le(0, 8) + "PK\x06\x07" + le(0, 4) + le(size, 8) +
           le(1, 4) + "PK\x05\x06" + le(0, 4) + le(0xFFFF, 2) + le(0xFFFF, 2) + le(0xFFFFFFFF, 4) +
           le(0xFFFFFFFF, 4) + le(0, 2);
}

// The median of nine keystrokes at the end of the text, with all they set
// going (the check of the text runs from a zero timer).
double keystroke(frmOutput &window, const QString &text) {
    window.replaceServerText(text);
    QPlainTextEdit *area = window.txtOutput;
    area->moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(area, Qt::Key_A);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    ModalScript::setScripted(true);
    Program::setEndHandler([] {});
    QTemporaryDir dir;
    check(dir.isValid(), "temporary folder");
    frmOutput window;
    window.show();
    frmCreateMaplist &editor = window.procedures().wizard().maplistEditor();
    QCoreApplication::processEvents();

    QDir(dir.path()).mkpath(QStringLiteral("million"));
    put(dir.filePath(QStringLiteral("million/many.pk3")), bareZip(1000000));
    const double listing = longestStall(
        [&] { check(editor.browse(dir.filePath(QStringLiteral("million"))), "listed"); });
    check(editor.findChild<QListView *>(QStringLiteral("File1"))->model()->rowCount() == 2,
          "the two maps listed");
    row("stall: list a .pk3 of 1,000,000 entries", listing, 0.100);

    put(dir.filePath(QStringLiteral("line.cfg")), QByteArray(15 * 1024 * 1024, 'x'));
    PublicVars::Saved = true;
    FileDialog::scriptAnswer(dir.filePath(QStringLiteral("line.cfg")));
    const double import = longestStall([&] { window.mnuImport->trigger(); });
    check(MessageBox::takeShown().size() == 1, "the import answered");
    row("stall: import one 15 MB line", import, 0.100);

    QDir(dir.path()).mkpath(QStringLiteral("sparse"));
    const QString sparse = dir.filePath(QStringLiteral("sparse/big.pak"));
    put(sparse, Archives::pakHeader(12, 0x80000000u));
    check(::truncate(QFile::encodeName(sparse).constData(), 4LL << 30) == 0, "sparse file");
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    check(clear.open(QIODevice::WriteOnly) && clear.write("5") == 1, "peak memory reset");
    clear.close();
    const qint64 idle = statusKb("VmRSS:");
    check(!PakDirectory::readFile(sparse).ok(), "the claim refused");
    check(editor.browse(dir.filePath(QStringLiteral("sparse"))), "sparse listed");
    row("peak memory: a sparse 4 GiB .pak", double(statusKb("VmHWM:") - idle), 16 * 1024, "KiB");

    // The largest texts File, Open and Import take, and the 15 MB line typed in.
    row("keystroke: one 96 KiB line (the longest opened)",
        keystroke(window, QString(96 * 1024, u'x')), 0.050);
    QString lines;
    for (int i = 0; lines.size() < 1024 * 1024 - 40; ++i)
        lines += QStringLiteral("set sv_line%1 \"%1\"\r\n").arg(i);
    row("keystroke: a 1 MiB file of short lines", keystroke(window, lines), 0.050);
    // Typed or pasted, not opened: what the limit spares.
    row("keystroke: one 1 MiB line (pasted)", keystroke(window, QString(1024 * 1024, u'x')), 0.050);

    return 0;
}
