#include "WizardDriver.h"

using PublicVars::ServerSettings;

namespace {

// From page 1 to the game-type page, its three choices made.
const QString kGameTypePage = QStringLiteral("next; pick cmbGameType=Kestrune Extinction; pick "
                                             "cmbAmmo=1 Stingy; pick cmbglblWeapon=Blaster");
const QString kToDMFlags = kGameTypePage + "; next 2; ";
const QString kToGeneral = kGameTypePage + "; next 5; ";

} // namespace

class TestWizard : public QObject {
    Q_OBJECT

private slots:
    // What the pages show and store, and the file Finish writes. The message
    // boxes must say nothing but what a row expects.
    void whatThePagesStore_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("admin name as typed") << "type txtName=  Jo \"Rail\" Doe ; " + kToGeneral +
                                                    "finish; "
                                                    "?has \r\n//  Jo \"Rail\" Doe \r\n";
        // The four checks of the game-type page come in this order, each
        // stopping the page, with nothing stored.
        QTest::newRow("no game type") << "next; next; ?said Please select a game type!";
        QTest::newRow("no ammo") << "next; pick cmbGameType=Kestrune Extinction; next; "
                                    "?said Please select an ammo given!";
        QTest::newRow("no weapon")
            << "next; pick cmbGameType=Kestrune Extinction; pick cmbAmmo=3 Generous; next; "
               "?said Please select a default weapon!";
        QTest::newRow("no randomizer")
            << "next; pick cmbGameType=Kestrune Extinction; pick cmbAmmo=3 Generous; tick "
               "cWeaponRandomizer; next; ?said Please choose a valid weapon randomizer!";
        QTest::newRow("dm flags")
            << kToDMFlags + "tick cDMFlag(2); tick cDMFlag(9); tick cDMFlag(19); tick "
                            "cDMFlag(19); tick cDMFlag(15); ?text lblMaskValue=dmflags 33284; "
                            "next 3; finish; ?has \r\nset dmflags 33284\r\n";
        // A team flag stays counted under a non-team type, only disabled.
        QTest::newRow("team flag after type changed")
            << kToDMFlags + "tick cDMFlag(18); back 2; pick cmbGameType=Kestrune DM Free for All "
                            "(FFA); next 2; ?text lblMaskValue=dmflags 262144; next 3; finish; "
                            "?has \r\nset dmflags 262144\r\n";
        // A rail-only type hides the frames; the ticks still count.
        QTest::newRow("bans hidden by a rail-only type")
            << kToDMFlags + "next; tick cWeaponBan(23); back 3; pick cmbGameType=Kestrune "
                            "Rail-Only Insta-Gib Teamplay; next 5; finish; "
                            "?has \r\nset weaponban 8388608\r\n";
        QTest::newRow("game type, randomizer")
            << "next; pick cmbGameType=Kestrune Extinction; pick cmbAmmo=3 Generous; tick "
               "cWeaponRandomizer; pick cmbWeaponRandomizer=2 - Different Weapon each Respawn; "
               "next 5; finish; ?has \r\nset randomize_weapon 2\r\nset ammo_given 3\r\n; "
               "?lacks default_weapon";
        QTest::newRow("randomizer cleared: the weapon")
            << "next; pick cmbGameType=Kestrune Extinction; pick cmbAmmo=3 Generous; pick "
               "cmbglblWeapon=Ultra Railgun; tick cWeaponRandomizer; tick cWeaponRandomizer; "
               "next 5; finish; ?has \r\nset default_weapon 19\r\n; ?lacks randomize_weapon";
        // A preset type needs nothing else chosen and writes no weapon lines.
        QTest::newRow("preset")
            << "next; tick cWeaponRandomizer; pick cmbGameType=Kestrune Rail Only Extinction ; "
               "next 5; finish; ?has \r\nset gametype 3   // ; ?lacks default_weapon; "
               "?lacks randomize_weapon";
        // A preset type disables the choices and puts a note in the ban
        // frames' place; back to a normal type with the randomizer ticked, its
        // list comes back.
        QTest::newRow("preset on later pages")
            << "next; tick cWeaponRandomizer; pick cmbGameType=Kestrune Rail Only Extinction ; "
               "?state cmbAmmo=shown disabled; ?state cmbglblWeapon=shown disabled; "
               "?state cmbWeaponRandomizer=shown disabled; next 3; "
               "?state fraWeaponban=hidden disabled; ?state lblImportant=shown enabled; back 3; "
               "pick cmbGameType=Kestrune DM Free for All (FFA); "
               "?state cmbWeaponRandomizer=shown enabled; ?state cmbglblWeapon=shown disabled; "
               "pick cmbAmmo=1 Stingy; pick cmbWeaponRandomizer=2 - Different Weapon each Respawn; "
               "next 3; ?state fraWeaponban=shown enabled; ?state lblImportant=hidden enabled";
        // A download box keeps its tick while "Allow Download" is off.
        QTest::newRow("map downloads")
            << kToGeneral + "tick callowdl; tick cmapsdl; tick callowdl; finish; "
                            "?has \r\nset allow_download 0\r\n; ?has \r\nallow_download_maps 1\r\n";
        // The files page takes names without their folder; a cancel keeps the
        // name chosen before, or clears a typed one.
        QTest::newRow("file names")
            << kGameTypePage + "; next; type txtMOTD=typed.txt; answer; click cmdSelectMotd; "
                               "answer /srv/quake2/kestrune/maps.txt; click cmdSelect; answer; "
                               "click cmdSelect; next 4; finish; ?has \r\nset maplistfile "
                               "\"maps.txt\"\r\nset motdfile \"\"\r\n";
        // Cancel after a Back asks nothing; a Back pending when the wizard
        // ends does not let the main window's close skip the prompt.
        QTest::newRow("back is no change")
            << "next; back; cancel; ?page ; ?done; start; next; back; " + kGameTypePage +
                   "; next 5; finish; prompt cmdCancel; close main; ?done; ?ends 0";
    }
    void whatThePagesStore() {
        QFETCH(QString, script);
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.run(script);
        if (!script.contains("?said")) // stopped on the game-type page otherwise
            QCOMPARE(GuiFixture::messages(), QStringList());
        else
            QVERIFY(w.pageName() == "frmServerWizard3" && ServerSettings.GameType.text().isEmpty());
    }

    // A close box that goes through destroys the page, which starts afresh;
    // pages left by Cancel keep their answers.
    void closedPagesStartAfresh() {
        GuiFixture f;
        WizardDriver w(f);
        w.run("start; type txtName=Kept; " + kGameTypePage +
              "; next; type txtMaplist=typed.txt; prompt cmdNo");
        QPointer<WizardPage> closed = w.page();
        QVERIFY(closed->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        w.start();
        w.run("?text txtName=Kept; next; ?text cmbGameType=Kestrune Extinction; next; "
              "?text txtMaplist=");
    }
};

QTEST_MAIN(TestWizard)
#include "test_wizard.moc"
