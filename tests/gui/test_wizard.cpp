#include "WizardDriver.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

using PublicVars::ServerSettings;

namespace {

QStringList messages() {
    QStringList texts;
    for (const auto &shown : MessageBox::takeShown())
        texts.append(shown.text);
    return texts;
}

// From page 1 to the game-type page, its three choices made.
const QString kGameTypePage = QStringLiteral("next; pick cmbGameType=Kestrune Extinction; pick "
                                             "cmbAmmo=1 Stingy; pick cmbglblWeapon=Blaster");
const QString kToDMFlags = kGameTypePage + "; next 2; ";
const QString kToGeneral = kGameTypePage + "; next 5; ";

} // namespace

class TestWizard : public QObject {
    Q_OBJECT

private slots:
    void pagesRunInOrder() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        const QStringList order{"frmServerWizard",  "frmServerWizard3", "frmServerWizard2",
                                "frmServerWizard4", "frmServerWizard5", "frmServerWizard6",
                                "frmServerWizard7"};
        for (int i = 0; i < order.size(); ++i) {
            QCOMPARE(w.pageName(), order[i]);
            WizardPage *page = w.page();
            QCOMPARE(page->backButton()->isEnabled(), i > 0);
            QCOMPARE(page->nextButton()->isEnabled(), i < 6);
            QCOMPARE(page->finishButton()->isEnabled(), i == 6);
            if (i == 1)
                w.run(kGameTypePage.section("; ", 1));
            if (i < 6)
                w.next();
        }
        QCOMPARE(messages(), QStringList());
    }

    // Walks through the pages and what each stores, and what the pages show.
    void whatThePagesStore_data() {
        QTest::addColumn<QString>("steps"); // the value under the boxes is read before the last
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, const QString &steps, const char *field,
                            const char *stored, const char *shown = "") {
            QTest::newRow(name) << steps << field << stored << shown;
        };
        row("admin name as typed", "type txtName=  Jo \"Rail\" Doe ; next", "AdminName",
            "  Jo \"Rail\" Doe ");
        row("dm flags",
            kToDMFlags + "tick cDMFlag(2); tick cDMFlag(9); tick cDMFlag(19); tick cDMFlag(19); "
                         "tick cDMFlag(15); next",
            "DMFlags", "33284", "dmflags 33284");
        // A team flag stays counted under a non-team type, only disabled.
        row("team flag after type changed",
            kToDMFlags + "tick cDMFlag(18); back 2; pick cmbGameType=Kestrune DM Free for All "
                         "(FFA); next 2; next",
            "DMFlags", "262144", "dmflags 262144");
        row("weapon bans", kToDMFlags + "next; tick cWeaponBan(0); tick cWeaponBan(23); next",
            "WeaponBan", "8388609", "weaponban 8388609");
        row("feature bans", kToDMFlags + "next 2; tick cFeatureBan(0); tick cFeatureBan(18); next",
            "FeatureBan", "262145", "featureban 262145");
        // A rail-only type hides the frames; the ticks still count.
        row("bans hidden by a rail-only type",
            kToDMFlags + "next; tick cWeaponBan(23); back 3; pick cmbGameType=Kestrune Rail-Only "
                         "Insta-Gib Teamplay; next 3; next",
            "WeaponBan", "8388608");
        row("game type, randomizer",
            "next; pick cmbGameType=Kestrune Extinction; pick cmbAmmo=3 Generous; tick "
            "cWeaponRandomizer; pick cmbWeaponRandomizer=2 - Different Weapon each Respawn; next",
            "RandomizerType", "2");
        row("randomizer cleared: the weapon",
            "next; pick cmbGameType=Kestrune Extinction; pick cmbAmmo=3 Generous; pick "
            "cmbglblWeapon=Ultra Railgun; tick cWeaponRandomizer; tick cWeaponRandomizer; next",
            "DefaultWeapon", "19");
        // A download box keeps its tick while "Allow Download" is off.
        row("map downloads", kToGeneral + "tick callowdl; tick cmapsdl; tick callowdl; finish",
            "AllowDownloadMaps", "10");
        row("limits as typed", kToGeneral + "type txtFraglimit=25; type txtTimelimit=lots; finish",
            "Fraglimit Timelimit", "25 lots");
        row("high scorer", kToGeneral + "tick cHighScorer; finish", "HighScorerLine",
            "set highscorer 1");
        row("public", kToGeneral + "tick cpublic; finish", "PublicServer", "1");
    }
    void whatThePagesStore() {
        QFETCH(QString, steps);
        QFETCH(QString, field);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.run(steps.section("; ", 0, -2));
        if (!shown.isEmpty())
            QCOMPARE(w.control<QLabel>("lblMaskValue")->text(), shown);
        w.run(steps.section("; ", -1));
        QCOMPARE(messages(), QStringList());
        const ServerSettingsRecord &s = ServerSettings;
        const QMap<QString, QString> fields{
            {"AdminName", s.AdminName},
            {"DMFlags", s.DMFlags.text()},
            {"WeaponBan", s.WeaponBan.text()},
            {"FeatureBan", s.FeatureBan.text()},
            {"RandomizerType", s.RandomizerChosen ? s.RandomizerType : "-"},
            {"DefaultWeapon", s.RandomizerChosen ? "-" : s.DefaultWeapon},
            {"AllowDownloadMaps", s.AllowDownloadMaps.text() + s.AllowDownload.text()},
            {"Fraglimit Timelimit", s.Fraglimit + ' ' + s.Timelimit},
            {"HighScorerLine", s.HighScorerLine},
            {"PublicServer", s.PublicServer.text()},
        };
        QCOMPARE(fields.value(field), stored);
        if (field == "PublicServer")
            QVERIFY(PublicVars::OutputText.contains("\r\nset public 1\r\n"));
    }

    // The four messages come in this order, each stopping the page.
    void gameTypeChecksInOrder() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        const QList<std::pair<const char *, const char *>> checks{
            {"", "Please select a game type!"},
            {"pick cmbGameType=Kestrune Extinction", "Please select an ammo given!"},
            {"pick cmbAmmo=3 Generous", "Please select a default weapon!"},
            {"tick cWeaponRandomizer", "Please choose a valid weapon randomizer!"}};
        for (const auto &[step, message] : checks) {
            w.run(QString::fromLatin1(step));
            w.next();
            QCOMPARE(messages(), QStringList{QString::fromLatin1(message)});
            QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard3"));
        }
        QCOMPARE(ServerSettings.GameType.text(), QString()); // nothing stored yet
    }

    // A preset type disables the choices and puts a note in the ban frames' place.
    void presetsReachIntoLaterPages() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        w.tick("cWeaponRandomizer");
        w.choose("cmbGameType", "Kestrune Rail Only Extinction ");
        for (const char *name : {"cmbAmmo", "cmbglblWeapon", "cmbWeaponRandomizer"})
            QVERIFY2(!w.control<QComboBox>(name)->isEnabled(), name);
        for (auto which : {WizardController::WeaponBans, WizardController::FeatureBans}) {
            WizardPage &page = w.wizard().page(which);
            auto *frame = page.findChild<QGroupBox *>(
                which == WizardController::WeaponBans ? "fraWeaponban" : "fraFeatureBan");
            QVERIFY(frame->isHidden() && !frame->isEnabled());
            QVERIFY(!page.findChild<QLabel *>("lblImportant")->isHidden());
        }
        // Back to a normal type with the randomizer ticked: its list comes back.
        w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        QVERIFY(w.control<QComboBox>("cmbWeaponRandomizer")->isEnabled());
        QVERIFY(!w.control<QComboBox>("cmbglblWeapon")->isEnabled());
        WizardPage &bans = w.wizard().page(WizardController::WeaponBans);
        QVERIFY(!bans.findChild<QGroupBox *>("fraWeaponban")->isHidden());
        // Team flags follow the type; nothing else needs choosing.
        w.run("pick cmbGameType=Kestrune Rail-Only Insta-Gib FFA; next 2");
        QVERIFY(!w.box("cDMFlag(17)")->isEnabled());
        w.run("back 2; pick cmbGameType=Kestrune Rail Only Extinction ; next 2");
        QVERIFY(w.box("cDMFlag(17)")->isEnabled());
        w.run("next 3; finish");
        QCOMPARE(messages(), QStringList());
        QVERIFY(PublicVars::OutputText.contains("\r\nset gametype 3   // "));
        QVERIFY(!PublicVars::OutputText.contains("default_weapon"));
        QVERIFY(!PublicVars::OutputText.contains("randomize_weapon"));
    }

    // Every visible box of the three mask pages, ticked, gives its bit.
    void everyVisibleBox() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.run(kGameTypePage + "; pick cmbGameType=Kestrune DM Teamplay; next 2");
        qint64 dm = 0, weapons = 0, features = 0;
        for (auto [prefix, count, mask] :
             {std::tuple{"cDMFlag(%1)", 20, &dm}, std::tuple{"cWeaponBan(%1)", 24, &weapons},
              std::tuple{"cFeatureBan(%1)", 19, &features}}) {
            for (int i = 0; i < count; ++i) {
                if (w.box(QString::fromLatin1(prefix).arg(i))->isHidden())
                    continue;
                w.tick(QString::fromLatin1(prefix).arg(i));
                *mask |= qint64(1) << i;
            }
            w.next();
        }
        QCOMPARE(dm, qint64(0xFFFFF & ~(1 << 13) & ~(1 << 16)));
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(dm));
        QCOMPARE(ServerSettings.WeaponBan, SettingNumber(weapons));
        QCOMPARE(ServerSettings.FeatureBan, SettingNumber(features));
    }

    // A close box that goes through destroys the page, which starts afresh;
    // pages left by Cancel keep their answers for the next run.
    void closedPagesStartAfresh() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.type("txtName", "Kept");
        w.run(kGameTypePage + "; next; type txtMaplist=typed.txt");
        GuiFixture::answerPrompt("cmdNo");
        QPointer<WizardPage> closed = w.page();
        QVERIFY(closed->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        w.start();
        QCOMPARE(w.control<QLineEdit>("txtName")->text(), QStringLiteral("Kept"));
        w.next();
        QCOMPARE(w.control<QComboBox>("cmbGameType")->currentText(),
                 QStringLiteral("Kestrune Extinction"));
        w.next();
        QCOMPARE(w.control<QLineEdit>("txtMaplist")->text(), QString());
    }

    // Cancel after a Back asks nothing; a Back pending when the wizard ends
    // does not let the main window's close skip the prompt.
    void backIsNoChange() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        w.back();
        w.cancel();
        QCOMPARE(w.page(), nullptr);
        QCOMPARE(ModalScript::pendingWindows(), 0);
        w.start();
        w.next();
        w.back();
        w.run(kGameTypePage + "; next 5; finish");
        GuiFixture::answerPrompt("cmdCancel");
        QVERIFY(!f.main().close());
        QCOMPARE(ModalScript::pendingWindows(), 0);
        QCOMPARE(f.programEnds(), 0);
    }

    void filesPageSelectsNamesWithoutFolder() {
        GuiFixture f;
        WizardDriver w(f);
        w.toFilesPage("Kestrune DM Free for All (FFA)");
        w.type("txtMOTD", "typed.txt");
        FileDialog::scriptAnswer(QString()); // cancelled before anything was chosen
        GuiFixture::click(GuiFixture::button(w.page(), "cmdSelectMotd"));
        QCOMPARE(w.control<QLineEdit>("txtMOTD")->text(), QString());
        FileDialog::scriptAnswer("/srv/quake2/kestrune/maps.txt");
        GuiFixture::click(GuiFixture::button(w.page(), "cmdSelect"));
        FileDialog::scriptAnswer(QString()); // a cancel keeps the name chosen before
        GuiFixture::click(GuiFixture::button(w.page(), "cmdSelect"));
        w.next();
        QCOMPARE(ServerSettings.MaplistFile, QStringLiteral("maps.txt"));
        QCOMPARE(ServerSettings.MotdFile, QString());
    }
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
