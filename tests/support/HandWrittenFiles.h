#pragma once

// Server files as administrators write them by hand, in their styles: the
// import tests read them, and the real-server test runs them beside what the
// import makes of them.

#include <QList>
#include <QString>

namespace HandWrittenFiles {

// What the import takes from the file: the host name and time limit ("" for
// the first answers), the lines kept and the values outside the tables, each
// list joined by "|".
struct File {
    const char *name;
    QString text;
    const char *host = "", *time = "", *kept = "", *outside = "";
};

inline const QList<File> &all() {
    static const QList<File> files{
        {"empty", QString()},
        {"comments at line ends, tabs",
         QStringLiteral("set hostname \"Frag Hall\"  // the name\r\n\tset\ttimelimit\t20 // "
                        "minutes\r\n"),
         "Frag Hall", "20"},
        {"joined by semicolons, unquoted",
         QStringLiteral("set hostname Hall; set timelimit 5; exec bots.cfg\n"), "Hall", "5",
         "exec bots.cfg"},
        {"set twice, the last counts",
         QStringLiteral("set timelimit 5\nset timelimit 30\nset sv_gravity 700\n"), "", "30",
         "set sv_gravity 700"},
        {"bare carriage returns: one line", QStringLiteral("set timelimit 5\rset timelimit 30\n"),
         "", "", "set timelimit 5\rset timelimit 30"},
        {"refused by the server",
         QStringLiteral("set timelimit 1 6\nset hostname\nset HOSTNAME other\n"), "", "",
         "set timelimit 1 6|set hostname|set HOSTNAME other"},
        {"latin-1 letters, outside the tables",
         QStringLiteral("set hostname \"Z\u00fcrich\"\nset gametype 9\nset ammo_given 0\n"),
         "Z\xfcrich", "", "", "Game Type 9|Ammo Given 0"},
        {"after the map line", QStringLiteral("map q2dm3\nset timelimit 40\n"), "", "40"},
        {"setmaster turns public on", QStringLiteral("set public 0\nsetmaster 127.0.0.1\n")},
        {"downloads in the set form, a template value",
         QStringLiteral("set allow_download 1\nset allow_download_maps 1\n"
                        "set allow_download_sounds \"$ALLOW_DOWNLOAD_SOUNDS\"\n"),
         "", "", "set allow_download_sounds \"$ALLOW_DOWNLOAD_SOUNDS\""},
        {"bare host name", QStringLiteral("hostname \"-= TP =-\"\nrcon_password s3cret\n"),
         "-= TP =-"},
        {"settings between two maps",
         QStringLiteral("map credits\nset timelimit 25\nset hostname \"Later Hall\"\nmap q2dm1\n"),
         "Later Hall", "25"},
        {"no game type, weapon or ammunition",
         QStringLiteral("set hostname Plain\nset timelimit 10\n"), "Plain", "10"},
        {"names in other letter cases",
         QStringLiteral("set HostName \"Frag Hall\"\nSET timelimit 20\nTimeLimit 30\n"), "", "20",
         "set HostName \"Frag Hall\"|TimeLimit 30"},
        {"a whole server",
         QStringLiteral("// Frag Hall\r\nset hostname \"Frag Hall\"\r\nset maxclients 12\r\n"
                        "set fraglimit 30; set timelimit 20\r\nset dmflags 532\r\n"
                        "allow_download_maps 1\r\nset allow_download 1\r\nset public 1\r\n"
                        "setmaster 127.0.0.1\r\nset rcon_password \"s3cret\"\r\n"
                        "set sv_gravity 700\r\nalias rot \"map q2dm1\"\r\nmap q2dm1\r\n"),
         "Frag Hall", "20", "// Frag Hall|set sv_gravity 700|alias rot \"map q2dm1\""},
    };
    return files;
}

} // namespace HandWrittenFiles
