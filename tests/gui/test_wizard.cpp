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

// One step of a walk through the wizard: a button, a pick, a tick or typing.
struct Step {
    const char *action; // "next", "back", "finish", "tick", "type", "choose"
    const char *control = "";
    const char *text = "";
};

void run(WizardDriver &w, const QList<Step> &steps) {
    for (const Step &s : steps) {
        const QString action = QString::fromLatin1(s.action);
        if (action == "next")
            w.next();
        else if (action == "back")
            w.back();
        else if (action == "finish")
            w.finish();
        else if (action == "tick")
            w.tick(QString::fromLatin1(s.control));
        else if (action == "type")
            w.type(QString::fromLatin1(s.control), QString::fromLatin1(s.text));
        else
            w.choose(QString::fromLatin1(s.control), QString::fromLatin1(s.text));
    }
}

const QList<Step> kGameTypePage{{"next"},
                                {"choose", "cmbGameType", "Kestrune Extinction"},
                                {"choose", "cmbAmmo", "1 Stingy"},
                                {"choose", "cmbglblWeapon", "Blaster"}};

} // namespace

Q_DECLARE_METATYPE(Step)

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
                run(w, kGameTypePage.mid(1));
            if (i < 6)
                w.next();
        }
        QCOMPARE(messages(), QStringList());
    }

    // Walks through the pages and what each stores, and what the pages show.
    void whatThePagesStore_data() {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown"); // the value under the boxes
        const QList<Step> toDMFlags = kGameTypePage + QList<Step>{{"next"}, {"next"}};
        QTest::newRow("admin name as typed")
            << QList<Step>{{"type", "txtName", "  Jo \"Rail\" Doe "}, {"next"}} << "AdminName"
            << "  Jo \"Rail\" Doe "
            << "";
        QTest::newRow("dm flags") << toDMFlags +
                                         QList<Step>{
                                             {"tick", "cDMFlag(2)"},  {"tick", "cDMFlag(9)"},
                                             {"tick", "cDMFlag(19)"}, {"tick", "cDMFlag(19)"},
                                             {"tick", "cDMFlag(15)"}, {"next"}}
                                  << "DMFlags"
                                  << "33284"
                                  << "dmflags 33284";
        // A team flag stays counted under a non-team type, only disabled.
        QTest::newRow("team flag after type changed")
            << toDMFlags + QList<Step>{{"tick", "cDMFlag(18)"},
                                       {"back"},
                                       {"back"},
                                       {"choose", "cmbGameType", "Kestrune DM Free for All (FFA)"},
                                       {"next"},
                                       {"next"},
                                       {"next"}}
            << "DMFlags"
            << "262144"
            << "dmflags 262144";
        QTest::newRow("weapon bans") << toDMFlags + QList<Step>{{"next"},
                                                                {"tick", "cWeaponBan(0)"},
                                                                {"tick", "cWeaponBan(23)"},
                                                                {"next"}}
                                     << "WeaponBan"
                                     << "8388609"
                                     << "weaponban 8388609";
        QTest::newRow("feature bans") << toDMFlags + QList<Step>{{"next"},
                                                                 {"next"},
                                                                 {"tick", "cFeatureBan(0)"},
                                                                 {"tick", "cFeatureBan(18)"},
                                                                 {"next"}}
                                      << "FeatureBan"
                                      << "262145"
                                      << "featureban 262145";
        // A rail-only type hides the frames; the ticks still count.
        QTest::newRow("bans hidden by a rail-only type")
            << toDMFlags +
                   QList<Step>{
                       {"next"}, {"tick", "cWeaponBan(23)"},
                       {"back"}, {"back"},
                       {"back"}, {"choose", "cmbGameType", "Kestrune Rail-Only Insta-Gib Teamplay"},
                       {"next"}, {"next"},
                       {"next"}, {"next"}}
            << "WeaponBan"
            << "8388608"
            << "";
        QTest::newRow("game type, randomizer")
            << QList<Step>{{"next"},
                           {"choose", "cmbGameType", "Kestrune Extinction"},
                           {"choose", "cmbAmmo", "3 Generous"},
                           {"tick", "cWeaponRandomizer"},
                           {"choose", "cmbWeaponRandomizer", "2 - Different Weapon each Respawn"},
                           {"next"}}
            << "RandomizerType"
            << "2"
            << "";
        QTest::newRow("randomizer cleared: the weapon")
            << QList<Step>{{"next"},
                           {"choose", "cmbGameType", "Kestrune Extinction"},
                           {"choose", "cmbAmmo", "3 Generous"},
                           {"choose", "cmbglblWeapon", "Ultra Railgun"},
                           {"tick", "cWeaponRandomizer"},
                           {"tick", "cWeaponRandomizer"},
                           {"next"}}
            << "DefaultWeapon"
            << "19"
            << "";
        const QList<Step> toGeneral =
            kGameTypePage + QList<Step>{{"next"}, {"next"}, {"next"}, {"next"}, {"next"}};
        // A download box keeps its tick while "Allow Download" is off.
        QTest::newRow("map downloads") << toGeneral + QList<Step>{{"tick", "callowdl"},
                                                                  {"tick", "cmapsdl"},
                                                                  {"tick", "callowdl"},
                                                                  {"finish"}}
                                       << "AllowDownloadMaps"
                                       << "1"
                                       << "";
        QTest::newRow("limits as typed")
            << toGeneral + QList<Step>{{"type", "txtFraglimit", "25"},
                                       {"type", "txtTimelimit", "lots"},
                                       {"finish"}}
            << "Fraglimit Timelimit"
            << "25 lots"
            << "";
        QTest::newRow("high scorer")
            << toGeneral + QList<Step>{{"tick", "cHighScorer"}, {"finish"}} << "HighScorerLine"
            << "set highscorer 1"
            << "";
        QTest::newRow("public") << toGeneral + QList<Step>{{"tick", "cpublic"}, {"finish"}}
                                << "PublicServer"
                                << "1"
                                << "";
    }
    void whatThePagesStore() {
        QFETCH(QList<Step>, steps);
        QFETCH(QString, field);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        const qsizetype last = steps.size() - 1;
        run(w, steps.mid(0, last));
        if (!shown.isEmpty())
            QCOMPARE(w.control<QLabel>("lblMaskValue")->text(), shown);
        run(w, steps.mid(last));
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
        QCOMPARE(fields.value(field), field == "AllowDownloadMaps" ? stored + "0" : stored);
        if (field == "PublicServer")
            QVERIFY(PublicVars::OutputText.contains("\r\nset public 1\r\n"));
    }

    // The four messages come in this order, each stopping the page.
    void gameTypeChecksInOrder() {
        GuiFixture f;
        WizardDriver w(f);
        w.start();
        w.next();
        const QList<std::pair<Step, const char *>> checks{
            {{"none"}, "Please select a game type!"},
            {{"choose", "cmbGameType", "Kestrune Extinction"}, "Please select an ammo given!"},
            {{"choose", "cmbAmmo", "3 Generous"}, "Please select a default weapon!"},
            {{"tick", "cWeaponRandomizer"}, "Please choose a valid weapon randomizer!"}};
        for (const auto &[step, message] : checks) {
            if (QLatin1StringView(step.action) != "none")
                run(w, {step});
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
        run(w, {{"choose", "cmbGameType", "Kestrune Rail-Only Insta-Gib FFA"}, {"next"}, {"next"}});
        QVERIFY(!w.box("cDMFlag(17)")->isEnabled());
        run(w, {{"back"},
                {"back"},
                {"choose", "cmbGameType", "Kestrune Rail Only Extinction "},
                {"next"},
                {"next"}});
        QVERIFY(w.box("cDMFlag(17)")->isEnabled());
        run(w, {{"next"}, {"next"}, {"next"}, {"finish"}});
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
        run(w,
            kGameTypePage +
                QList<Step>{{"choose", "cmbGameType", "Kestrune DM Teamplay"}, {"next"}, {"next"}});
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
        run(w, kGameTypePage + QList<Step>{{"next"}, {"type", "txtMaplist", "typed.txt"}});
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
        run(w, kGameTypePage +
                   QList<Step>{{"next"}, {"next"}, {"next"}, {"next"}, {"next"}, {"finish"}});
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
