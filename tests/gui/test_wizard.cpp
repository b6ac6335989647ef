#include "WizardDriver.h"
#include "platform/MessageBox.h"
#include "settings/PublicVars.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

using PublicVars::ServerSettings;

class TestWizard : public QObject {
    Q_OBJECT

    static QStringList messages() {
        QStringList texts;
        for (const auto &shown : MessageBox::takeShown()) {
            if (shown.title != QLatin1String("Kestrune Server Tool"))
                texts.append("wrong title: " + shown.title);
            texts.append(shown.text);
        }
        return texts;
    }

private slots:
    void pagesRunInOrderWithTheirFrames() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        QVERIFY(!PublicVars::Saved);
        const QStringList order{"frmServerWizard",  "frmServerWizard3", "frmServerWizard2",
                                "frmServerWizard4", "frmServerWizard5", "frmServerWizard6",
                                "frmServerWizard7"};
        const QStringList subtitles{"Let's get started!",
                                    "Choose your Global Options...",
                                    "Of Maps & MOTD's...",
                                    "Setting the DM Flags...",
                                    "Setting the Weapon Bans...",
                                    "Setting the Feature Bans...",
                                    "Just one last set of questions..."};
        for (int i = 0; i < order.size(); ++i) {
            QCOMPARE(w.pageName(), order[i]);
            WizardPage *page = w.page();
            QCOMPARE(page->windowTitle(), QStringLiteral("Kestrune - Server Wizard"));
            QVERIFY(page->isModal());
            QCOMPARE(w.control<QLabel>("Label2")->text(), subtitles[i]);
            QCOMPARE(w.control<QLabel>("Label1")->text(), QStringLiteral("Kestrune Server Wizard"));
            QCOMPARE(page->backButton()->isEnabled(), i > 0);
            QCOMPARE(page->nextButton()->isEnabled(), i < 6);
            QCOMPARE(page->finishButton()->isEnabled(), i == 6);
            QCOMPARE(page->cancelButton()->objectName(),
                     i < 3 ? QStringLiteral("Command1") : QStringLiteral("cmdCancel"));
            QVERIFY((i < 6 ? page->nextButton() : page->finishButton())->isDefault());
            if (i == 1) {
                w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
                w.choose("cmbAmmo", "2 Normal");
                w.choose("cmbglblWeapon", "Blaster");
            }
            if (i < 6)
                w.next();
        }
        QCOMPARE(messages(), QStringList());
    }

    void adminPageStoresWhatIsTyped() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        QCOMPARE(w.control<QLineEdit>("txtName")->text(), QStringLiteral("Your Name Here"));
        QCOMPARE(w.control<QLineEdit>("txtLocation")->text(), QStringLiteral("Sunny San Diego"));
        w.type("txtName", "  Jo \"Rail\" Doe ");
        w.type("txtEmail", "");
        w.next();
        QCOMPARE(ServerSettings.AdminName, QStringLiteral("  Jo \"Rail\" Doe "));
        QCOMPARE(ServerSettings.AdminEmail, QString());
        QCOMPARE(ServerSettings.AdminLocation, QStringLiteral("Sunny San Diego"));
    }

    // The four messages come in this order, each stopping the page.
    void gameTypeChecksInOrder() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        w.next();
        QCOMPARE(messages(), QStringList{"Please select a game type!"});
        w.choose("cmbGameType", "Kestrune Extinction");
        w.next();
        QCOMPARE(messages(), QStringList{"Please select an ammo given!"});
        w.choose("cmbAmmo", "3 Generous");
        w.next();
        QCOMPARE(messages(), QStringList{"Please select a default weapon!"});
        w.choose("cmbglblWeapon", "Ultra Railgun");
        w.tick("cWeaponRandomizer");
        w.next();
        QCOMPARE(messages(), QStringList{"Please choose a valid weapon randomizer!"});
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard3"));
        QCOMPARE(ServerSettings.GameType.text(), QString()); // nothing stored yet
        w.choose("cmbWeaponRandomizer", "2 - Different Weapon each Respawn");
        w.next();
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard2"));
        QCOMPARE(ServerSettings.GameType, SettingNumber(2));
        QCOMPARE(ServerSettings.GameTypeName, QStringLiteral("Kestrune Extinction"));
        QCOMPARE(ServerSettings.AmmoGiven, SettingNumber(3));
        QCOMPARE(ServerSettings.RandomizerType, QStringLiteral("2"));
        QVERIFY(ServerSettings.RandomizerChosen);
        QCOMPARE(ServerSettings.DefaultWeapon, QString());
        QVERIFY(ServerSettings.TeamGameType);

        // Back, clear the randomizer, take the weapon path.
        w.back();
        w.tick("cWeaponRandomizer");
        w.next();
        QVERIFY(!ServerSettings.RandomizerChosen);
        QCOMPARE(ServerSettings.DefaultWeapon, QStringLiteral("19"));
    }

    void presetsReachIntoLaterPages() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        w.tick("cWeaponRandomizer");
        QVERIFY(!w.control<QComboBox>("cmbglblWeapon")->isEnabled());
        QVERIFY(w.control<QComboBox>("cmbWeaponRandomizer")->isEnabled());
        w.choose("cmbGameType", "Kestrune Rail-Only Insta-Gib FFA");
        for (const char *name : {"cmbAmmo", "cmbglblWeapon", "cmbWeaponRandomizer"})
            QVERIFY2(!w.control<QComboBox>(name)->isEnabled(), name);
        QVERIFY(!w.box("cWeaponRandomizer")->isEnabled());
        QVERIFY(ServerSettings.PresetGameType);
        QVERIFY(!ServerSettings.TeamGameType);
        // The ban pages exist already, their frames hidden and the note shown.
        QVERIFY(w.wizard().exists(WizardController::WeaponBans));
        for (auto which : {WizardController::WeaponBans, WizardController::FeatureBans}) {
            WizardPage &page = w.wizard().page(which);
            QVERIFY(!page.isVisible());
            auto *frame = page.findChild<QGroupBox *>(
                which == WizardController::WeaponBans ? "fraWeaponban" : "fraFeatureBan");
            QVERIFY(frame->isHidden() && !frame->isEnabled());
            QVERIFY(!page.findChild<QLabel *>("lblImportant")->isHidden());
        }
        ServerSettings.AmmoGiven = 2;
        w.next(); // nothing else needs choosing
        QCOMPARE(messages(), QStringList());
        QCOMPARE(ServerSettings.GameType, SettingNumber(4));
        QCOMPARE(ServerSettings.AmmoGiven, SettingNumber(2));
        w.back();
        // Back to a normal type with the randomizer ticked: its list comes back.
        w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        QVERIFY(w.control<QComboBox>("cmbWeaponRandomizer")->isEnabled());
        QVERIFY(!w.control<QComboBox>("cmbglblWeapon")->isEnabled());
        QVERIFY(w.control<QComboBox>("cmbAmmo")->isEnabled());
        QVERIFY(!ServerSettings.PresetGameType);
        WizardPage &bans = w.wizard().page(WizardController::WeaponBans);
        QVERIFY(!bans.findChild<QGroupBox *>("fraWeaponban")->isHidden());
        QVERIFY(bans.findChild<QLabel *>("lblImportant")->isHidden());
    }

    void dmFlagsWithTeamFlags() {
        GuiFixture f;
        WizardDriver w(f);
        w.toFilesPage("Kestrune Extinction");
        w.next();
        QCOMPARE(w.control<QGroupBox>("fraDMFlags")->title(),
                 QStringLiteral("DM Flags for Kestrune Extinction"));
        QVERIFY(w.box("cDMFlag(17)")->isEnabled());
        QVERIFY(w.box("cDMFlag(13)")->isHidden());
        QVERIFY(w.box("cDMFlag(16)")->isHidden());
        w.tick("cDMFlag(2)"); // Weapons Stay
        w.tick("cDMFlag(9)"); // Spawn Farthest
        w.next();
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(516));

        // A team flag stays counted under a non-team type, only disabled.
        w.back();
        w.tick("cDMFlag(18)");
        w.back(); // clears the team flag until the type is chosen again
        w.next();
        QVERIFY(!w.box("cDMFlag(17)")->isEnabled());
        w.back();
        w.back();
        w.choose("cmbGameType", "Kestrune Extinction"); // the same type again: its preset again
        w.next();
        w.next();
        QVERIFY(w.box("cDMFlag(17)")->isEnabled());
        w.back();
        w.back();
        w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        w.next();
        w.next();
        QCOMPARE(w.control<QGroupBox>("fraDMFlags")->title(),
                 QStringLiteral("DM Flags for Kestrune DM Free for All (FFA)"));
        QVERIFY(!w.box("cDMFlag(18)")->isEnabled());
        QVERIFY(w.box("cDMFlag(18)")->isChecked());
        w.next();
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(516 + (1 << 18)));
    }

    void everyVisibleDMFlag() {
        GuiFixture f;
        WizardDriver w(f);
        w.toFilesPage("Kestrune DM Teamplay");
        w.next();
        for (int i = 0; i < 20; ++i)
            if (i != 13 && i != 16)
                w.tick(QStringLiteral("cDMFlag(%1)").arg(i));
        w.next();
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(0xFFFFF & ~(1 << 13) & ~(1 << 16)));
    }

    void banMasksCountHiddenTicks() {
        GuiFixture f;
        WizardDriver w(f);
        w.toFilesPage("Kestrune DM Free for All (FFA)");
        w.next();
        w.next();
        QCOMPARE(w.control<QGroupBox>("fraWeaponban")->title(),
                 QStringLiteral("Weapon Bans for Kestrune DM Free for All (FFA)"));
        w.next();
        w.next();
        QCOMPARE(ServerSettings.WeaponBan, SettingNumber(0));
        QCOMPARE(ServerSettings.FeatureBan.text(), QStringLiteral("0"));
        w.back();
        w.back();
        w.tick("cWeaponBan(23)");
        w.next();
        QCOMPARE(ServerSettings.WeaponBan, SettingNumber(1 << 23));
        w.tick("cFeatureBan(0)");
        w.tick("cFeatureBan(18)");
        w.next();
        QCOMPARE(ServerSettings.FeatureBan.text(), QString::number((1 << 18) + 1));

        w.back();
        for (int i : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 13, 15})
            w.tick(QStringLiteral("cFeatureBan(%1)").arg(i));
        w.next();
        qint64 features = 0;
        for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 13, 15, 18})
            features |= qint64(1) << i;
        QCOMPARE(ServerSettings.FeatureBan.text(), QString::number(features));

        // A rail-only type hides the frames; the ticks still count.
        w.rechooseFromFeatureBans("Kestrune Rail-Only Insta-Gib Teamplay");
        QVERIFY(w.control<QGroupBox>("fraWeaponban")->isHidden());
        QVERIFY(!w.control<QLabel>("lblImportant")->isHidden());
        w.next();
        w.next();
        QCOMPARE(ServerSettings.WeaponBan, SettingNumber(1 << 23));
        QCOMPARE(ServerSettings.FeatureBan.text(), QString::number(features));
    }

    // Under the boxes, the value that Next stores, after every tick.
    void liveMaskValuesMatchWhatNextStores() {
        GuiFixture f;
        WizardDriver w(f);
        w.toFilesPage("Kestrune Extinction");
        w.next();
        const auto shown = [&] { return w.control<QLabel>("lblMaskValue")->text(); };
        QCOMPARE(shown(), QStringLiteral("dmflags 0"));
        w.tick("cDMFlag(2)");
        QCOMPARE(shown(), QStringLiteral("dmflags 4"));
        w.tick("cDMFlag(9)");
        QCOMPARE(shown(), QStringLiteral("dmflags 516"));
        w.tick("cDMFlag(19)");
        w.tick("cDMFlag(19)"); // ticked and unticked again
        w.tick("cDMFlag(18)");
        QCOMPARE(shown(), QStringLiteral("dmflags %1").arg(516 + (1 << 18)));
        w.next();
        QCOMPARE(ServerSettings.DMFlags, SettingNumber(516 + (1 << 18)));

        // A disabled team flag still counts, in the label as on Next.
        w.back();
        w.back(); // clears the team type
        w.next();
        QVERIFY(!w.box("cDMFlag(18)")->isEnabled());
        QCOMPARE(shown(), QStringLiteral("dmflags %1").arg(516 + (1 << 18)));

        w.next();
        QCOMPARE(shown(), QStringLiteral("weaponban 0"));
        w.tick("cWeaponBan(23)");
        QCOMPARE(shown(), QStringLiteral("weaponban 8388608"));
        w.next();
        QCOMPARE(ServerSettings.WeaponBan, SettingNumber(8388608));
        w.tick("cFeatureBan(0)");
        w.tick("cFeatureBan(18)");
        QCOMPARE(shown(), QStringLiteral("featureban 262145"));
        w.next();
        QCOMPARE(ServerSettings.FeatureBan.text(), QStringLiteral("262145"));

        // A rail-only type hides the value with the frame it belongs to.
        w.rechooseFromFeatureBans("Kestrune Rail-Only Insta-Gib Teamplay");
        QVERIFY(!w.control<QLabel>("lblMaskValue")->isVisible());
        QCOMPARE(shown(), QStringLiteral("weaponban 8388608"));
    }

    void everyVisibleWeaponBan() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        w.choose("cmbAmmo", "1 Stingy");
        w.choose("cmbglblWeapon", "Blaster");
        for (int i = 0; i < 3; ++i)
            w.next();
        qint64 expected = 0;
        for (int i = 0; i < 24; ++i) {
            if (i >= 11 && i <= 16) {
                QVERIFY(w.box(QStringLiteral("cWeaponBan(%1)").arg(i))->isHidden());
                continue;
            }
            w.tick(QStringLiteral("cWeaponBan(%1)").arg(i));
            expected |= qint64(1) << i;
        }
        w.next();
        QCOMPARE(ServerSettings.WeaponBan, SettingNumber(expected));
    }

    void generalPageDownloadsKeepTheirTicks() {
        GuiFixture f;
        WizardDriver w(f);
        w.runWithDefaults();
        QCOMPARE(ServerSettings.PublicServer, SettingNumber(0));
        QCOMPARE(ServerSettings.HighScorerLine, QStringLiteral("set highscorer 0"));
        QCOMPARE(ServerSettings.AllowDownloadMaps.text(), QStringLiteral("0"));
        QCOMPARE(ServerSettings.Maxclients, QStringLiteral("15"));

        w.start();
        for (int i = 0; i < 6; ++i)
            w.next();
        auto *masters = w.control<QPlainTextEdit>("txtMasterServers");
        QVERIFY(!masters->isEnabled());
        QVERIFY(!w.box("cmapsdl")->isEnabled());
        w.tick("callowdl");
        w.tick("cmapsdl");
        w.tick("callowdl");
        QVERIFY(!w.box("cmapsdl")->isEnabled());
        QVERIFY(w.box("cmapsdl")->isChecked());
        w.tick("cpublic");
        QVERIFY(masters->isEnabled());
        w.tick("cpublic");
        QVERIFY(!masters->isEnabled());
        QVERIFY(!masters->toPlainText().isEmpty());
        w.type("txtMaxclients", "lots");
        w.tick("cHighScorer");
        w.finish();
        QCOMPARE(ServerSettings.AllowDownloadMaps.text(), QStringLiteral("1"));
        QCOMPARE(ServerSettings.AllowDownload, SettingNumber(0));
        QCOMPARE(ServerSettings.Maxclients, QStringLiteral("lots"));
        QCOMPARE(ServerSettings.HighScorerLine, QStringLiteral("set highscorer 1"));
        QVERIFY(PublicVars::OutputText.contains("\r\nset maxclients lots\r\n"));
    }

    // Cancel asks first; after a Back it does not.
    void cancelAndTheUnsavedChangesPrompt() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        GuiFixture::answerPrompt("cmdCancel");
        w.cancel();
        QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard"));
        QCOMPARE(PublicVars::CancelClose, 1);
        GuiFixture::answerPrompt("cmdNo");
        w.cancel();
        QCOMPARE(w.page(), nullptr);
        QVERIFY(PublicVars::Saved);
        QCOMPARE(f.programEnds(), 0);

        w.start();
        w.next();
        w.back();
        QVERIFY(PublicVars::Navigating);
        w.cancel(); // no prompt: the Back is consumed
        QCOMPARE(w.page(), nullptr);
        QVERIFY(!PublicVars::Navigating);
        QCOMPARE(ModalScript::pendingWindows(), 0);
    }

    // A close box that goes through destroys the page; it starts afresh.
    void closeBoxDestroysThePage() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.type("txtName", "Kept");
        w.next();
        w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        w.choose("cmbAmmo", "1 Stingy");
        w.choose("cmbglblWeapon", "Blaster");
        w.next();
        w.type("txtMaplist", "typed.txt");
        // Cancel, and the prompt's own close box, keep the page.
        for (const char *answer : {"cmdCancel", "close"}) {
            PublicVars::CancelClose = 0;
            GuiFixture::answerPrompt(answer);
            QVERIFY(!w.page()->close());
            QCOMPARE(w.pageName(), QStringLiteral("frmServerWizard2"));
        }
        GuiFixture::answerPrompt("cmdNo");
        QPointer<WizardPage> closed = w.page();
        QVERIFY(closed->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        QVERIFY(!w.wizard().exists(WizardController::Files));

        w.start();
        QCOMPARE(w.control<QLineEdit>("txtName")->text(), QStringLiteral("Kept"));
        w.next();
        QCOMPARE(w.control<QComboBox>("cmbGameType")->currentText(),
                 QStringLiteral("Kestrune DM Free for All (FFA)"));
        w.next();
        QCOMPARE(w.control<QLineEdit>("txtMaplist")->text(), QString());
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
        QCOMPARE(w.control<QLineEdit>("txtMaplist")->text(), QStringLiteral("maps.txt"));
        const auto showings = FileDialog::takeShowings();
        QCOMPARE(showings.size(), 2);
        QCOMPARE(showings[1].filter,
                 QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
        FileDialog::scriptAnswer(QString()); // a cancel keeps the name chosen before
        GuiFixture::click(GuiFixture::button(w.page(), "cmdSelect"));
        QCOMPARE(w.control<QLineEdit>("txtMaplist")->text(), QStringLiteral("maps.txt"));
        w.next();
        QCOMPARE(ServerSettings.MaplistFile, QStringLiteral("maps.txt"));
        QCOMPARE(ServerSettings.MotdFile, QString());
    }

    // Pages are hidden, not destroyed: a second run shows the first run's entries.
    void answersSurviveASecondRun() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.type("txtName", "First run");
        GuiFixture::answerPrompt("cmdNo");
        w.cancel();
        w.start();
        QCOMPARE(w.control<QLineEdit>("txtName")->text(), QStringLiteral("First run"));
    }

    // Back then forward to Finish: the pending Back must not let the main
    // window's close skip the prompt.
    void pendingBackIsClearedWhenTheWizardEnds() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        w.back();
        w.next();
        w.choose("cmbGameType", "Kestrune DM Free for All (FFA)");
        w.choose("cmbAmmo", "1 Stingy");
        w.choose("cmbglblWeapon", "Blaster");
        for (int i = 0; i < 5; ++i)
            w.next();
        w.finish();
        QVERIFY(!PublicVars::Navigating);
        GuiFixture::answerPrompt("cmdCancel");
        QVERIFY(!f.main().close());
        QCOMPARE(ModalScript::pendingWindows(), 0);
        QCOMPARE(f.programEnds(), 0);
    }
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
