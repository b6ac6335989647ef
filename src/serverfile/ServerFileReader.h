#pragma once

#include "GeneratedLines.h" // RawCode, for the raw values

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

struct ServerFileContents {
    QString text;          // the whole file, every byte as one Latin-1 character
    QStringList rawValues; // the 25 raw-code values, in raw-code order

    // What the raw-code block does not carry, read from the file's commands
    // when it has them (the last one counts, as in the server).
    struct WeaponChoice {
        bool randomizer = false; // "set randomize_weapon", else "set default_weapon"
        QString code;
    };
    std::optional<WeaponChoice> weapon;
    std::optional<QString> highScorer; // the value of "set highscorer"
};

// Reads a server file from its bytes. Nothing when the file is not one the
// composer wrote: the first line is not exactly the marker, the file ends
// before line 26, or a raw-code line is shorter than its two slashes.
// Lines may end with CR LF, a bare LF or a bare CR.
std::optional<ServerFileContents> readServerFile(QByteArrayView bytes);
