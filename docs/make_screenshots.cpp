// Takes the README's pictures from the real windows, offscreen: each window is
// filled as a user would fill it and grabbed into <folder>/<name>.png.
// Usage: make_screenshots <folder>
#include "about/frmAbout.h"
#include "commandline/frmShortcut.h"
#include "mainwindow/frmOutput.h"
#include "maplist/frmCreateMaplist.h"
#include "motd/frmCreateMOTD.h"
#include "platform/FileDialog.h"
#include "platform/ModalScript.h"
#include "platform/Program.h"
#include "settings/PublicVars.h"
#include "support/Archives.h"
#include "wizard/WizardController.h"
#include "wizard/WizardPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

QString g_folder;

void shoot(QWidget *window, const char *name) {
    QCoreApplication::processEvents();
    const QString path = g_folder + QLatin1Char('/') + QLatin1String(name) + ".png";
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(path));
}

template <class T> T *control(QWidget *window, const char *name) {
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found) {
        std::fprintf(stderr, "no %s in %s\n", name, qPrintable(window->objectName()));
        std::exit(1);
    }
    return found;
}

void type(QWidget *window, const char *box, const char *text) {
    control<QLineEdit>(window, box)->setText(QLatin1String(text));
}

void choose(QWidget *window, const char *list, const char *entry) {
    auto *combo = control<QComboBox>(window, list);
    combo->setCurrentIndex(combo->findText(QLatin1String(entry)));
    emit combo->activated(combo->currentIndex()); // as a pick from the open list
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void tick(QWidget *window, const QString &box) {
    control<QCheckBox>(window, qPrintable(box))->setChecked(true);
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrune Server Tool"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_screenshots <folder>\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    ModalScript::setScripted(true);
    Program::setEndHandler([] {});
    // The windows open at their first places, whatever the user's settings keep.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());

    frmOutput main;
    main.show();
    shoot(&main, "main-window-start");

    WizardController &wizard = main.procedures().wizard();
    main.cmdStartConfig->click();
    WizardPage *page = wizard.visiblePage();
    type(page, "txtName", "Rex Hollow");
    type(page, "txtEmail", "rex@example.net");
    shoot(page, "wizard-1-admin");
    page->nextButton()->click();

    page = wizard.visiblePage();
    choose(page, "cmbGameType", "Kestrune DM Teamplay");
    choose(page, "cmbAmmo", "2 Normal");
    choose(page, "cmbglblWeapon", "Blaster");
    shoot(page, "wizard-2-game-type");
    page->nextButton()->click();

    page = wizard.visiblePage();
    type(page, "txtMaplist", "maps.txt");
    type(page, "txtMOTD", "motd.txt");
    shoot(page, "wizard-3-files");
    page->nextButton()->click();

    page = wizard.visiblePage();
    for (int bit : {2, 9, 17})
        tick(page, QStringLiteral("cDMFlag(%1)").arg(bit));
    shoot(page, "wizard-4-dm-flags");
    page->nextButton()->click();

    page = wizard.visiblePage();
    tick(page, QStringLiteral("cWeaponBan(23)"));
    shoot(page, "wizard-5-weapon-bans");
    page->nextButton()->click();

    page = wizard.visiblePage();
    for (int bit : {0, 18})
        tick(page, QStringLiteral("cFeatureBan(%1)").arg(bit));
    shoot(page, "wizard-6-feature-bans");
    page->nextButton()->click();

    page = wizard.visiblePage();
    type(page, "txtHostname", "Hollow's Kestrune Teamplay");
    type(page, "txtIniMap", "q2dm1");
    shoot(page, "wizard-7-general");
    // A value the game reads as another number, warned about as it is typed.
    type(page, "txtMaxclients", "15abc");
    QCoreApplication::processEvents(); // the page grows for the warning
    shoot(page, "wizard-7-warning");
    type(page, "txtMaxclients", "15");
    page->finishButton()->click();
    // Down to where the raw-code block ends and the commands begin.
    main.txtOutput->verticalScrollBar()->setValue(20);
    shoot(&main, "main-window-server-file");

    // Lines written by hand, kept when the wizard runs again.
    main.txtOutput->moveCursor(QTextCursor::End);
    main.txtOutput->insertPlainText(QStringLiteral("\nset sv_gravity 700\nexec bots.cfg"));
    main.cmdStartConfig->click();
    for (int i = 0; i < 6; ++i)
        wizard.visiblePage()->nextButton()->click();
    wizard.visiblePage()->finishButton()->click();
    main.txtOutput->verticalScrollBar()->setValue(main.txtOutput->verticalScrollBar()->maximum());
    shoot(&main, "main-window-hand-lines");

    // A hand edit the server would refuse: a word after the time limit.
    QTextCursor edit = main.txtOutput->document()->find(QStringLiteral("set timelimit 15"));
    edit.insertText(QStringLiteral("set timelimit 15 minutes"));
    // The check runs on a worker once the change is done: wait for its answer,
    // the finding of this line beside the one the file had.
    auto *findings = control<QListWidget>(&main, "lstFindings");
    for (QDeadlineTimer deadline(10000); findings->count() < 2 && !deadline.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    main.txtOutput->verticalScrollBar()->setValue(38);
    findings->setCurrentRow(0);
    shoot(&main, "main-window-findings");

    // The unsaved-changes prompt, as File, Exit shows it.
    ModalScript::expectWindow(QStringLiteral("frmSaveChanges"), [](QWidget *prompt) {
        shoot(prompt, "save-changes-prompt");
        control<QAbstractButton>(prompt, "cmdCancel")->click();
    });
    main.mnuExit->trigger();

    // The maplist editor where it starts for Yamagi Quake II (a home folder
    // made for the picture): the game's folder, whose maps lie in its
    // archives, one of them broken; a few lines added.
    QTemporaryDir home;
    const QString game = home.filePath(QStringLiteral(".yq2/baseq2"));
    for (const char *folder : {"maps", "players", "textures"})
        QDir(game).mkpath(QLatin1String(folder));
    QStringList stock;
    for (const char *map : {"base1", "base2", "base3", "q2dm1", "q2dm2", "q2dm3", "q2dm4", "q2dm5",
                            "q2dm6", "q2dm7", "q2dm8"})
        stock << QStringLiteral("maps/%1.bsp").arg(QLatin1String(map));
    stock << QStringLiteral("pics/colormap.pcx");
    writeFile(game + QStringLiteral("/pak0.pak"), Archives::pak(stock));
    Archives::writePk3(game + QStringLiteral("/kestrune-maps.pk3"),
                       {QStringLiteral("maps/ktctf1.bsp"), QStringLiteral("maps/ktdm1.bsp")});
    writeFile(game + QStringLiteral("/pak9.pak"), "PACK");
    writeFile(game + QStringLiteral("/maps/hollow1.bsp"), "");
    qputenv("HOME", QFile::encodeName(home.path()));
    frmCreateMaplist &maplist = wizard.maplistEditor();
    maplist.showModal();
    for (const char *map : {"q2dm1", "q2dm8", "ktctf1"}) {
        type(&maplist, "txtMap", map);
        control<QAbstractButton>(&maplist, "cmdAdd")->click();
    }
    // And one map with its own ammo and respawn weapon.
    control<QCheckBox>(&maplist, "cXtra")->click();
    control<QComboBox>(&maplist, "cmbAmmo")->setCurrentIndex(2);
    control<QComboBox>(&maplist, "cmbWeaponRespawn")->setCurrentIndex(9);
    type(&maplist, "txtMap", "ktdm1");
    control<QAbstractButton>(&maplist, "cmdAdd")->click();
    shoot(&maplist, "maplist-editor");
    maplist.hide();

    frmCreateMOTD &motd = wizard.motdEditor();
    motd.showModal();
    control<QPlainTextEdit>(&motd, "txtMOTD")
        ->setPlainText(QStringLiteral("Welcome to Hollow's Kestrune Teamplay!\nNo camping, "
                                      "no spawn killing.\nMaps rotate every 20 minutes."));
    shoot(&motd, "motd-editor");
    motd.hide();

    main.cmdCreateShortcut->click();
    auto *shortcut = main.findChild<frmShortcut *>();
    type(shortcut, "txtQuakeLocation", "/usr/games/quake2");
    type(shortcut, "txtGameFolder", "kestrune");
    type(shortcut, "txtConfigName", "server.cfg");
    control<QAbstractButton>(shortcut, "cmdCreate")->click();
    shoot(shortcut, "command-line-creator");
    shortcut->close();

    main.mnuAbout->trigger();
    shoot(main.findChild<frmAbout *>(), "about");
    return 0;
}
