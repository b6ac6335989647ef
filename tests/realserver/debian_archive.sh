#!/usr/bin/env bash
# Prints the URI of the Debian archive that this machine's apt configuration
# names for its own release (the source of SUITE, by default the release in
# /etc/os-release), so that no file of the project names an archive's host.
# Reads /etc/apt/sources.list and /etc/apt/sources.list.d/*.list (one-line
# form) and *.sources (deb822 form); skips deb-src and disabled entries.
#   debian_archive.sh [SUITE]
set -euo pipefail
suite=${1:-$(. /etc/os-release && echo "${VERSION_CODENAME:-}")}
etc=${APT_ETC:-/etc/apt}
shopt -s nullglob
uri=$(
    {
        for file in "$etc/sources.list" "$etc"/sources.list.d/*.list; do
            [[ -f $file ]] || continue
            # deb [options] URI SUITE COMPONENT...
            sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$file" |
                awk -v suite="$suite" '$1 == "deb" && $3 == suite { print $2; exit }'
        done
        for file in "$etc"/sources.list.d/*.sources; do
            awk -v suite="$suite" '
                function flush() {
                    if (deb && enabled && match(" " suites " ", " " suite " ") && uri != "")
                        { print uri; found = 1 }
                    deb = 0; enabled = 1; suites = ""; uri = ""
                }
                BEGIN { enabled = 1 }
                /^[ \t]*#/ { next }
                /^[ \t]*$/ { flush(); if (found) exit; next }
                tolower($1) == "types:" { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
                tolower($1) == "uris:" { uri = $2 }
                tolower($1) == "suites:" { $1 = ""; suites = $0 }
                tolower($1) == "enabled:" { enabled = tolower($2) != "no" }
                END { if (!found) flush() }
            ' "$file"
        done
    } | head -n 1
)
if [[ -z $uri ]]; then
    echo "debian_archive: apt's sources under $etc name no Debian archive for \"$suite\"" >&2
    exit 1
fi
echo "${uri%/}"
