#include "serverfile/GeneratedLines.h"
#include "settings/ChoiceTables.h"
#include "settings/PublicVars.h"
#include "settings/ServerSettings.h"
#include "wizard/Masks.h"

#include <QTest>

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void gameTypes() {
        const auto types = ChoiceTables::gameTypes();
        QCOMPARE(types.size(), 6u);
        const QStringList texts{"Kestrune DM Free for All (FFA)",
                                "Kestrune DM Teamplay",
                                "Kestrune Extinction",
                                "Kestrune Rail Only Extinction ",
                                "Kestrune Rail-Only Insta-Gib FFA",
                                "Kestrune Rail-Only Insta-Gib Teamplay"};
        const QList<bool> team{false, true, true, true, false, true};
        const QList<bool> preset{false, false, false, true, true, true};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(types[i].code, i);
            QCOMPARE(QString::fromLatin1(types[i].text), texts[i]);
            QCOMPARE(ChoiceTables::isTeamGame(i), team[i]);
            QCOMPARE(ChoiceTables::isPreset(i), preset[i]);
        }
        QVERIFY(!ChoiceTables::isPreset(6));
        QVERIFY(!ChoiceTables::isTeamGame(-1));
    }

    void weaponsAmmoAndRandomizer() {
        const auto weapons = ChoiceTables::weapons();
        QCOMPARE(weapons.size(), 20u);
        QCOMPARE(QString::fromLatin1(weapons[0]), QStringLiteral("Blaster"));
        QCOMPARE(QString::fromLatin1(weapons[11]), QStringLiteral("RESERVED for BETA RELEASE"));
        QCOMPARE(QString::fromLatin1(weapons[18]), QStringLiteral("RESERVED FOR BETA RELEASE"));
        QCOMPARE(QString::fromLatin1(weapons[19]), QStringLiteral("Ultra Railgun"));

        const auto ammo = ChoiceTables::ammoLevels();
        QCOMPARE(ammo.size(), 3u);
        QCOMPARE(ammo[2].code, 3);
        QCOMPARE(QString::fromLatin1(ammo[2].text), QStringLiteral("3 Generous"));
        QCOMPARE(ammo[0].code, 1);

        const auto modes = ChoiceTables::randomizerModes();
        QCOMPARE(modes.size(), 2u);
        QCOMPARE(modes[1].code, 2);
        QCOMPARE(QString::fromLatin1(modes[1].text),
                 QStringLiteral("2 - Different Weapon each Respawn"));
    }

    // A page's whole number and a file's text are the same field.
    void numberFields() {
        SettingNumber stored = 3;
        QCOMPARE(stored.text(), QStringLiteral("3"));
        QCOMPARE(stored.value(), 3);
        const SettingNumber restored = SettingNumber::fromText(QStringLiteral("3"));
        QCOMPARE(restored, stored);
        QVERIFY(SettingNumber::fromText(QStringLiteral("1")).is(1));
        QVERIFY(!SettingNumber::fromText(QStringLiteral("one")).value());
        QVERIFY(!SettingNumber().value());
        QVERIFY(SettingNumber().text().isEmpty());
    }

    void rawCodeOrder() {
        ServerSettingsRecord s;
        QStringList values;
        for (int i = 0; i < RawCode::FieldCount; ++i)
            values.append(QStringLiteral("v%1").arg(i + 2)); // named after their line
        RawCode::restore(s, values);
        QCOMPARE(s.AdminEmail, QStringLiteral("v2"));
        QCOMPARE(s.AdminName, QStringLiteral("v5"));
        QCOMPARE(s.GameType.text(), QStringLiteral("v6"));
        QCOMPARE(s.RconPassword, QStringLiteral("v11"));
        QCOMPARE(s.FeatureBan.text(), QStringLiteral("v14"));
        QCOMPARE(s.AllowDownloadMaps.text(), QStringLiteral("v22"));
        QCOMPARE(s.MaplistFile, QStringLiteral("v24"));
        QCOMPARE(s.InitialMap, QStringLiteral("v26"));
        QCOMPARE(RawCode::values(s), values);
        // Fields outside the raw-code block are not touched.
        s.DefaultWeapon = QStringLiteral("7");
        RawCode::restore(s, values);
        QCOMPARE(s.DefaultWeapon, QStringLiteral("7"));
    }

    void programStartState() {
        PublicVars::ServerSettings.AdminName = QStringLiteral("x");
        PublicVars::Saved = false;
        PublicVars::resetAll();
        QCOMPARE(PublicVars::ServerSettings, ServerSettingsRecord{});
        QVERIFY(PublicVars::Saved);
        QVERIFY(!PublicVars::LoadedFromFile);
        QCOMPARE(PublicVars::CancelClose, 0);
    }

    void masksCountOnlyTicked() {
        std::vector<int> values(20, 0);
        QCOMPARE(maskOf(values), 0);
        values[2] = 1;
        values[9] = 1;
        values[5] = 2; // grey does not count
        QCOMPARE(maskOf(values), 516);
    }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "test_settings.moc"
