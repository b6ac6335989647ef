#!/bin/sh
# Prints which folder of src/ includes which (from the #include lines), then
# fails on a circle among them, or when a folder other than mainwindow/
# includes wizard/.
cd "$(dirname "$0")/../src" || exit 2
grep -H '^#include "[a-z]*/' */*.h */*.cpp |
    sed 's|^\([a-z]*\)/[^:]*:#include "\([a-z]*\)/.*|\1 \2|' | sort -u |
    awk '$1 != $2 {
        edge[$1, $2] = 1; node[$1]; node[$2]; out[$1] = out[$1] " " $2
        if ($2 == "wizard" && $1 != "mainwindow") problems = problems $1 " includes wizard\n"
    }
    END {
        for (a in out) printf "%s ->%s\n", a, out[a] | "sort"
        close("sort")
        for (k in node) for (a in node) for (b in node)
            if (edge[a, k] && edge[k, b]) edge[a, b] = 1
        for (a in node)
            if (edge[a, a]) problems = problems "circle through " a "\n"
        printf "%s", problems
        exit problems != ""
    }'
