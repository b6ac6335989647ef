#!/bin/sh
# Lists the functions of src/ longer than a limit (default 60 lines, from the
# line of the name to the closing brace), longest first, and fails when there
# is one. Needs universal-ctags.
limit=${1:-60}
cd "$(dirname "$0")/.." || exit 2
ctags --version 2>/dev/null | grep -q Universal || { echo "needs universal-ctags" >&2; exit 2; }
long=$(ctags -R --languages=C++ --kinds-C++=f --fields=+ne -o - src |
    awk -F'\t' -v limit="$limit" '{
        start = end = 0
        for (i = 4; i <= NF; ++i) {
            if ($i ~ /^line:/) start = substr($i, 6)
            if ($i ~ /^end:/) end = substr($i, 5)
        }
        if (end && end - start + 1 > limit)
            printf "%4d %s:%d %s\n", end - start + 1, $2, start, $1
    }' | sort -rn)
[ -z "$long" ] && exit 0
echo "$long"
exit 1
