#pragma once

// Records such as the wizard can leave behind, drawn from a seeded generator:
// every game type, the weapon or the randomizer, every mask bit that a box
// stands for, public or not, every download box.

#include "settings/ChoiceTables.h"
#include "settings/ServerSettings.h"

#include <QRandomGenerator>

namespace RandomRecords {

// Bits of the boxes with a caption: DM flags, weapon bans, feature bans.
inline constexpr qint64 DMFlagBits = 0xFFFFF & ~(qint64(1) << 13) & ~(qint64(1) << 16);
inline constexpr qint64 WeaponBanBits = 0xFFFFFF & ~(qint64(0x3F) << 11);
inline constexpr qint64 FeatureBanBits =
    0x7FFFF & ~((qint64(1) << 8) | (qint64(1) << 12) | (qint64(1) << 14) | (qint64(1) << 16) |
                (qint64(1) << 17));

// Single-byte text a one-line box can hold: blanks, quotes, semicolons,
// backslashes and Latin-1 letters included; no line breaks.
inline QString text(QRandomGenerator &random, int maxLength = 24) {
    static const QString pool = QStringLiteral(" abcXYZ019\"';\\/$&%_-.:\u00e4\u00fc\u00df\u00e9");
    QString out;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        out += pool[random.bounded(int(pool.size()))];
    return out;
}

inline ServerSettingsRecord record(QRandomGenerator &random) {
    ServerSettingsRecord s;
    const auto flag = [&] { return random.bounded(2); };
    for (QString *admin : {&s.AdminName, &s.AdminEmail, &s.AdminLocation, &s.AdminWebsite})
        *admin = text(random);
    const int gameType = random.bounded(int(ChoiceTables::gameTypes().size()));
    s.GameType = gameType;
    s.GameTypeName = QString::fromLatin1(ChoiceTables::gameTypes()[gameType].text);
    s.PresetGameType = ChoiceTables::isPreset(gameType);
    s.AmmoGiven = 1 + random.bounded(3);
    s.RandomizerChosen = flag();
    if (s.RandomizerChosen)
        s.RandomizerType = QString::number(1 + random.bounded(2));
    else
        s.DefaultWeapon = QString::number(random.bounded(20));
    s.MaplistFile = text(random);
    s.MotdFile = text(random);
    s.DMFlags = qint64(random.generate()) & DMFlagBits;
    s.WeaponBan = qint64(random.generate()) & WeaponBanBits;
    s.FeatureBan = qint64(random.generate()) & FeatureBanBits;
    s.PublicServer = flag();
    s.MasterServers = text(random, 60);
    s.Hostname = text(random);
    s.RconPassword = text(random);
    for (QString *limit : {&s.Fraglimit, &s.Timelimit, &s.Maxclients})
        *limit = text(random, 4);
    for (SettingNumber *box : {&s.AllowDownload, &s.AllowDownloadPlayers, &s.AllowDownloadModels,
                               &s.AllowDownloadSounds})
        *box = flag();
    s.AllowDownloadMaps = SettingNumber::fromText(QString::number(flag()));
    s.IdleDetect = text(random, 4);
    s.InitialMap = text(random, 8);
    s.HighScorerLine = QStringLiteral("set highscorer %1").arg(flag());
    return s;
}

} // namespace RandomRecords
