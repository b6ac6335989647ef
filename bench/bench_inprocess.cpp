// In-process figures: each one the median of many timed repetitions, printed
// as rows for bench/run.sh: what, the project's median, the baseline's median
// (or nan), the kind of target and its value. Times are in seconds.
#include "mainwindow/frmOutput.h"
#include "maplist/MaplistModel.h"
#include "maplist/frmCreateMaplist.h"
#include "platform/FileDialog.h"
#include "platform/ModalScript.h"
#include "platform/Program.h"
#include "platform/TextFile.h"
#include "serverfile/ConsoleCheck.h"
#include "serverfile/GeneratedLines.h"
#include "serverfile/ServerFileComposer.h"
#include "serverfile/ServerFileFormat.h"
#include "settings/PublicVars.h"
#include "support/Archives.h"
#include "support/ExpectedFiles.h"
#include "wizard/WizardController.h"
#include "wizard/WizardPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Each in-process figure is the median of this many timed calls.
constexpr int kCalls = 1000;

// A figure is only worth printing if the work it timed was really done.
void check(bool done, const char *what) {
    if (!done) {
        std::fprintf(stderr, "benchmark check failed: %s\n", what);
        std::exit(1);
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double timed(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

double medianOf(int repetitions, const std::function<void()> &prepare,
                const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        times.push_back(timed(work));
    }
    return median(times);
}

void row(const char *what, double project, double baseline, const char *kind, double target) {
    std::printf("row\t%s\t%.9g\t%.9g\t%s\t%g\n", what, project, baseline, kind, target);
    std::fflush(stdout);
}

void composeFigure() {
    ServerSettingsRecord s;
    QStringList values;
    for (int i = 0; i < RawCode::FieldCount; ++i)
        values.append(QStringLiteral("value %1 of the record").arg(i));
    RawCode::restore(s, values);
    const QString time = QStringLiteral("12/7/2026 3:04:05 PM");
    std::vector<double> times;
    qsizetype sink = 0;
    for (int i = 0; i < 20000; ++i)
        times.push_back(timed([&] { sink += composeServerFile(s, time).size(); }));
    row("compose one server file", median(times), NAN, "abs", 10e-6);
    if (sink == 0)
        std::puts("unreachable");
}

void openFigure(const QTemporaryDir &dir) {
    QByteArray bytes = composeServerFile({}, QStringLiteral("T")).toLatin1();
    // Up to 1 MiB, the largest server file File, Open takes.
    for (;;) {
        const QByteArray line = "\r\n// a long tail of hand-written comments and commands, line " +
                                QByteArray::number(bytes.size());
        if (bytes.size() + line.size() > 1024 * 1024)
            break;
        bytes += line;
    }
    const QString path = dir.filePath(QStringLiteral("big.cfg"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    const QString text = QString::fromLatin1(bytes);

    // Both open into a shown text area that holds the previous opening's text,
    // one call each in turn, so that a drift in the machine's speed hits both.
    frmOutput window;
    window.show();
    QPlainTextEdit edit;
    edit.show();
    std::vector<double> project, baseline;
    for (int i = 0; i < kCalls; ++i) {
        PublicVars::Saved = true;
        project.push_back(timed([&] {
            window.procedures().LoadServerFile(path);
            QCoreApplication::processEvents();
        }));
        baseline.push_back(timed([&] {
            edit.setPlainText(text);
            QCoreApplication::processEvents();
        }));
    }
    check(PublicVars::OutputText == text &&
              window.txtOutput->document()->characterCount() > 1000000,
          "the 1 MiB file is in the main window");
    check(edit.document()->characterCount() > 1000000, "the baseline shows the text");
    row("open a 1 MiB server file", median(project), median(baseline), "ratio", 1.2);
}

void clickThroughWizard(frmOutput &window) {
    WizardController &wizard = window.procedures().wizard();
    window.cmdStartConfig->click();
    wizard.visiblePage()->nextButton()->click();
    WizardPage *page2 = wizard.visiblePage();
    auto *gameType = page2->findChild<QComboBox *>(QStringLiteral("cmbGameType"));
    gameType->setCurrentIndex(0);
    emit gameType->activated(0);
    page2->findChild<QComboBox *>(QStringLiteral("cmbAmmo"))->setCurrentIndex(1);
    page2->findChild<QComboBox *>(QStringLiteral("cmbglblWeapon"))->setCurrentIndex(0);
    for (int i = 0; i < 6; ++i)
        wizard.visiblePage()->nextButton()->click();
    wizard.visiblePage()->finishButton()->click();
    QCoreApplication::processEvents();
}

void wizardFigures() {
    std::vector<double> first, second;
    for (int i = 0; i < kCalls; ++i) {
        PublicVars::resetAll();
        frmOutput window;
        window.show();
        QCoreApplication::processEvents();
        first.push_back(timed([&] { clickThroughWizard(window); }));
        check(PublicVars::OutputText.startsWith(ServerFileFormat::Marker) && !PublicVars::Saved,
              "the first wizard run composed the server file");
        PublicVars::OutputText.clear();
        second.push_back(timed([&] { clickThroughWizard(window); }));
        check(PublicVars::OutputText.startsWith(ServerFileFormat::Marker),
              "the second wizard run composed the server file");
    }
    row("wizard run, first time", median(first), NAN, "abs", 0.300);
    row("wizard run, second time", median(second), NAN, "abs", 0.050);
}

// Finish over a text with 200 lines written by hand, beside what it cannot do
// without: composing and putting the same resulting text into the text area.
void finishFigure() {
    PublicVars::resetAll();
    frmOutput window;
    window.show();
    clickThroughWizard(window);
    QString handWritten;
    for (int i = 0; i < 200; ++i)
        handWritten += QStringLiteral("\r\nset sv_hand%1 %1   // written by hand").arg(i);
    const QString edited = PublicVars::OutputText + handWritten;
    window.replaceServerText(edited);
    window.procedures().BuildServerFile();
    const QString result = PublicVars::OutputText;
    check(result.count(QStringLiteral("written by hand")) == 200,
          "Finish kept the 200 hand-written lines");
    std::vector<double> project, baseline;
    qsizetype sink = 0;
    for (int i = 0; i < kCalls; ++i) {
        window.replaceServerText(edited);
        project.push_back(timed([&] { window.procedures().BuildServerFile(); }));
        window.replaceServerText(edited);
        baseline.push_back(timed([&] {
            sink += composeServerFile(PublicVars::ServerSettings, QStringLiteral("T")).size();
            window.replaceServerText(result);
        }));
    }
    check(sink > 0, "the baseline composed");
    row("Finish with 200 hand-written lines", median(project), median(baseline), "ratio", 1.5);
}

void maplistFigures(const QTemporaryDir &dir) {
    constexpr int kMaps = 100000;
    const QString path = dir.filePath(QStringLiteral("maps.txt"));
    const QString basePath = dir.filePath(QStringLiteral("base.txt"));
    PublicVars::resetAll();
    frmOutput window;
    frmCreateMaplist &editor = window.procedures().wizard().maplistEditor();
    editor.showModal();
    auto *maps = qobject_cast<MaplistModel *>(
        editor.findChild<QAbstractItemView *>(QStringLiteral("lstMaps"))->model());
    auto *cmdAdd = editor.findChild<QPushButton *>(QStringLiteral("cmdAdd"));
    auto *cmdSaveList = editor.findChild<QPushButton *>(QStringLiteral("cmdSaveList"));
    auto *cmdOpen = editor.findChild<QPushButton *>(QStringLiteral("cmdOpen"));
    editor.findChild<QLineEdit *>(QStringLiteral("txtMap"))->setText(QStringLiteral("q2dm1"));

    const auto clear = [&] { maps->removeRows(0, maps->rowCount()); };
    const double add = medianOf(kCalls, clear, [&] {
        for (int i = 0; i < kMaps; ++i)
            cmdAdd->click();
    });
    check(maps->rowCount() == kMaps, "100,000 maps were added");
    const QStringList lines = maps->lines();

    // The save with what the window does after it (it hides, and handles
    // the events that brings), from an editor shown and idle as a user sees
    // it; the save and its baseline in turn, one call each, so that a drift
    // in the machine's disk or speed hits both alike.
    std::vector<double> saves, baseSaves;
    for (int i = 0; i < kCalls; ++i) {
        editor.showModal(); // a save closes the editor
        QCoreApplication::processEvents();
        FileDialog::scriptAnswer(path);
        saves.push_back(timed([&] {
            cmdSaveList->click();
            QCoreApplication::processEvents();
        }));
        check(!editor.isVisible(), "the save closed the editor");
        baseSaves.push_back(timed([&] {
            QSaveFile file(basePath);
            file.open(QIODevice::WriteOnly);
            for (const QString &line : lines) {
                file.write(line.toLatin1());
                file.write("\r\n");
            }
            file.commit();
        }));
    }
    const double save = median(saves);
    const double saveBase = median(baseSaves);
    check(QFileInfo(path).size() == kMaps * (lines.first().size() + 2), "the maplist was saved");
    check(QFileInfo(basePath).size() == QFileInfo(path).size(), "the baseline wrote the lines");

    editor.showModal();
    const double open = medianOf(
        kCalls,
        [&] {
            clear();
            FileDialog::scriptAnswer(path);
        },
        [&] {
            cmdOpen->click();
            QCoreApplication::processEvents();
        });
    check(maps->lines() == lines, "the maplist was opened");
    QStringList read;
    const double openBase = medianOf(
        kCalls, [&] { read.clear(); },
        [&] {
            QFile file(basePath);
            file.open(QIODevice::ReadOnly);
            while (!file.atEnd())
                read.append(QString::fromLatin1(file.readLine()).chopped(2));
        });
    check(read == lines, "the baseline read the lines");
    FileDialog::clearScript();

    row("maplist: add 100,000 maps", add, NAN, "abs", 0.500);
    row("maplist: save 100,000 maps", save, saveBase, "ratio", 1.5);
    row("maplist: open 100,000 maps", open, openBase, "ratio", 2);
}

// Browsing a folder in the editor's map browser, beside QDir listing the
// baseline folder's 20,000 loose maps; both in turn, so drift hits both alike.
void browseFigure(frmCreateMaplist &editor, const QString &folder, const QString &looseFolder,
                  const char *what) {
    auto *files = editor.findChild<QListView *>(QStringLiteral("File1"));
    std::vector<double> project, baseline;
    for (int i = 0; i < kCalls; ++i) {
        project.push_back(timed([&] {
            editor.browse(folder);
            QCoreApplication::processEvents();
        }));
        check(files->model()->rowCount() == 20000, "the file list shows all 20,000 maps");
        baseline.push_back(timed([&] {
            const QStringList maps = QDir(looseFolder)
                                         .entryList({QStringLiteral("*.bsp")}, QDir::Files,
                                                    QDir::Name | QDir::IgnoreCase);
            check(maps.size() == 20000, "entryList found all 20,000 maps");
        }));
    }
    row(what, median(project), median(baseline), "ratio", 3);
}

void browserFigure(const QTemporaryDir &dir) {
    const QString folder = dir.filePath(QStringLiteral("maps"));
    QDir().mkpath(folder);
    for (int i = 0; i < 20000; ++i) {
        QFile(folder + QStringLiteral("/map%1.bsp").arg(i)).open(QIODevice::WriteOnly);
        QFile(folder + QStringLiteral("/other%1.txt").arg(i)).open(QIODevice::WriteOnly);
    }
    PublicVars::resetAll();
    frmOutput window;
    frmCreateMaplist &editor = window.procedures().wizard().maplistEditor();
    editor.showModal();
    browseFigure(editor, folder, folder, "map browser: 20,000 maps among 40,000 files");
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
          "an archive written");
}

// Maps inside archives: only each archive's directory is read.
void archiveFigures(const QTemporaryDir &dir) {
    // Ten .pak archives of 2,000 maps each, and a .pk3 of 2,000 that are in
    // the .pak archives too: 20,000 maps, each listed once.
    const QString archives = dir.filePath(QStringLiteral("archives"));
    QDir().mkpath(archives);
    QStringList all;
    for (int pak = 0; pak < 10; ++pak) {
        QStringList names;
        for (int i = 0; i < 2000; ++i)
            names.append(
                QStringLiteral("maps/map%1.bsp").arg(pak * 2000 + i, 5, 10, QLatin1Char('0')));
        writeFile(archives + QStringLiteral("/pak%1.pak").arg(pak), Archives::pak(names));
        all += names;
    }
    check(Archives::writePk3(archives + QStringLiteral("/extra.pk3"), all.mid(7000, 2000)),
          "the .pk3 written");
    // The baseline's 20,000 loose files.
    const QString loose = dir.filePath(QStringLiteral("loose"));
    QDir().mkpath(loose);
    for (int i = 0; i < 20000; ++i)
        QFile(loose + QStringLiteral("/map%1.bsp").arg(i)).open(QIODevice::WriteOnly);
    // A stock-sized pak0.pak: 48 MB, 3,500 entries, one in a hundred a map.
    const QString big = dir.filePath(QStringLiteral("big"));
    QDir().mkpath(big);
    QStringList stock;
    for (int i = 0; i < 3500; ++i)
        stock.append(i % 100 ? QStringLiteral("textures/e1u1/w%1.wal").arg(i)
                             : QStringLiteral("maps/base%1.bsp").arg(i));
    writeFile(big + QStringLiteral("/pak0.pak"), Archives::pak(stock, 48 * 1000 * 1000 / 3500));
    check(QFileInfo(big + QStringLiteral("/pak0.pak")).size() > 48000000, "the 48 MB .pak");

    PublicVars::resetAll();
    frmOutput window;
    frmCreateMaplist &editor = window.procedures().wizard().maplistEditor();
    editor.showModal();
    browseFigure(editor, archives, loose, "map browser: 20,000 maps in 11 archives");
    auto *files = editor.findChild<QListView *>(QStringLiteral("File1"));
    const double stockPak = medianOf(
        kCalls, [] {},
        [&] {
            editor.browse(big);
            QCoreApplication::processEvents();
        });
    check(files->model()->rowCount() == 35, "the file list shows the 35 maps of the .pak");
    row("map browser: a 48 MB .pak of 3,500 entries", stockPak, NAN, "abs", 5e-3);
}

// The console check of a text, beside splitting the same text into its lines.
void checkFigure(const char *what, const QString &text, int calls, double target) {
    std::vector<double> project, baseline;
    qsizetype findings = 0, lines = 0;
    for (int i = 0; i < calls; ++i) { // in turn, so that drift hits both alike
        project.push_back(timed([&] { findings = ConsoleCheck::check(text).size(); }));
        baseline.push_back(timed([&] { lines = text.split(u'\n').size(); }));
    }
    check(findings > 0 && lines > 1, "the check found what the text holds");
    row(what, median(project), median(baseline), "abs", target);
}

void checkFigures() {
    const QString composed = composeServerFile(Expected::wizardDefaults(), QStringLiteral("T"));
    checkFigure("check the composed server file (1.3 KB)", composed, kCalls, 1e-3);
    QString big = composed;
    for (int i = 0; big.size() < 1024 * 1024; ++i)
        big +=
            QStringLiteral("\r\nset v%1 \"a value; with \\ and \xfc\" s // note %1;set w%1 %1abc")
                .arg(i);
    checkFigure("check a 1 MiB server file", big, 200, 20e-3);
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns on every showing; only the figures and
    // failed checks are of interest here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QApplication app(argc, argv);
    ModalScript::setScripted(true);
    Program::setEndHandler([] {});
    QTemporaryDir dir;
    // The windows' kept places go to the run's own folder, not the user's settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    // bench_inprocess [figure...]: only the named figures, for profiling one.
    const QStringList wanted = app.arguments().mid(1);
    const auto run = [&](const char *name, const std::function<void()> &figure) {
        if (wanted.isEmpty() || wanted.contains(QLatin1String(name)))
            figure();
    };
    run("compose", composeFigure);
    run("open", [&] { openFigure(dir); });
    run("wizard", wizardFigures);
    run("finish", finishFigure);
    run("maplist", [&] { maplistFigures(dir); });
    run("browser", [&] { browserFigure(dir); });
    run("archives", [&] { archiveFigures(dir); });
    run("check", checkFigures);
    return 0;
}
